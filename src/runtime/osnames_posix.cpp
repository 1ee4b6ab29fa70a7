#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <string_view>
#include <vector>

#include "cp1252.h"
#include "osnames.h"

namespace kov {

// The login name of the effective user, as GetUserName gives the account the program
// runs as.
std::string osUserName() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr) {
    return {};
  }
  return cp1252FromUtf8(found->pw_name);
}

// The short name, up to the first dot of the host name, as GetComputerName gives the
// computer's name without its domain.
std::string osComputerName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  const std::string_view host(name);
  return cp1252FromUtf8(host.substr(0, host.find('.')));
}

}  // namespace kov

#include <pwd.h>
#include <unistd.h>

#include <climits>
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

std::string osComputerName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return cp1252FromUtf8(name);
}

}  // namespace kov

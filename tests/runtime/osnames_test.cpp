#include "runtime/osnames.h"

#include <gtest/gtest.h>

#ifndef _WIN32  // Windows gives the short name itself
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

namespace kov {
namespace {

constexpr int kRefused = 2;

// The computer name that a child process sees with this host name, in a namespace of its
// own so that the machine keeps its name; nullopt where the system refuses the namespace.
std::optional<std::string> computerNameWithHost(const std::string& host) {
  int ends[2];
  const pid_t child = ::pipe(ends) == 0 ? ::fork() : -1;
  if (child < 0) {
    ADD_FAILURE() << "no child process: " << std::strerror(errno);
    return std::nullopt;
  }
  if (child == 0) {
    ::close(ends[0]);
    if (::unshare(CLONE_NEWUTS) != 0 || ::sethostname(host.data(), host.size()) != 0) {
      ::_exit(kRefused);
    }
    const std::string name = osComputerName();
    ::_exit(::write(ends[1], name.data(), name.size()) == static_cast<ssize_t>(name.size()) ? 0
                                                                                            : 1);
  }
  ::close(ends[1]);
  std::string name;
  char buffer[256];
  ssize_t n = 0;
  while ((n = ::read(ends[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
    if (n > 0) name.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kRefused) return std::nullopt;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  return name;
}

TEST(OsNames, TheComputerNameIsTheHostNameUpToItsFirstDot) {
  const struct {
    std::string host, name;
  } cases[] = {
      {"pc01.ufficio.local", "pc01"},
      {"POSTAZIONE-7", "POSTAZIONE-7"},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> name = computerNameWithHost(c.host);
    if (!name) GTEST_SKIP() << "no namespace of its own for the host name (needs root)";
    EXPECT_EQ(*name, c.name) << c.host;
  }
}

}  // namespace
}  // namespace kov
#endif

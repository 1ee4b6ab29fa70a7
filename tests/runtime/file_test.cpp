// The names of files and of the computer as this system gives them; Windows gives them itself.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/file.h"
#include "runtime/osnames.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

TEST(File, NamesIgnoreLetterCaseAndNeverTakeTheProgramFile) {
  test::TempFolder folder;
  folder.write("OdV", "");
  folder.write("Odv", "");  // two spellings, as a restored backup leaves them
  EXPECT_EQ(dataFileName(folder.path(), "\\ODV"), folder.file("OdV"));
  EXPECT_EQ(spellingsIn(folder.path(), "\\odv"), (std::vector<std::string>{"OdV", "Odv"}));
  folder.makeFolder("Città");
  EXPECT_EQ(nativeName(folder.path() + "\\CITT\xC0\\"), folder.path() + "/Città/");
  // The program file "kov" beside a missing administrator file "KoV" is not that file.
  std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"),
                                  folder.file("kov"));
  EXPECT_EQ(dataFileName(folder.path(), "\\KoV"), folder.file("KoV"));
}

// In a child with a host name of its own, so that the machine keeps its name.
TEST(OsNames, TheComputerNameIsTheHostNameUpToItsFirstDot) {
  const pid_t child = ::fork();
  if (child == 0) {
    const std::string host = "pc01.ufficio.local";
    if (::unshare(CLONE_NEWUTS) != 0 || ::sethostname(host.data(), host.size()) != 0) ::_exit(2);
    ::_exit(osComputerName() == "pc01" ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "no host name of its own here (needs root)";
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace kov
#endif

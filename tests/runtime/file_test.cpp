#include "runtime/file.h"

#include <gtest/gtest.h>

#include <tuple>

#ifndef _WIN32
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "runtime/cp1252.h"
#include "runtime/osnames.h"
#include "runtime/records.h"
#include "runtime/text.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

const auto record = [](char fill) { return std::string(253, fill) + "|\r\n"; };

// Each refused open gives the user its error number and creates nothing.
TEST(File, RefusedOpensGiveTheirErrorNumbers) {
  test::TempFolder folder;
  folder.write("locked", "x");
  folder.setOwnerAccess("locked", 0);
  folder.makeFolder("readonly");
  folder.setOwnerAccess("readonly", 5);
  using enum File::Mode;
  const std::tuple<std::string, File::Mode, int> cases[] = {
      {"missing", Read, 53},        {std::string("Rep\0ort", 7), Append, 52},
#ifndef _WIN32  // needs POSIX permissions
      {"nofolder/KoV", Read, 76},   {"nofolder/KoV", Append, 76},
      {"readonly", Update, 75},     {"readonly", Read, 75},
      {"locked", Read, 70},         {"locked", Update, 70},
      {"readonly/KoV", Append, 70},
#endif
  };
  test::Unprivileged user(folder);
  for (const auto& [name, mode, number] : cases) {
    File file;
    EXPECT_EQ(file.open(folder.file(name), mode).number, number) << name;
  }
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"locked", "readonly"}));
}

#ifndef _WIN32  // Windows matches names itself
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
#endif

// Records are read whole or not at all, and written in place.
TEST(Records, ReadAndWriteInPlace) {
  test::TempFolder folder;
  folder.write("KoV", record('1') + record('2') + "torn");
  File file;
  ASSERT_FALSE(file.open(folder.file("KoV"), File::Mode::Update));
  std::string text = "unchanged";
  bool complete = true;
  ASSERT_FALSE(readRecord(file, 3, text, complete));
  EXPECT_FALSE(complete);
  ASSERT_FALSE(readRecord(file, 2, text, complete));
  EXPECT_TRUE(complete);
  EXPECT_EQ(text, record('2'));
  ASSERT_FALSE(writeRecord(file, 1, "short"));
  ASSERT_FALSE(writeRecord(file, 4, record('4')));  // the gap as a sparse write leaves it
  EXPECT_EQ(folder.read("KoV"), "short" + std::string(251, ' ') + record('2') + "torn" +
                                    std::string(252, '\0') + record('4'));
}

TEST(Records, ReadsLinesOfEveryShape) {
  test::TempFolder folder;
  const std::tuple<std::string, std::size_t, std::vector<std::string>> cases[] = {
      {"", 4, {}},
      {"a\r\nb\rc\nd", 9, {"a", "b", "c", "d"}},
      {"a\r\n\r\nb", 4, {"a", "", "b"}},
      {"1\r\n2\r\n3", 2, {"1", "2"}},
      {std::string(4095, 'a') + "\r\nb", 4, {std::string(256, 'a'), "b"}},  // CR ends a read
  };
  for (const auto& [bytes, maxLines, expected] : cases) {
    folder.write("KoV", bytes);
    File file;
    std::vector<std::string> lines{"stale"};
    ASSERT_FALSE(file.open(folder.file("KoV"), File::Mode::Read));
    ASSERT_FALSE(readLines(file, maxLines, lines));
    EXPECT_EQ(lines, expected) << bytes.substr(0, 20);
  }
}

#ifndef _WIN32  // Windows gives the short name itself
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
#endif

TEST(Text, TrimSpacesAndUpperCase) {
  EXPECT_EQ(trimSpaces(std::string(253, ' ')), "");
  EXPECT_EQ(trimSpaces(std::string(9, ' ') + "x" + std::string(17, ' ')), "x");
  EXPECT_EQ(trimSpaces("\t x \r\n"), "\t x \r\n");
  EXPECT_EQ(trimSpaces("12345678" + std::string(8, ' ')), "12345678");
  // Accented vowels, s caron, oe, z caron, y diaeresis; letters without an upper case stay.
  EXPECT_EQ(toUpper1252("m.\xE0\xF9\x9A\x9C\x9E\xFF\xF7\xDF\xB5"),
            "M.\xC0\xD9\x8A\x8C\x8E\x9F\xF7\xDF\xB5");
}

}  // namespace
}  // namespace kov

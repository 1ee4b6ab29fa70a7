#include "runtime/file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cerrno>

#include "support/fault_plan.h"
#include "runtime/records.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::TempFolder;

// The native name of a file in the folder.
std::string nameIn(const TempFolder& folder, const std::string& file) {
  return folder.file(file);
}

std::string record(char fill) {
  return std::string(253, fill) + "|\r\n";
}

// A missing file is error 53, a name holding a NUL error 52 in every mode: nothing opens.
TEST(File, AMissingFileOrABadNameOpensNothing) {
  TempFolder folder;
  File file;
  EXPECT_EQ(file.open(nameIn(folder, "KoV"), File::Mode::Read).number, 53);
  EXPECT_FALSE(file.isOpen());
  for (const File::Mode mode : {File::Mode::Read, File::Mode::Update, File::Mode::Append}) {
    EXPECT_EQ(file.open(nameIn(folder, std::string("Rep\0ort", 7)), mode).number, 52);
    EXPECT_FALSE(file.isOpen());
  }
  EXPECT_TRUE(folder.names().empty());
}

TEST(File, OperationsOnAHandleThatIsNotOpenAreError52) {
  File file;
  std::uint64_t size = 0;
  EXPECT_EQ(file.size(size).number, 52);
  EXPECT_EQ(file.writeAt(0, "x").number, 52);
  std::int64_t number = 0;
  EXPECT_EQ(file.appendRecord(record('a'), number).number, 52);
  EXPECT_EQ(file.sync().number, 52);
}

TEST(File, DataFileNamesReachExistingFilesWhateverTheirLetterCase) {
  TempFolder folder;
  folder.write("OdV", "entries");
  for (const char* asked : {"\\OdV", "\\Odv", "\\ODV", "\\odv"}) {
    File file;
    ASSERT_FALSE(file.open(dataFileName(folder.path(), asked), File::Mode::Update)) << asked;
    std::uint64_t size = 0;
    ASSERT_FALSE(file.size(size));
    EXPECT_EQ(size, 7U) << asked;
  }
  EXPECT_EQ(folder.names(), std::vector<std::string>{"OdV"});
#ifndef _WIN32
  // Two spellings, as a restored backup leaves them: every caller gets the same one, whichever
  // spelling it asks for, and the other is listed.
  folder.write("Odv", "other");
  for (const char* asked : {"\\Odv", "\\OdV"}) {
    EXPECT_EQ(dataFileName(folder.path(), asked), folder.file("OdV")) << asked;
  }
  EXPECT_EQ(spellingsIn(folder.path(), "\\OdV"), (std::vector<std::string>{"OdV", "Odv"}));
  // The program folder is used as it is spelt, even where a "\\" or a character outside
  // Windows-1252 is part of its name; only the file name is matched.
  folder.makeFolder("Ков\\пк");
  folder.write("Ков\\пк/kov", "");  // not the program file: the file of another spelling
  EXPECT_EQ(dataFileName(folder.file("Ков\\пк"), "\\KoV"), folder.file("Ков\\пк/kov"));

  EXPECT_EQ(nativeName(folder.path() + "\\sub\\ODV"), folder.path() + "/sub/ODV");
  EXPECT_EQ(nativeName(folder.path() + "\\REPORT\\"), folder.path() + "/REPORT/");
  folder.makeFolder("Report");  // folders too
  EXPECT_EQ(nativeName(folder.path() + "\\report\\x.txt"), folder.path() + "/Report/x.txt");
#endif
}

#ifndef _WIN32  // Windows matches names itself
// The program file "kov" beside a missing administrator file "KoV" is not that file.
TEST(File, TheProgramsOwnFileIsNeverADataFile) {
  TempFolder folder;
  std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"),
                                  folder.file("kov"));
  File file;
  const std::string name = dataFileName(folder.path(), "\\KoV");
  EXPECT_EQ(file.open(name, File::Mode::Read).number, 53);
  ASSERT_FALSE(file.open(name, File::Mode::Append));
  file.close();
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"KoV", "kov"}));
  EXPECT_EQ(folder.read("KoV"), "");
}
#endif

TEST(File, AppendCreatesTheFileAndAfterATornRecordStartsOnARecordBoundary) {
  TempFolder folder;
  File file;
  std::int64_t number = 0;
  ASSERT_FALSE(file.open(nameIn(folder, "OdV"), File::Mode::Append));
  ASSERT_FALSE(file.appendRecord(record('a'), number));
  EXPECT_EQ(number, 1);
  ASSERT_FALSE(file.sync());
  EXPECT_EQ(folder.read("OdV"), record('a'));
  file.close();
  folder.write("OdV", record('a') + "PARTIAL");
  ASSERT_FALSE(file.open(nameIn(folder, "OdV"), File::Mode::Append));
  ASSERT_FALSE(file.appendRecord(record('b'), number));
  EXPECT_EQ(number, 3);  // the torn record filled counts
  const std::string bytes = folder.read("OdV");
  ASSERT_EQ(bytes.size(), 3 * kRecordSize);
  EXPECT_EQ(bytes.substr(256, 7), "PARTIAL");
  EXPECT_EQ(bytes.substr(263, 249), std::string(249, '\0'));
  EXPECT_EQ(bytes.substr(512), record('b'));
}

TEST(File, HiddenAttributeIsSetReadBackAndCleared) {
  TempFolder folder;
  folder.write("KoV", "");
  const std::string name = nameIn(folder, "KoV");
  EXPECT_FALSE(isHidden(name));
  ASSERT_FALSE(setHiddenOnly(name));
  EXPECT_TRUE(isHidden(name));
  ASSERT_FALSE(clearAttributes(name));
  EXPECT_FALSE(isHidden(name));
  EXPECT_FALSE(clearAttributes(name));  // nothing left to clear is no error
  EXPECT_EQ(setHiddenOnly(nameIn(folder, "missing")).number, 53);
}

TEST(File, DeleteRemovesTheFileAndTellsAMissingOne) {
  TempFolder folder;
  folder.write("OdV", "x");
  EXPECT_FALSE(deleteFile(nameIn(folder, "OdV")));
  EXPECT_FALSE(folder.exists("OdV"));
  EXPECT_EQ(deleteFile(nameIn(folder, "OdV")).number, 53);
}

#ifndef _WIN32  // needs POSIX permissions or processes
// Real faults, each with the error number a user is shown.
TEST(File, RealFaultsGiveTheirErrorNumbers) {
  TempFolder folder;
  folder.makeFolder("folder");
  folder.write("locked", "x");
  folder.setOwnerAccess("locked", 0);
  folder.makeFolder("readonly");
  folder.setOwnerAccess("readonly", 5);
  test::Unprivileged user(folder);
  const struct {
    std::string name;
    File::Mode mode;
    int number;
  } cases[] = {
      {"missing", File::Mode::Read, 53},        {"nofolder/KoV", File::Mode::Read, 76},
      {"nofolder/KoV", File::Mode::Append, 76}, {"folder", File::Mode::Read, 75},
      {"folder", File::Mode::Update, 75},       {"locked", File::Mode::Read, 70},
      {"locked", File::Mode::Update, 70},       {"readonly/KoV", File::Mode::Append, 70},
  };
  for (const auto& c : cases) {
    File file;
    EXPECT_EQ(file.open(nameIn(folder, c.name), c.mode).number, c.number) << c.name;
  }
}
#endif

#ifndef _WIN32  // under wine, run as root, a read-only attribute does not hold
TEST(File, UpdateOpensAReadOnlyFileForReading) {
  TempFolder folder;
  folder.write("KoV", record('a'));
  folder.setOwnerAccess("KoV", 4);
  test::Unprivileged user(folder);
  File file;
  ASSERT_FALSE(file.open(nameIn(folder, "KoV"), File::Mode::Update));
  std::string read;
  bool complete = false;
  EXPECT_FALSE(readRecord(file, 1, read, complete));
  EXPECT_TRUE(complete);
  EXPECT_EQ(writeRecord(file, 1, record('b')).number, 70);
  EXPECT_EQ(folder.read("KoV"), record('a'));
}
#endif

// FaultWalk fails every call of every operation in turn, with the errors a user meets most;
// here the others that show as 70.
TEST(Faults, RefusalsOfDeletingAndOfAttributesAre70) {
  TempFolder folder;
  folder.write("OdV", "x");
  faults::reset();
  faults::failAt(faults::Op::Delete, 1, EPERM);
  faults::failAt(faults::Op::Attributes, 1, EACCES);
  EXPECT_EQ(deleteFile(nameIn(folder, "OdV")).number, 70);
  EXPECT_EQ(setHiddenOnly(nameIn(folder, "OdV")).number, 70);
  faults::reset();
  EXPECT_EQ(folder.read("OdV"), "x");
}

}  // namespace
}  // namespace kov

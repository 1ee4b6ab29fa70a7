// The names of data files as this system gives them; Windows gives them itself.
#ifndef _WIN32
#include <gtest/gtest.h>

#include "runtime/file.h"
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

}  // namespace
}  // namespace kov
#endif

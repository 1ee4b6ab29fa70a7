// A start-up on a program folder whose data controller's file is a link to nowhere: the start
// ends with its message, and the link is never followed to create a file where it points.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/window.h"

namespace kov {
namespace {

TEST(StartUp, ALinkToNowhereEndsItAndIsNeverFollowed) {
  if (test::linuxOnly("a credential file a link", "wine makes no links")) return;
  test::Window w;
  w.storeBothRoles();
  std::filesystem::remove(w.folder.file("TdT"));
  std::filesystem::create_symlink(w.folder.file("nowhere"), w.folder.file("TdT"));
  const test::Entries before = test::entriesUnder(w.folder.path());
  EXPECT_FALSE(w.load());
  EXPECT_EQ(w.platform.texts(),
            std::vector<std::string>{"Si \xE8 verificato il seguente errore nella lettura del "
                                     "form:\n\r75-Errore di accesso al percorso/file"});
  EXPECT_EQ(test::firstDifference(before, test::entriesUnder(w.folder.path())), "");
}

}  // namespace
}  // namespace kov

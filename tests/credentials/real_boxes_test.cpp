// The password dialog with the program's real message boxes on a real X server (Xvfb, no
// window manager), where a box that closes leaves no window active unless the program
// activates one again: the leave of the box left ends before the box at fault is entered.
#include <gtest/gtest.h>

#include "support/real_boxes.h"
#include "support/window.h"

namespace kov {
namespace {

TEST(Pw_KovWithRealBoxes, ARefusalEntersTheBoxAtFaultAfterTheLeaveOfTheOther) {
  test::TempFolder folder;
  test::RealBoxes platform(folder.path());
  Kov_Par par;
  Pw_Kov dialog(par, platform, nullptr);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  test::BoxCloser closer;
  auto* newPassword = dialog.findChild<QLineEdit*>("N_Pw");
  auto* check = dialog.findChild<QLineEdit*>("C_Pw");
  QTest::keyClicks(newPassword, "corta");
  QTest::keyClick(newPassword, Qt::Key_Return);
  QTest::keyClicks(check, " corta ");
  QTest::keyClick(check, Qt::Key_Return);
  EXPECT_EQ(closer.texts, QStringList{QString::fromStdString(test::kShort)});
  QTRY_VERIFY(newPassword->hasFocus());
  QTRY_COMPARE(newPassword->selectionLength(), 5);
  EXPECT_TRUE(dialog.isActiveWindow());
  EXPECT_EQ(test::background(newPassword), test::kYellow);
  EXPECT_EQ(test::background(check), test::kWhite);
  EXPECT_EQ(check->text(), "corta");
}

}  // namespace
}  // namespace kov

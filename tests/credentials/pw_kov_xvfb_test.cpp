// The password dialog with the program's real message boxes on a real X server (Xvfb, no
// window manager), where a box that closes leaves no window active unless the program
// activates one again.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "credentials/pw_kov.h"
#include "support/real_boxes.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

TEST(Pw_KovWithRealBoxes, ARefusalEntersTheBoxAtFaultAfterTheLeaveOfTheOther) {
  test::TempFolder folder;
  test::RealBoxes platform(folder.path());
  Kov_Par par;
  par.Utenti = {"Admin", "Titolare"};
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
  EXPECT_EQ(closer.texts, QStringList{"La PassWord deve essere di almeno 8 caratteri"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return newPassword->hasFocus(); }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return newPassword->selectionLength() == 5; }));
  EXPECT_TRUE(dialog.isActiveWindow());
  EXPECT_EQ(newPassword->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(check->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 255));
  EXPECT_EQ(check->text(), "corta");
}

}  // namespace
}  // namespace kov

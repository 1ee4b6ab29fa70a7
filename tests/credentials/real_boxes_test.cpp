// The sign-in and the password dialog with the program's real message boxes on a real X
// server (Xvfb, no window manager), where a box that closes leaves no window active unless
// the program activates one again: each leave, its box included, ends before the next enter.
#include <gtest/gtest.h>

#include "support/real_boxes.h"
#include "support/window.h"

namespace kov {
namespace {

using test::background;
using test::kYellow;

TEST(SignInWithRealBoxes, EachRefusalComesBackToItsBoxThenTheRightPasswordSignsIn) {
  test::TempFolder folder;
  test::RealBoxes platform(folder.path());
  folder.write("KoV", test::administratorFile("PC", false, "L", "C:\\R", "Admin", "password1"));
  folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
  Kov_Par par;
  KOV window(par, platform);
  ASSERT_TRUE(window.Form_Load());
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  test::BoxCloser closer;
  auto* user = window.findChild<QLineEdit*>("Utente");
  auto* password = window.findChild<QLineEdit*>("Pw");
  user->setFocus();
  QTest::keyClicks(user, "Intruso");
  QTest::keyClick(user, Qt::Key_Tab);
  QTRY_COMPARE(closer.texts, QStringList{"L'identificativo non coincide con quello Predefinito"});
  QTRY_COMPARE(background(user), kYellow);
  EXPECT_TRUE(user->hasFocus());
  EXPECT_TRUE(window.isActiveWindow());
  EXPECT_NE(background(password), kYellow);

  QTest::keyClicks(user, "admin");
  QTest::keyClick(user, Qt::Key_Tab);
  QTRY_COMPARE(background(password), kYellow);
  QTest::keyClicks(password, "sbagliata");
  QTest::keyClick(password, Qt::Key_Tab);
  QTRY_COMPARE(closer.texts.size(), 2);
  EXPECT_EQ(closer.texts[1], QString::fromUtf8("La Password non è corretta"));
  QTRY_COMPARE(background(password), kYellow);
  EXPECT_TRUE(password->hasFocus());
  EXPECT_EQ(password->text(), "");
  EXPECT_EQ(user->text(), "admin");
  QTest::keyClicks(password, "password1");
  QTest::keyClick(password, Qt::Key_Tab);
  QTRY_VERIFY(window.findChild<QWidget*>("Opz_KOV_0")->hasFocus());
  EXPECT_TRUE(window.findChild<QWidget*>("Frm_KoV")->isEnabled());
  EXPECT_EQ(closer.texts.size(), 2);
}

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
  EXPECT_EQ(background(newPassword), kYellow);
  EXPECT_EQ(background(check), test::kWhite);
  EXPECT_EQ(check->text(), "corta");
}

}  // namespace
}  // namespace kov

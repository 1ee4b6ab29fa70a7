// The password dialog's real message boxes on an X server without a window manager, where
// a closed box leaves no window active unless the program activates one again.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include "support/window.h"
#include "window/qt_platform.h"

namespace kov {
namespace {

TEST(Pw_KovWithRealBoxes, ARefusalEntersTheBoxAtFaultAfterTheLeaveOfTheOther) {
  QtPlatform platform;  // nothing is stored: a refusal writes no file
  Kov_Par par;
  Pw_Kov dialog(par, platform, nullptr);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QStringList boxes;  // each real box is closed with OK as soon as it is up
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.push_back(box->text());
      box->button(QMessageBox::Ok)->click();
    }
  });
  poll.start(20);
  auto* newPassword = dialog.findChild<QLineEdit*>("N_Pw");
  auto* check = dialog.findChild<QLineEdit*>("C_Pw");
  QTest::keyClicks(newPassword, "corta");
  QTest::keyClick(newPassword, Qt::Key_Return);
  QTest::keyClicks(check, " corta ");
  QTest::keyClick(check, Qt::Key_Return);
  EXPECT_EQ(boxes, QStringList{QString::fromStdString(test::kShort)});
  QTRY_VERIFY(newPassword->hasFocus());
  QTRY_COMPARE(newPassword->selectionLength(), 5);
  EXPECT_TRUE(dialog.isActiveWindow());
  EXPECT_EQ(test::background(newPassword), test::kYellow);
  EXPECT_EQ(test::background(check), test::kWhite);
  EXPECT_EQ(check->text(), "corta");
  // A box shown outside a leave gives the activation back to the window it came from.
  platform.message(Icon::Information, "Ok", "KoV");
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace
}  // namespace kov

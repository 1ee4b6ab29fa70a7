#include <gtest/gtest.h>

#include <QTimer>

#include "support/modes.h"

namespace kov {
namespace {

// Ten minutes without a key or a click sign the user out as entering the password box does:
// the frames lock and the password is asked anew; an open password dialog can then only be
// closed. A key starts the ten minutes anew; the lock itself writes nothing.
TEST(IdleLock, TenMinutesUntouchedSignTheUserOut) {
  test::Mode signedOut = test::kRoleChoice;
  signedOut.passwordButtonEnabled = true;
  for (const bool dialogOpen : {false, true}) {
    SCOPED_TRACE(dialogOpen ? "password dialog open" : "main window");
    test::Window w;
    w.storeBothRoles();
    w.show();
    w.signIn(0, "Admin", "password1");
    auto* idle = w.window->findChild<QTimer*>("IdleLock");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->interval(), 10 * 60 * 1000);
    idle->stop();
    QTest::keyClick(w.box("Opz_KOV_0"), Qt::Key_X);
    EXPECT_TRUE(idle->isActive());
    const auto lock = [&](const QWidget* locked) {
      idle->start(1);
      EXPECT_TRUE(QTest::qWaitFor([&] { return !locked->isEnabled(); }));
      idle->setInterval(10 * 60 * 1000);  // or every key typed next would lock again
    };
    w.whileDialogOpen = [&](Pw_Kov& dialog) {
      lock(&dialog);
      dialog.close();
    };
    if (dialogOpen) {
      w.click("Cmd_VPw");
    } else {
      lock(w.find("Frm_KoV"));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.box("Pw")->hasFocus(); }));
    test::expectMode(w, signedOut);
    EXPECT_EQ(w.text("Pw"), "");
    // A closed password dialog is logged, as it always is; the lock adds nothing.
    EXPECT_EQ(w.recordings(),
              dialogOpen ? test::loggedEntry("PC-01", "Admin", test::kChanged) : "");
    w.unlock("password1");
    test::expectMode(w, test::kAdministratorSignedIn);
  }
}

}  // namespace
}  // namespace kov

#include <gtest/gtest.h>

#include <QMessageBox>

#include "support/modes.h"

namespace kov {
namespace {

using test::Window;

const std::string kWrongName = "L'identificativo non coincide con quello Predefinito";
const std::string kWrongPassword = "La Password non \xE8 corretta";

// The first set-ups compare nothing: FirstSetUp expects their messages exactly.
// Names ignore letter case and surrounding spaces but not inner ones; passwords count
// letter case and drop surrounding spaces. A wrong name empties the user box, a wrong
// password the password box alone, so that the next attempt needs only the password.
TEST(SignIn, NamesAndPasswordsAreComparedAsTheyShouldBe) {
  const struct {
    int role;
    QString name, password;
    std::string refusal;  // empty: signed in
    const char* focus;
    std::string userLeft;
  } cases[] = {
      {0, "Admin", "password1", "", "Opz_KOV_0", "Admin"},
      {0, "ADMIN", " password1 ", "", "Opz_KOV_0", "ADMIN"},
      {0, "  admin ", "password1", "", "Opz_KOV_0", "admin"},
      {1, "titolare", "segreto99", "", "Dt_1", "titolare"},
      {0, "Ad min", "", kWrongName, "Utente", ""},
      {0, "Admin2", "", kWrongName, "Utente", ""},
      {0, "Admin", "PASSWORD1", kWrongPassword, "Pw", "Admin"},
      {0, "Admin", "password", kWrongPassword, "Pw", "Admin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.name + "/" + c.password).toStdString());
    Window w;
    w.storeBothRoles();
    w.show();
    if (c.password.isEmpty()) {
      w.type("Utente", c.name);
      QTest::keyClick(w.box("Utente"), Qt::Key_Tab);
      Window::settle();
    } else {
      w.signIn(c.role, c.name, c.password);
    }
    EXPECT_TRUE(w.box(c.focus)->hasFocus());
    EXPECT_EQ(w.text("Utente"), c.userLeft);
    if (c.refusal.empty()) {
      EXPECT_TRUE(w.platform.messages.empty());
      test::expectMode(w, c.role == 0 ? test::kAdministratorSignedIn : test::kControllerSignedIn);
      continue;
    }
    ASSERT_EQ(w.platform.texts(), std::vector<std::string>{c.refusal});
    EXPECT_EQ(w.platform.messages[0].icon, Icon::Information);
    EXPECT_EQ(w.platform.messages[0].title, test::kCaption);
    EXPECT_EQ(w.text("Pw"), "");
    test::expectMode(w, test::kRoleChoice);
  }
}

// Entering either box of the sign-in signs out: no entry is ever saved without the account
// of who wrote it, and signing in again needs what the box entered lost.
TEST(SignIn, EnteringEitherBoxSignsOut) {
  test::Mode signedOut = test::kRoleChoice;  // signed out, the password button kept
  signedOut.passwordButtonEnabled = true;
  for (const std::string box : {"Pw", "Utente"}) {
    SCOPED_TRACE(box);
    Window w;
    w.storeBothRoles();
    w.show();
    w.signIn(0, "Admin", "password1");
    QTest::mouseClick(w.box(box.c_str()), Qt::LeftButton);
    Window::settle();
    test::expectMode(w, signedOut);
    EXPECT_EQ(w.text("Pw"), "");
    EXPECT_EQ(w.text("Utente"), box == "Pw" ? "Admin" : "");
    w.click("Cmd_Op");
    EXPECT_EQ(w.recordings(), "");  // no entry saved
    EXPECT_TRUE(w.platform.messages.empty());
    if (box == "Utente") {
      w.keys("Utente", "Admin");
      w.tab("Utente");
    }
    w.unlock("password1");
    test::expectMode(w, test::kAdministratorSignedIn);
  }
}

TEST(SignIn, EmptyBoxesAreNeverComparedOrReported) {
  Window w;
  w.storeBothRoles();
  w.show();
  w.box("Utente")->setFocus();
  Window::settle();
  QTest::keyClick(w.box("Utente"), Qt::Key_Tab);
  Window::settle();
  // The password box sends an empty user box the focus back.
  EXPECT_TRUE(w.box("Utente")->hasFocus());
  EXPECT_TRUE(w.platform.messages.empty());
}

// A wrong name left for the password box: the leave runs to its end, message included,
// then the focus comes back into the user box and the password box is never entered.
TEST(SignIn, EachLeaveEndsBeforeTheNextEnter) {
  Window w;
  w.storeBothRoles();
  w.show();
  w.signIn(0, "Admin", "password1");
  std::vector<std::string> atMessage;
  w.platform.onMessage = [&](const test::Message&) {
    atMessage.push_back(test::background(w.box("Pw")) == test::kYellow ? "password entered"
                                                                       : "password untouched");
  };
  w.type("Utente", "Intruso");
  QTest::mouseClick(w.box("Pw"), Qt::LeftButton);
  Window::settle();
  EXPECT_EQ(w.platform.texts(), std::vector<std::string>{kWrongName});
  EXPECT_EQ(atMessage, std::vector<std::string>{"password untouched"});
  EXPECT_TRUE(w.box("Utente")->hasFocus());
  EXPECT_EQ(test::background(w.box("Utente")), test::kYellow);
  EXPECT_NE(test::background(w.box("Pw")), test::kYellow);
}

// Another window taking the activation (a message box opening) is not a leave: a password
// the user has not confirmed is never compared.
TEST(SignIn, LosingTheActivationIsNotALeave) {
  Window w;
  w.storeBothRoles();
  w.show();
  w.type("Utente", "Admin");
  QTest::keyClick(w.box("Utente"), Qt::Key_Tab);
  Window::settle();
  QTest::keyClicks(w.box("Pw"), "half");
  QMessageBox other(QMessageBox::Information, "altro", "altro");
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  other.close();
  w.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
  Window::settle();
  EXPECT_TRUE(w.platform.messages.empty());
  EXPECT_EQ(w.text("Pw"), "half");
  EXPECT_TRUE(w.box("Pw")->hasFocus());
}

}  // namespace
}  // namespace kov

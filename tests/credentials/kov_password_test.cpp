#include <gtest/gtest.h>

#include <QTimer>

#include "support/modes.h"

namespace kov {
namespace {

using test::kActivated;
using test::kCaption;
using test::kChanged;
using test::kWorkstation;
using test::pad;
using test::storedRecord;
using test::Window;

// The set-up end to end, and the next start, are EndToEnd's; here restricted access ticked
// at the set-up.
TEST(FirstSetUp, TheAdministratorIsStoredWithTheParametersLoggedAndTheWindowCloses) {
  Window w;
  w.show();
  w.signIn(0, "Admin", "password");  // 8 characters
  w.retype("Opz_KOV_1", "PC 7");
  w.retype("Opz_KOV_2", "Log.txt");
  w.retype("Opz_KOV_3", "\\\\server\\report");
  w.click("Acc_Ris");
  w.click("Cmd_VPw");
  EXPECT_EQ(
      w.folder.read("KoV"),
      test::administratorFile("PC 7", true, "Log.txt", "\\\\server\\report", "Admin", "password"));
  EXPECT_EQ(w.recordings(), test::loggedEntry("PC 7", "Admin", kActivated));
  EXPECT_FALSE(w.window->isVisible());
}

// Parameters left empty are the administrator's business: the data controller's set-up
// never asks for them.
TEST(FirstSetUp, TheDataControllerIsStoredAloneAndSignsInAtTheNextStart) {
  Window w;
  const std::string administrator =
      test::administratorFile("", false, "", "", "Admin", "password1");
  w.folder.write("KoV", administrator);
  w.show();
  w.signIn(1, "Titolare", "segreto99");
  w.click("Cmd_VPw");
  EXPECT_EQ(w.folder.read("TdT"), test::controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(w.folder.read("KoV"), administrator);
  EXPECT_EQ(w.recordings(), test::loggedEntry("", "Titolare", kActivated));
  EXPECT_FALSE(w.window->isVisible());

  w.par = Kov_Par{};  // the next start on the same folder
  w.platform.messages.clear();
  w.show();
  w.signIn(1, "Titolare", "segreto99");
  test::expectMode(w, test::kControllerSignedIn);
  EXPECT_TRUE(w.platform.messages.empty());
}

TEST(FirstSetUp, EachRefusalShowsItsMessageSendsTheFocusBackAndStoresNothing) {
  const struct {
    QString user, password, workstation, reportName, reportPath;
    std::string message;
    const char* focus;
  } cases[] = {
      {"", "", "PC", "L", "P", "Occorre indicare il nome dell'utente", "Utente"},
      {"Admin", "", "PC", "L", "P", "Occorre indicare la Password", "Pw"},
      {"Admin", "password", "", "L", "P", kWorkstation, "Opz_KOV_1"},
      {"Admin", "password", "PC", "", "P",
       "Indicare il nome del File di Log Generato dal Titolare del Trattamento", "Opz_KOV_2"},
      {"Admin", "password", "PC", "L", "",
       "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento",
       "Opz_KOV_3"},
  };
  for (const auto& c : cases) {
    Window w;
    w.show();
    if (!c.user.isEmpty()) w.signIn(0, c.user, c.password);
    // An empty workstation box is left untouched: entering it proposes the computer's name.
    if (!c.workstation.isEmpty()) w.retype("Opz_KOV_1", c.workstation);
    if (!c.reportName.isEmpty()) w.retype("Opz_KOV_2", c.reportName);
    if (!c.reportPath.isEmpty()) w.retype("Opz_KOV_3", c.reportPath);
    w.click("Cmd_VPw");
    ASSERT_EQ(w.platform.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(w.platform.messages[0].icon, Icon::Information);
    EXPECT_EQ(w.platform.messages[0].title, kCaption);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.box(c.focus)->hasFocus(); })) << c.focus;
    EXPECT_EQ(w.folder.read("KoV"), "");
    EXPECT_EQ(w.recordings(), "");
    EXPECT_TRUE(w.window->isVisible());
  }
}

TEST(PasswordChange, TheNewPasswordIsStoredLoggedAndSignsInAtOnce) {
  Window w;
  w.storeBothRoles();
  const std::string administrator = w.folder.read("KoV");
  w.show();
  w.signIn(0, "Admin", "password1");
  const auto* timer = w.window->findChild<QTimer*>("Timer1");
  ASSERT_TRUE(timer->isActive());
  w.whileDialogOpen = [&](Pw_Kov& dialog) {
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(w.par.Parametri_Postazione, "");
    EXPECT_EQ(dialog.findChild<QLabel*>("Nome_Ut")->text(), "Admin");
    test::confirmPassword(dialog, "nuova-pw1");
  };
  w.click("Cmd_VPw");
  EXPECT_EQ(w.dialogsShown, 1);
  EXPECT_TRUE(timer->isActive());
  // Records 1 to 3 as they were, the new password in record 4.
  EXPECT_EQ(w.folder.read("KoV"),
            administrator.substr(0, 768) + storedRecord(pad("Admin", 20) + pad("nuova-pw1", 20)));
  EXPECT_EQ(w.recordings(), test::loggedEntry("PC-01", "Admin", kChanged));
  EXPECT_EQ(w.text("Opz_KOV_0"), "");
  // Signed out, into the password box.
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.box("Pw")->hasFocus(); }));
  EXPECT_EQ(w.text("Pw"), "");
  EXPECT_FALSE(w.find("Frm_KoV")->isEnabled());
  ASSERT_EQ(w.platform.messages.size(), 1U);  // the log writer's confirmation

  QTest::keyClicks(w.box("Pw"), "nuova-pw1");
  QTest::keyClick(w.box("Pw"), Qt::Key_Tab);
  Window::settle();
  test::expectMode(w, test::kAdministratorSignedIn);
  EXPECT_EQ(w.platform.messages.size(), 1U);
}

TEST(PasswordChange, TickedParametersAreHandedToTheDialogAndStoredWithThePassword) {
  Window w;
  w.storeBothRoles();
  w.show();
  w.signIn(0, "Admin", "password1");
  w.click("Var_Par");
  EXPECT_TRUE(w.find("Frm_Par")->isEnabled());
  EXPECT_TRUE(w.find("Acc_Ris")->isEnabled());
  EXPECT_EQ(test::background(w.box("Opz_KOV_3")), test::kWhite);
  w.retype("Opz_KOV_1", "PC 9");
  w.retype("Opz_KOV_2", "Nuovo.log");
  w.retype("Opz_KOV_3", "D:\\Log");
  w.click("Acc_Ris");
  w.whileDialogOpen = [&](Pw_Kov& dialog) {
    EXPECT_EQ(w.par.Parametri_Postazione, pad("PC 9", 20) + "1" + pad("Nuovo.log", 20) + "D:\\Log");
    // Unticked, and the parameters locked, before the dialog shows.
    EXPECT_FALSE(w.find<QCheckBox>("Var_Par")->isChecked());
    EXPECT_FALSE(w.find("Frm_Par")->isEnabled());
    EXPECT_EQ(test::background(w.box("Opz_KOV_3")), test::buttonFace());
    test::confirmPassword(dialog, "nuova-pw1");
  };
  w.click("Cmd_VPw");  // what is stored then is EndToEnd's and FaultWalk's
  EXPECT_EQ(w.dialogsShown, 1);

  // Leaving the field before the parameters come back: the next click hands none over.
  w.whileDialogOpen = [&](Pw_Kov& dialog) {
    EXPECT_EQ(w.par.Parametri_Postazione, "");
    dialog.close();
  };
  w.signIn(0, "Admin", "nuova-pw1");
  w.click("Cmd_VPw");
  EXPECT_EQ(w.dialogsShown, 2);
}

TEST(PasswordChange, ClosingTheDialogStoresNothingButIsLogged) {
  Window w;
  w.storeBothRoles();
  const std::string administrator = w.folder.read("KoV");
  const std::string controller = w.folder.read("TdT");
  w.show();
  w.signIn(1, "Titolare", "segreto99");
  w.whileDialogOpen = [&](Pw_Kov& dialog) {
    QTest::keyClicks(dialog.findChild<QLineEdit*>("N_Pw"), "nuova-pw2");
    dialog.close();
  };
  w.click("Cmd_VPw");
  EXPECT_EQ(w.folder.read("KoV"), administrator);
  EXPECT_EQ(w.folder.read("TdT"), controller);
  EXPECT_EQ(w.recordings(), test::loggedEntry("PC-01", "Titolare", kChanged));
  w.signIn(1, "Titolare", "segreto99");
  test::expectMode(w, test::kControllerSignedIn);
}

TEST(PasswordChange, RefusalsBeforeTheDialogOpens) {
  const struct {
    int role;
    const char* into;  // the box clicked into after signing in
    bool tickParameters;
    std::string message;
    const char* focus;
  } cases[] = {
      {0, "Utente", false,
       "Occorre impostare prima l'identificativo dell'Amministratore di Sistema", "Utente"},
      {1, "Utente", false, "Occorre impostare prima l'identificativo del Titolare del Trattamento",
       "Utente"},
      {1, "Pw", false, "Occorre indicare la Password", "Pw"},
      {0, "Opz_KOV_1", true, kWorkstation, "Opz_KOV_1"},
  };
  for (const auto& c : cases) {
    Window w;
    w.storeBothRoles();
    const std::string administrator = w.folder.read("KoV");
    w.show();
    w.signIn(c.role, c.role == 0 ? "Admin" : "Titolare", c.role == 0 ? "password1" : "segreto99");
    if (c.tickParameters) w.click("Var_Par");
    // Entering the user box empties both boxes, entering the password box empties it; the
    // workstation name is erased by hand.
    w.type(c.into, "");
    if (c.tickParameters) {
      w.box(c.into)->selectAll();
      QTest::keyClick(w.box(c.into), Qt::Key_Backspace);
    }
    w.platform.messages.clear();
    w.click("Cmd_VPw");
    ASSERT_EQ(w.platform.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(w.platform.messages[0].title, kCaption);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.box(c.focus)->hasFocus(); })) << c.focus;
    EXPECT_EQ(w.dialogsShown, 0);
    EXPECT_EQ(w.par.Parametri_Postazione, "");
    EXPECT_EQ(w.find<QCheckBox>("Var_Par")->isChecked(), c.tickParameters);
    EXPECT_TRUE(w.window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_EQ(w.folder.read("KoV"), administrator);
    EXPECT_EQ(w.recordings(), "");
  }
}

// On the desktop the dialog runs modally; the click goes on once it has closed.
TEST(PasswordChange, TheDesktopShowsTheDialogModally) {
  Window w;
  w.storeBothRoles();
  w.window = std::make_unique<KOV>(w.par, w.platform);
  ASSERT_TRUE(w.window->Form_Load());
  w.window->show();
  w.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
  w.signIn(1, "Titolare", "segreto99");
  bool timerStopped = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<Pw_Kov*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll.stop();
    timerStopped = !w.window->findChild<QTimer*>("Timer1")->isActive();
    test::confirmPassword(*dialog, "nuova-pw2");
  });
  poll.start(20);
  w.click("Cmd_VPw");
  EXPECT_TRUE(timerStopped);
  EXPECT_EQ(w.folder.read("TdT"), test::controllerFile("Titolare", "nuova-pw2"));
}

}  // namespace
}  // namespace kov

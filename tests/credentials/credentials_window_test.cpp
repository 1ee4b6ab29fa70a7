#include <gtest/gtest.h>


#include "support/modes.h"

namespace kov {
namespace {

using test::Window;

const std::string kNoPassword = "Occorre indicare la Password";

// The refusals of the password button and dialog in the order of the checks: the first that
// fails shows its message, sends the focus to its box and stores nothing; a closed dialog is
// still logged. Typed: user, password, workstation, report name, path; the box emptied; the
// dialog's new password and check.
TEST(Refusal, TheFirstFailingCheckShowsItsMessageAndStoresNothing) {
  enum Kind { AdministratorSetUp, AdministratorChange, ControllerChange, Dialog };
  const struct {
    Kind kind;
    QString typed;
    std::string message;
    const char* focus;
  } cases[] = {
      // clang-format off
      {AdministratorSetUp, "||PC|L|P", "Occorre indicare il nome dell'utente", "Utente"},
      {AdministratorSetUp, "Admin||PC|L|P", kNoPassword, "Pw"},
      {AdministratorSetUp, "Admin|pass wo", test::kSpace, "Pw"},
      {AdministratorSetUp, "Admin|passwor", test::kShort, "Pw"},
      {AdministratorSetUp, "Admin|password", test::kWorkstation, "Opz_KOV_1"},
      {AdministratorSetUp, "Admin|password|PC", "Indicare il nome del File di Log Generato dal Titolare del Trattamento", "Opz_KOV_2"},
      {AdministratorSetUp, "Admin|password|PC|L", "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento", "Opz_KOV_3"},
      {AdministratorChange, "Utente", "Occorre impostare prima l'identificativo dell'Amministratore di Sistema", "Utente"},
      {ControllerChange, "Utente", "Occorre impostare prima l'identificativo del Titolare del Trattamento", "Utente"},
      {ControllerChange, "Pw", kNoPassword, "Pw"},
      {AdministratorChange, "Opz_KOV_1", test::kWorkstation, "Opz_KOV_1"},
      {Dialog, "|password", "Occorre indicare la Password scelta", "N_Pw"},
      {Dialog, "pass wo|", test::kSpace, "N_Pw"},
      {Dialog, "passw|", "Occorre impostare la Password di controllo", "C_Pw"},
      {Dialog, "passwor|passwor", test::kShort, "N_Pw"},
      {Dialog, "password|password1", "Le due PassWord non sono uguali. Impostarle di nuovo", "N_Pw"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const QStringList typed = c.typed.split('|');
    Window w;
    const bool setUp = c.kind == AdministratorSetUp;
    w.showMode(setUp ? 0 : 2, setUp ? -1 : c.kind == ControllerChange ? 1 : 0);
    const std::string administrator = w.folder.read("KoV");
    const auto refused = [&](const std::string& title) {
      EXPECT_EQ(w.platform.texts().at(0) + "|" + w.platform.messages[0].title,
                c.message + "|" + title);
      EXPECT_TRUE(QTest::qWaitFor([&] {
        return QApplication::focusWidget() && QApplication::focusWidget()->objectName() == c.focus;
      }));
    };
    const char* boxes[] = {"Utente", "Pw", "Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3"};
    for (int i = 0; setUp && i < typed.size(); ++i) {
      // An empty workstation box is not entered: entering it proposes the computer's name.
      if (!typed[i].isEmpty()) w.retype(boxes[i], typed[i]);
    }
    if (c.kind == AdministratorChange || c.kind == ControllerChange) {
      if (typed[0] == "Opz_KOV_1") w.click("Var_Par");
      w.retype(qPrintable(typed[0]), "");  // entering the user or password box empties it
      QTest::keyClick(w.box(qPrintable(typed[0])), Qt::Key_Backspace);
    }
    w.par.Parametri_Postazione = "left by a change whose dialog was closed";
    w.whileDialogOpen = [&](Pw_Kov& dialog) {
      EXPECT_EQ(w.par.Parametri_Postazione, "");  // only what is ticked now is handed over
      auto* newPassword = test::control<QLineEdit>(&dialog, "N_Pw");
      auto* check = test::control<QLineEdit>(&dialog, "C_Pw");
      QTest::keyClicks(newPassword, typed[0]);
      QTest::keyClick(newPassword, Qt::Key_Tab);
      QTest::keyClicks(check, typed[1]);
      QTest::mouseClick(test::control<QPushButton>(&dialog, "CmdOK"), Qt::LeftButton);
      refused("Inserimento Password");
      EXPECT_EQ(newPassword->text() + "|" + check->text(), c.typed);
      dialog.close();
    };
    w.click("Cmd_VPw");
    if (c.kind != Dialog) refused(test::kCaption);
    EXPECT_EQ(w.platform.messages.size(), c.kind == Dialog ? 2U : 1U);
    EXPECT_EQ(w.folder.read("KoV"), administrator);
    EXPECT_EQ(w.recordings(),
              c.kind == Dialog ? test::loggedEntry("PC-01", "Admin", test::kChanged) : "");
  }
}

}  // namespace
}  // namespace kov

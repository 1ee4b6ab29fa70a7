// The refusals of the password button and of the password dialog, in the order of the checks:
// the first that fails shows its message, sends the focus to its box and stores nothing; a
// dialog closed after a refusal still logs the change.
#include <gtest/gtest.h>

#include "support/tables.h"
#include "support/window.h"

namespace kov {
namespace {

enum class Kind { AdministratorSetUp, AdministratorChange, ControllerChange, Dialog };
// How the dialog's boxes are left: Tab and a click on Ok, or Enter in each box.
enum class Keys { TabAndClick, Enter };

struct Refusal {
  const char* name;
  Kind kind = Kind::AdministratorSetUp;
  // Set-up: user, password, workstation, report name, path. Dialog: new password, check.
  std::vector<QString> typed{};
  const char* emptied = nullptr;  // a change: the box emptied
  Keys keys = Keys::TabAndClick;
  std::string message;
  const char* focus;
};

const Refusal kRefusals[] = {
    {.name = "SetUpWithoutUser",
     .typed = {"", "", "PC", "L", "P"},
     .message = test::kNoUser,
     .focus = "Utente"},
    {.name = "SetUpWithoutPassword",
     .typed = {"Admin", "", "PC", "L", "P"},
     .message = test::kNoPassword,
     .focus = "Pw"},
    {.name = "SetUpPasswordWithASpace",
     .typed = {"Admin", "pass wo"},
     .message = test::kSpace,
     .focus = "Pw"},
    {.name = "SetUpPasswordOf7",
     .typed = {"Admin", "passwor"},
     .message = test::kShort,
     .focus = "Pw"},
    {.name = "SetUpWithoutWorkstation",
     .typed = {"Admin", "password"},
     .message = test::kWorkstation,
     .focus = "Opz_KOV_1"},
    {.name = "SetUpWithoutReportName",
     .typed = {"Admin", "password", "PC"},
     .message = test::kNoReportName,
     .focus = "Opz_KOV_2"},
    {
        .name = "SetUpWithoutReportPath",
        .typed = {"Admin", "password", "PC", "L"},
        .message = test::kNoReportPath,
        .focus = "Opz_KOV_3",
    },
    {
        .name = "AdministratorChangeWithoutUser",
        .kind = Kind::AdministratorChange,
        .emptied = "Utente",
        .message = "Occorre impostare prima l'identificativo dell'Amministratore di Sistema",
        .focus = "Utente",
    },
    {
        .name = "ControllerChangeWithoutUser",
        .kind = Kind::ControllerChange,
        .emptied = "Utente",
        .message = "Occorre impostare prima l'identificativo del Titolare del Trattamento",
        .focus = "Utente",
    },
    {
        .name = "ControllerChangeWithoutPassword",
        .kind = Kind::ControllerChange,
        .emptied = "Pw",
        .message = test::kNoPassword,
        .focus = "Pw",
    },
    {
        .name = "ParametersWithoutWorkstation",
        .kind = Kind::AdministratorChange,
        .emptied = "Opz_KOV_1",
        .message = test::kWorkstation,
        .focus = "Opz_KOV_1",
    },
    {
        .name = "DialogWithoutNewPassword",
        .kind = Kind::Dialog,
        .typed = {"", "password"},
        .message = "Occorre indicare la Password scelta",
        .focus = "N_Pw",
    },
    {.name = "DialogPasswordWithASpace",
     .kind = Kind::Dialog,
     .typed = {"pass wo", ""},
     .message = test::kSpace,
     .focus = "N_Pw"},
    {
        .name = "DialogWithoutCheck",
        .kind = Kind::Dialog,
        .typed = {"passw", ""},
        .keys = Keys::Enter,
        .message = "Occorre impostare la Password di controllo",
        .focus = "C_Pw",
    },
    {
        .name = "DialogPasswordsOf7",
        .kind = Kind::Dialog,
        .typed = {"passwor", "passwor"},
        .message = test::kShort,
        .focus = "N_Pw",
    },
    {
        .name = "DialogPasswordsDiffer",
        .kind = Kind::Dialog,
        .typed = {"password", "password1"},
        .keys = Keys::Enter,
        .message = "Le due PassWord non sono uguali. Impostarle di nuovo",
        .focus = "N_Pw",
    },
};

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, ShowTheFirstFailingCheckAndStoreNothing) {
  const Refusal& row = GetParam();
  test::Window w;
  if (row.kind == Kind::AdministratorSetUp) {
    w.show();
  } else {
    w.showSignedIn(row.kind == Kind::ControllerChange ? test::Role::Controller
                                                      : test::Role::Administrator);
  }
  const std::string administrator = w.folder.read("KoV");
  const auto refused = [&](const std::string& title) {
    EXPECT_EQ(w.platform.texts().at(0) + "|" + w.platform.messages[0].title,
              row.message + "|" + title);
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return QApplication::focusWidget() && QApplication::focusWidget()->objectName() == row.focus;
    }));
  };
  const char* boxes[] = {"Utente", "Pw", "Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3"};
  for (std::size_t i = 0; row.kind == Kind::AdministratorSetUp && i < row.typed.size(); ++i) {
    // An empty workstation box is not entered: entering it proposes the computer's name.
    if (!row.typed[i].isEmpty()) w.retype(boxes[i], row.typed[i]);
  }
  if (row.emptied != nullptr) {
    if (qstrcmp(row.emptied, "Opz_KOV_1") == 0) w.click("Var_Par");
    w.retype(row.emptied, "");  // entering the user or password box empties it
    QTest::keyClick(w.box(row.emptied), Qt::Key_Backspace);
  }
  w.par.Parametri_Postazione = "left by a change whose dialog was closed";
  w.onDialog([&](Pw_Kov& dialog) {
    EXPECT_EQ(w.par.Parametri_Postazione, "");  // only what is ticked now is handed over
    auto* newPassword = test::control<QLineEdit>(&dialog, "N_Pw");
    auto* check = test::control<QLineEdit>(&dialog, "C_Pw");
    const bool enter = row.keys == Keys::Enter;
    // With Enter the keys go where the focus is, as a keyboard's do.
    const auto at = [enter](QWidget* box) { return enter ? QApplication::focusWidget() : box; };
    QTest::keyClicks(at(newPassword), row.typed.at(0));
    QTest::keyClick(at(newPassword), enter ? Qt::Key_Enter : Qt::Key_Tab);
    QTest::keyClicks(at(check), row.typed.at(1));
    if (enter) {
      QTest::keyClick(at(check), Qt::Key_Return);
    } else {
      QTest::mouseClick(test::control<QPushButton>(&dialog, "CmdOK"), Qt::LeftButton);
    }
    refused("Inserimento Password");
    EXPECT_EQ(newPassword->text() + "|" + check->text(), row.typed[0] + "|" + row.typed[1]);
    // Nothing but Ok closes it: not Escape.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
  });
  if (row.kind != Kind::Dialog) refused(test::kCaption);
  EXPECT_EQ(w.platform.messages.size(), row.kind == Kind::Dialog ? 2U : 1U);
  EXPECT_EQ(w.folder.read("KoV"), administrator);
  EXPECT_EQ(w.recordings(),
            row.kind == Kind::Dialog ? test::loggedRecord(test::kChanged, "Admin") : "");
}

INSTANTIATE_TEST_SUITE_P(, Refusals, testing::ValuesIn(kRefusals), test::RowName());

}  // namespace
}  // namespace kov

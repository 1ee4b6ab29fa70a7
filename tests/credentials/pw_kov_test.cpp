#include "credentials/pw_kov.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include "support/window.h"

namespace kov {
namespace {

using test::administratorFile;
using test::controllerFile;
using test::pad;

using test::background;
using test::kWhite;
using test::kYellow;

// The dialog opened by a signed-in user, both roles stored.
struct Dialog {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  std::unique_ptr<Pw_Kov> dialog;
  const std::string administrator =
      administratorFile("PC-01", true, "Log.txt", "C:\\Report", "Admin", "vecchia1");
  const std::string controller = controllerFile("Titolare", "vecchia2");

  explicit Dialog(std::int16_t role) {
    platform.folder = folder.path();
    folder.write("KoV", administrator);
    folder.write("TdT", controller);
    par.Utenti = {"Admin", "Titolare"};
    par.Pw_Utenti = {"vecchia1", "vecchia2"};
    par.Tipo_Utente = role;
  }

  void open() {
    dialog = std::make_unique<Pw_Kov>(par, platform, nullptr);
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  }

  template <typename Control = QWidget>
  Control* find(const char* name) const {
    return test::control<Control>(dialog.get(), name);
  }
  QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }

  // Types both entries with real key presses, moving from box to box with Tab.
  void typeBoth(const QString& newPassword, const QString& checkPassword) const {
    QTest::keyClicks(box("N_Pw"), newPassword);
    QTest::keyClick(box("N_Pw"), Qt::Key_Tab);
    QTest::keyClicks(box("C_Pw"), checkPassword);
  }
  void clickOk() const { QTest::mouseClick(find<QPushButton>("CmdOK"), Qt::LeftButton); }
  bool unchanged() const {
    return folder.read("KoV") == administrator && folder.read("TdT") == controller;
  }
};

TEST(Pw_Kov, ControlsCaptionsTabOrderAndCentring) {
  Dialog d(1);
  d.par.Utenti[1] = std::string(20, 'W');  // the widest name: centred with it shown
  d.platform.screen = {1000, 800};
  d.open();
  EXPECT_EQ(d.dialog->objectName(), "Pw_Kov");
  EXPECT_EQ(d.dialog->windowTitle(), "Inserimento Password");
  EXPECT_EQ(d.dialog->x(), (1000 - d.dialog->width()) / 2);
  EXPECT_EQ(d.dialog->y(), (800 - d.dialog->height()) / 2);
  EXPECT_EQ(d.find<QGroupBox>("Frm_Pw")->title(), "Definizione Password");
  EXPECT_EQ(d.find<QLabel>("Label1")->text(), "Nome Utente");
  EXPECT_EQ(d.find<QLabel>("Nome_Ut")->text(), QString(20, 'W'));
  EXPECT_EQ(d.find<QLabel>("Label2")->text(), "&Nuova Password");
  EXPECT_EQ(d.find<QLabel>("Label3")->text(), "V&erifica Password");
  auto* ok = d.find<QPushButton>("CmdOK");
  EXPECT_EQ(ok->text(), "&Ok");
  EXPECT_EQ(ok->toolTip(), "Conferma le impostazioni ");
  EXPECT_EQ(d.dialog->findChildren<QPushButton*>().size(), 1);
  const struct {
    const char* box;
    QString label;
  } boxes[] = {{"N_Pw", "Nuova Password"}, {"C_Pw", "Verifica Password"}};
  for (const auto& b : boxes) {
    d.box(b.box)->setText("abc");
    EXPECT_EQ(d.box(b.box)->displayText(), "***") << b.box;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(d.box(b.box))->text(QAccessible::Name),
              b.label);
  }
  EXPECT_TRUE(d.box("N_Pw")->hasFocus());
  QTest::keyClick(d.box("N_Pw"), Qt::Key_Tab);
  EXPECT_TRUE(d.box("C_Pw")->hasFocus());
  QTest::keyClick(d.box("C_Pw"), Qt::Key_Tab);
  EXPECT_TRUE(ok->hasFocus());

  // The characters refused where they are typed are BadInput's; the euro sign is stored.
  d.box("N_Pw")->setFocus();
  QTest::sendKeyEvent(QTest::Click, d.box("N_Pw"), Qt::Key_unknown,
                      QString::fromUtf8("\xE2\x82\xAC"), Qt::NoModifier);
  EXPECT_EQ(d.box("N_Pw")->text(), QString::fromUtf8("\xE2\x82\xAC"));
  EXPECT_EQ(d.platform.beeps, 0);
}

TEST(Pw_Kov, BoxesTurnYellowWithTheirTextSelectedAndLoseEndSpacesOnLeaving) {
  Dialog d(0);
  d.open();
  QLineEdit* newPassword = d.box("N_Pw");
  QLineEdit* check = d.box("C_Pw");
  EXPECT_EQ(background(newPassword), kYellow);
  QTest::keyClicks(newPassword, "  nuova-pw1 ");
  QTest::keyClick(newPassword, Qt::Key_Tab);
  EXPECT_EQ(newPassword->text(), "nuova-pw1");
  EXPECT_EQ(background(newPassword), kWhite);
  EXPECT_EQ(background(check), kYellow);
  QTest::keyClick(check, Qt::Key_Backtab);
  EXPECT_EQ(background(check), kWhite);
  EXPECT_EQ(background(newPassword), kYellow);
  EXPECT_EQ(newPassword->selectionStart(), 0);
  EXPECT_EQ(newPassword->selectionLength(), 9);
  EXPECT_TRUE(d.platform.messages.empty());
}

// Confirming with Enter in both boxes is how the password change tests store a password.
TEST(Pw_Kov, EnterMovesOnFromANewPasswordAndConfirmsFromTheCheck) {
  Dialog d(0);
  d.open();
  QLineEdit* newPassword = d.box("N_Pw");
  QLineEdit* check = d.box("C_Pw");
  QTest::keyClick(newPassword, Qt::Key_Return);  // empty: nothing happens
  EXPECT_TRUE(newPassword->hasFocus());
  QTest::keyClicks(newPassword, "   ");
  QTest::keyClick(newPassword, Qt::Key_Enter);  // spaces count as content
  EXPECT_TRUE(check->hasFocus());
  EXPECT_EQ(newPassword->text(), "");
  QTest::keyClick(check, Qt::Key_Return);
  ASSERT_EQ(d.platform.messages.size(), 1U);
  EXPECT_EQ(d.platform.messages[0].icon, Icon::Information);
  EXPECT_EQ(d.platform.messages[0].title, "Inserimento Password");
  EXPECT_EQ(d.platform.messages[0].text, "Occorre indicare la Password scelta");
  EXPECT_TRUE(newPassword->hasFocus());
  EXPECT_TRUE(d.dialog->isVisible());
  EXPECT_TRUE(d.unchanged());
}

TEST(Pw_Kov, RefusedEntriesSendTheFocusBackWithTheTextsKept) {
  const struct {
    QString newPassword;
    QString checkPassword;
    std::string message;
    const char* focus;
  } cases[] = {
      {"corta", "", "Occorre impostare la Password di controllo", "C_Pw"},
      {"Nuova-pw1", "nuova-pw1", "Le due PassWord non sono uguali. Impostarle di nuovo", "N_Pw"},
      {"corta12", "corta12", "La PassWord deve essere di almeno 8 caratteri", "N_Pw"},
      {"nuova pw1", "nuova pw1",
       "All'interno della PassWord non \xE8 ammesso il carattere <spazio>", "N_Pw"},
  };
  for (const auto& c : cases) {
    Dialog d(0);
    d.open();
    d.typeBoth(c.newPassword, c.checkPassword);
    d.clickOk();
    EXPECT_EQ(d.platform.texts(), std::vector<std::string>{c.message});
    QLineEdit* focus = d.box(c.focus);
    EXPECT_TRUE(focus->hasFocus()) << c.message;
    EXPECT_EQ(focus->selectionLength(), focus->text().size()) << c.message;
    EXPECT_EQ(d.box("N_Pw")->text(), c.newPassword);
    EXPECT_EQ(d.box("C_Pw")->text(), c.checkPassword);
    EXPECT_TRUE(d.dialog->isVisible());
    EXPECT_TRUE(d.unchanged());
    EXPECT_EQ(d.par.Pw_Utenti[0], "vecchia1");
  }
}

// The message box of a refusal may leave the dialog inactive, and the focus then moves with
// no FocusOut: once the dialog is active again the box the focus left has its leave first.
TEST(Pw_Kov, AFocusMoveWhileInactiveStillLeavesTheBoxItLeft) {
  Dialog d(0);
  d.open();
  d.typeBoth("corta", " corta ");
  QWidget box;
  d.platform.onMessage = [&](const test::Message&) {
    box.show();
    box.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
  };
  QTest::keyClick(d.box("C_Pw"), Qt::Key_Return);
  EXPECT_EQ(d.platform.texts(),
            std::vector<std::string>{"La PassWord deve essere di almeno 8 caratteri"});
  EXPECT_EQ(d.box("C_Pw")->text(), " corta ");
  box.close();
  d.dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d.dialog.get()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return background(d.box("N_Pw")) == kYellow; }));
  EXPECT_EQ(d.box("C_Pw")->text(), "corta");
  EXPECT_EQ(background(d.box("C_Pw")), kWhite);
  EXPECT_TRUE(d.box("N_Pw")->hasFocus());
  EXPECT_EQ(d.box("N_Pw")->selectionLength(), 5);
}

TEST(Pw_Kov, TheAccessKeyConfirmsAndOnlyTheDataControllersFileIsWritten) {
  Dialog d(1);
  // Parameters are the administrator's; the data controller's change never stores them.
  d.par.Parametri_Postazione = pad("PC-09", 20) + "0" + pad("X.log", 20) + "X:\\";
  d.open();
  d.typeBoth(" nuova-pw2 ", "nuova-pw2  ");
  QTest::keyClick(d.dialog.get(), Qt::Key_O, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !d.dialog->isVisible(); }));
  EXPECT_EQ(d.folder.read("TdT"), controllerFile("Titolare", "nuova-pw2"));
  EXPECT_EQ(d.folder.read("KoV"), d.administrator);
  EXPECT_EQ(d.par.Pw_Utenti, (std::array<std::string, 2>{"vecchia1", "nuova-pw2"}));
  EXPECT_TRUE(d.platform.messages.empty());
}

TEST(Pw_Kov, ClosingTheWindowWritesNothingAndEscapeDoesNotClose) {
  Dialog d(0);
  d.par.Parametri_Postazione = pad("PC-02", 20) + "0" + pad("Nuovo.log", 20) + "D:\\Log";
  d.open();
  d.typeBoth("nuova-pw1", "nuova-pw1");
  QTest::keyClick(d.box("C_Pw"), Qt::Key_Escape);
  EXPECT_TRUE(d.dialog->isVisible());
  d.dialog->close();
  EXPECT_FALSE(d.dialog->isVisible());
  EXPECT_TRUE(d.unchanged());
  EXPECT_EQ(d.par.Pw_Utenti[0], "vecchia1");
  EXPECT_TRUE(d.platform.messages.empty());
}

}  // namespace
}  // namespace kov

// An office's month on one program folder, from the empty folder: both first set-ups, the
// sign-in, the four planned operations, the administrator's log, the menu bar, a password change
// with new parameters and restricted access, the report with removal. Each
// mode's controls and Tab order are checked as it opens, on each of the offices' screens, and
// after every step each file is compared byte for byte with records built here.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <tuple>

#include "runtime/file.h"
#include "support/modes.h"
#include "support/report_files.h"
#include "window/dialogs/guide.h"
#include "window/logviewer/log_viewer.h"
#include "window/platform/translations.h"

namespace kov {
namespace {

using test::administratorFile, test::controllerFile;

struct Office : test::Window {
  // A dark desktop theme: the boxes the program colours bring their own black text. The
  // README's pictures keep the usual theme.
  Office() {
    const QSize free = QGuiApplication::primaryScreen()->availableGeometry().size();
    platform.screen = {free.width(), free.height()};
    if (!qEnvironmentVariableIsEmpty("KOV_SCREENSHOTS")) return;
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
  }
  ~Office() { QApplication::setPalette(QPalette()); }
  std::string reports = folder.path() + "\\report";
  std::vector<std::string> entries;  // the plain entries written, in order

  void expect(const test::Mode& mode, const char* tabOrder, const char* userTip) {
    test::expectMode(*this, mode);
    // A box that has the focus is yellow, with black text whatever the desktop's theme.
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
      EXPECT_EQ(test::textColour(box), QColor(Qt::black)) << mode.name;
    }
    EXPECT_EQ(test::tabOrder(window.get()), tabOrder) << mode.name;
    EXPECT_EQ(box("Utente")->toolTip(), userTip) << mode.name;
    // Within the screen's free area, and every control scrolls into view.
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(free.contains(window->frameGeometry()));
    auto* scroll = window->findChild<QScrollArea*>();
    // A screen 500 pixels high or more holds the frames whole: nothing scrolls.
    EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), free.height() < 500) << mode.name;
    for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(window.get()) || qobject_cast<QGroupBox*>(control)) continue;
      scroll->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
          << control->objectName().toStdString();
    }
    if (mode.roleChoiceEnabled && !qEnvironmentVariableIsEmpty("KOV_SCREENSHOTS")) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return !find<QLabel>("Data_G")->text().isEmpty(); }));
    }
    picture(window->grab(), mode.picture);
  }
  void idle(const QWidget* locked) const {
    EXPECT_EQ(window->findChild<QTimer*>("IdleLock")->interval(), 10 * 60 * 1000);
    Window::idle(locked);
  }
  // With KOV_SCREENSHOTS naming a folder, the README's pictures are written there.
  static void picture(const QPixmap& shown, const char* file) {
    const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS");
    EXPECT_TRUE(folder.isEmpty() || file == nullptr || shown.save(folder + '/' + file)) << file;
  }
  // A new run of the program on the same folder, at a moment of 04/12/2026.
  void run(int hour, int minute, const test::Mode& mode, const char* tabOrder, const char* tip) {
    window.reset();
    par = Kov_Par{};
    platform.messages.clear();
    at(hour, minute);
    show();
    expect(mode, tabOrder, tip);
  }
  void at(int hour, int minute) { platform.clock = {2026, 12, 4, hour, minute, 0}; }
  // The entry the log writer makes now; the recordings file holds every one in order.
  void logged(const std::string& workstation, const std::string& account, const std::string& what) {
    char time[9];
    std::snprintf(time, sizeof time, "%02d:%02d:00", platform.clock.hour, platform.clock.minute);
    entries.push_back("N04/12/2026" + std::string(time) + test::pad(workstation, 14) +
                      test::pad(account, 20) + what);
    std::string bytes;
    for (const std::string& entry : entries) bytes += test::storedRecord(entry);
    // An access key clicks its button after showing it pressed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return recordings().size() >= bytes.size(); }));
    EXPECT_EQ(recordings(), bytes);
  }
};

QWidget* openedPopup() {
  QWidget* popup = nullptr;
  EXPECT_TRUE(QTest::qWaitFor([&] { return (popup = QApplication::activePopupWidget()); }));
  return popup;
}

const char kAdministratorTip[] = "Nome del'Amministratore di Sistema (Admin)";

// The first set-ups, as the office makes them; the parameters' boxes are entered with their
// access keys, which select what they hold.
void setUpAdministrator(const test::Window& w, const std::string& reports) {
  w.setUp("Admin", "password1");
  const std::pair<Qt::Key, QString> parameters[] = {{Qt::Key_W, "PC-UFFICIO"},
                                                    {Qt::Key_N, "Report.txt"},
                                                    {Qt::Key_H, QString::fromStdString(reports)}};
  for (const auto& [key, typed] : parameters) {
    w.alt(key);
    QTest::keyClicks(QApplication::focusWidget(), typed);
  }
  w.click("Cmd_VPw");
}
void setUpController(const test::Window& w) {
  w.setUp("Titolare", "segreto99");
  w.click("Cmd_VPw");
}

// One step of an office's day, for two_users_test.sh: the real window on the folder that holds
// this program, installed there as "kov" and run as the operating-system user of the step's
// role. No step may meet an error message.
void officeStep(const QString& step) {
  test::Window s;
  s.platform.folder = QCoreApplication::applicationDirPath().toStdString();
  s.show();
  if (step == "AdministratorSetUp") {
    setUpAdministrator(s, s.platform.folder + "/report");
  } else if (step == "ControllerSetUp") {
    setUpController(s);
  } else if (step == "Entry") {
    s.signIn(0, "Admin", "password1");
    s.click("Cmd_Op");
  } else {
    ASSERT_EQ(step, "ReportWithRemoval");
    s.signIn(1, "Titolare", "segreto99");
    s.period("04122026", "04122026");
    s.click("Rimuovi");
    s.click("Cmd_Gp");
  }
  for (const test::Message& m : s.platform.messages) EXPECT_NE(m.icon, Icon::Critical) << m.text;
}

TEST(EndToEnd, AnOfficesMonthFromAnEmptyFolder) {
  if (qEnvironmentVariableIsSet("KOV_OFFICE_STEP")) {
    officeStep(qEnvironmentVariable("KOV_OFFICE_STEP"));
    return;
  }
  Office o;
  o.folder.makeFolder("report");
  o.platform.computer = "UFFICIO-AMMINISTRAZIONE";
  o.run(9, 0, test::kAdministratorSetUp, "Utente Pw Cmd_VPw Opz_KOV_1 Opz_KOV_2 Opz_KOV_3 Acc_Ris",
        "Nome del'Amministratore di Sistema ()");
  o.alt(Qt::Key_W);  // the computer's name proposed, as much as the box takes
  EXPECT_EQ(o.text("Opz_KOV_1"), "UFFICIO-AMMINI");
  setUpAdministrator(o, o.reports);
  EXPECT_FALSE(o.window->isVisible());
  const std::string administrator =
      administratorFile("PC-UFFICIO", false, "Report.txt", o.reports, "Admin", "password1");
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  EXPECT_FALSE(o.folder.exists("TdT"));
  o.logged("PC-UFFICIO", "Admin", test::kActivated);

  o.run(9, 10, test::kControllerSetUp, "Utente Pw Cmd_VPw", "Nome del Titolare del Trattamento ()");
  setUpController(o);
  EXPECT_FALSE(o.window->isVisible());
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  o.logged("PC-UFFICIO", "Titolare", test::kActivated);

  // Each planned operation proposes its wording, with today's date where it has one; "Altro"
  // leaves the box to the administrator. Each entry locks the window until the password again.
  // A wrong name empties the user box and a wrong password the password box; an empty user box
  // is not checked. Names ignore letter case and surrounding spaces, passwords only the spaces.
  o.run(9, 20, test::kRoleChoice, "Tp_Ut_0 Utente Pw", kAdministratorTip);
  EXPECT_EQ(o.find("N_Accessi")->accessibleDescription(), "2");  // the count, said too
  const std::tuple<QString, QString, std::string, std::string> tries[] = {
      {"", "", "", "|"},
      {"Ad min", "", "L'identificativo non coincide con quello Predefinito", "|"},
      {"Admin", "PASSWORD1", "La Password non \xE8 corretta", "Admin|"},
      {"ADMIN", " password1 ", "", "ADMIN|password1"}};
  for (const auto& [name, password, refusal, left] : tries) {
    o.platform.messages.clear();
    o.retype("Utente", name);
    o.tab("Utente");
    if (!password.isEmpty()) o.unlock(password);
    EXPECT_EQ(o.text("Utente") + "|" + o.text("Pw"), left);
    EXPECT_EQ(o.platform.texts(), std::vector<std::string>(!refusal.empty(), refusal));
    for (const char* box : {"Utente", "Pw"}) {  // white once left
      EXPECT_EQ(test::background(o.box(box)),
                o.box(box)->hasFocus() ? test::kYellow : test::kWhite);
    }
  }
  o.expect(test::kAdministratorSignedIn,
           "Tp_Ut_0 Utente Pw Cmd_VPw Var_Par Op_Pi_0 Cmd_Op Opz_KOV_0", kAdministratorTip);
  // What a screen reader says where a caption says too little.
  const std::pair<const char*, QString> names[] = {
      {"Utente", "Account"},
      {"Opz_KOV_0", "Commento dell'operazione"},
      {"Cmd_Gp", "Genera il report"},
      {"N_Accessi", "Numero delle scritture registrate"},
      {"Var_Par", "Parametri della Postazione di Lavoro"},
      {"Cmd_Op", "Salva il commento nel file delle operazioni"}};
  for (const auto& [name, said] : names)
    EXPECT_EQ(QAccessible::queryAccessibleInterface(o.find(name))->text(QAccessible::Name), said);
  EXPECT_EQ(o.find("Pw")->toolTip(), "Digitare la password impostata");
  // The options after the first are chosen, and every entry saved, with their access keys.
  const std::tuple<const char*, Qt::Key, std::string> operations[] = {
      {"Op_Pi_0", Qt::Key_unknown, test::kBackup},
      {"Op_Pi_1", Qt::Key_S, "Eseguito ripristo del Data Base come da verbale del 04/12/2026"},
      {"Op_Pi_2", Qt::Key_C,
       "Verificato e aggiornato elenco delle credenziali di accesso alla Rete"},
      {"Op_Pi_3", Qt::Key_R, ""}};
  for (const auto& [option, key, proposed] : operations) {
    key == Qt::Key_unknown ? o.click(option) : o.alt(key);
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.find<QRadioButton>(option)->isChecked(); }));
    EXPECT_EQ(o.text("Opz_KOV_0"), proposed) << option;
    // A choice hands the comment box the focus; the backup check is the one already chosen.
    EXPECT_TRUE(
        proposed == test::kBackup ||
        (o.box("Opz_KOV_0")->hasFocus() && test::background(o.box("Opz_KOV_0")) == test::kYellow))
        << option;
    // Leaving the box for Ok trims what was typed.
    if (proposed.empty()) o.keys("Opz_KOV_0", "Sostituito il disco  ");
    o.alt(Qt::Key_O);
    o.logged("PC-UFFICIO", "ADMIN", proposed.empty() ? "Sostituito il disco" : proposed);
    o.unlock("password1");
  }
  EXPECT_EQ(o.find("N_Accessi")->accessibleDescription(), "6");

  // His log lists his own entries, whatever the letter case they were signed in with, and
  // follows a date and a word as they are typed. Entering the password box signs out and
  // closes it.
  o.alt(Qt::Key_I);
  QWidget* menu = openedPopup();
  ASSERT_NE(menu, nullptr);
  QPixmap withMenu = o.window->grab();
  QPainter(&withMenu).drawPixmap(o.window->mapFromGlobal(menu->pos()), menu->grab());
  Office::picture(withMenu, "menu.png");
  QTest::keyClick(menu, Qt::Key_V);
  const QPointer<LogViewer> log(o.window->findChild<LogViewer*>());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return log && log->isAncestorOf(QApplication::focusWidget()); }));
  auto* table = test::control<QTableView>(log, "Scritture");
  EXPECT_TRUE(table->isVisible());
  EXPECT_EQ(table->horizontalHeader()->model()->headerData(1, Qt::Horizontal), "Data");
  // What the count says and the rows the table shows, once the list has followed the boxes.
  const auto shown = [&](const QString& expected) {
    const auto now = [&] {
      return test::control<QLabel>(log, "Conteggio")->text() + " " +
             QString::number(table->verticalHeader()->count());
    };
    static_cast<void>(QTest::qWaitFor([&] { return now() == expected; }));  // compared below
    return now();
  };
  EXPECT_EQ(shown("Scritture mostrate: 5 di 6 5"), "Scritture mostrate: 5 di 6 5");
  QTest::keyClicks(QApplication::focusWidget(), "05122026");
  EXPECT_EQ(shown("Scritture mostrate: 0 di 6 0"), "Scritture mostrate: 0 di 6 0");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
  QTest::keyClicks(QApplication::focusWidget(), "04");  // from 04/12/2026
  EXPECT_EQ(shown("Scritture mostrate: 5 di 6 5"), "Scritture mostrate: 5 di 6 5");
  Office::picture(log->grab(), "log-viewer.png");
  for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClicks(QApplication::focusWidget(), "DISCO");
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Cerca");
  EXPECT_EQ(shown("Scritture mostrate: 1 di 6 1"), "Scritture mostrate: 1 di 6 1");
  // Ten minutes untouched sign out as entering the password box does, and close the log; a key
  // starts them anew.
  auto* idleTimer = o.window->findChild<QTimer*>("IdleLock");
  idleTimer->stop();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  EXPECT_TRUE(idleTimer->isActive());
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  o.idle(o.find("Frm_KoV"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return log == nullptr; }));
  test::expectMode(o, test::kSignedOut);
  EXPECT_EQ(o.text("Pw"), "");

  // Neither another window taking the activation nor the menu bar is a leave of the password
  // box: what was typed stays. F1 gives the guide, closed with Escape; then the information.
  o.typePassword("pass");
  const std::size_t said = o.platform.messages.size();
  o.alt(Qt::Key_F);
  QWidget* file = openedPopup();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(qobject_cast<QMenu*>(file)->title(), "&File");
  QTest::keyClick(file, Qt::Key_Escape);
  QTest::keyClick(o.find("menu"), Qt::Key_Escape);
  EXPECT_TRUE(o.box("Pw")->hasFocus());
  QWidget other;
  for (QWidget* window : {&other, static_cast<QWidget*>(o.window.get())}) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  }
  QTest::keyClick(o.box("Pw"), Qt::Key_F1);
  const QPointer<Guide> guide(o.window->findChild<Guide*>());
  ASSERT_TRUE(guide && QTest::qWaitForWindowExposed(guide));
  auto* browser = guide->findChild<QTextBrowser*>();
  EXPECT_EQ(browser->document()->metaInformation(QTextDocument::DocumentTitle), "Guida di KoV");
  EXPECT_TRUE(browser->document()->toPlainText().contains("Il report mensile, passo per passo"));
  QTest::keyClick(browser, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return guide == nullptr; }));
  o.window->findChild<QAction*>("InformazioniSu")->trigger();
  auto* about = o.window->findChild<QMessageBox*>("Informazioni");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->text().contains(QString::fromStdString(o.folder.path())));
  EXPECT_TRUE(about->text().contains("Versione 020000 del 01/02/2011 (release " KOV_VERSION ")"));
  about->close();
  ASSERT_TRUE(installItalianTranslations(*QCoreApplication::instance()));  // as the program does
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annulla");
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  EXPECT_EQ(o.text("Pw"), "pass");
  EXPECT_EQ(o.platform.messages.size(), said);
  o.unlock("word1");
  test::expectMode(o, test::kAdministratorSignedIn);

  // The idle sign-out leaves an open password dialog nothing but its closing, which is logged
  // as it always is.
  o.onDialog([&](Pw_Kov& dialog) { o.idle(&dialog); });
  o.logged("PC-UFFICIO", "ADMIN", test::kChanged);
  o.unlock("password1");

  // The password changes, and with it the parameters, restricted access now ticked.
  o.at(9, 25);
  o.click("Var_Par");
  o.alt(Qt::Key_W);
  QTest::keyClicks(o.box("Opz_KOV_1"), "PC-NUOVO");
  o.alt(Qt::Key_N);
  QTest::keyClicks(o.box("Opz_KOV_2"), "Nuovo.txt");
  o.alt(Qt::Key_L);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.find<QCheckBox>("Acc_Ris")->isChecked(); }));
  // The dialog runs modally with the clock stopped, in the middle of the screen. Its access key
  // takes the focus first, so the box it leaves drops its end spaces before the check.
  auto* clock = o.window->findChild<QTimer*>("Timer1");
  bool stopped = false;
  o.onDialog([&](Pw_Kov& shown) {
    Pw_Kov* dialog = &shown;
    stopped = !clock->isActive();
    const auto [width, height] = o.platform.screen;
    EXPECT_EQ(dialog->pos(),
              QPoint((width - dialog->width()) / 2, (height - dialog->height()) / 2));
    Office::picture(dialog->grab(), "password-dialog.png");
    EXPECT_EQ(dialog->objectName() + "|" + dialog->windowTitle(), "Pw_Kov|Inserimento Password");
    const char* texts[][3] = {
        // clang-format off
        {"Frm_Pw", "title", "Definizione Password"}, {"Label1", "text", "Nome Utente"},
        {"Nome_Ut", "text", "Admin"}, {"Label2", "text", "&Nuova Password"},
        {"Label3", "text", "V&erifica Password"}, {"CmdOK", "text", "&Ok"},
        {"CmdOK", "toolTip", "Conferma le impostazioni "},
        // clang-format on
    };
    for (const auto& t : texts) EXPECT_EQ(test::control(dialog, t[0])->property(t[1]), t[2]);
    auto* newPassword = test::control<QLineEdit>(dialog, "N_Pw");
    auto* check = test::control<QLineEdit>(dialog, "C_Pw");
    QTest::keyClick(newPassword, Qt::Key_Return);  // empty: nothing happens
    QTest::keyClicks(newPassword, "nuovapass1");
    EXPECT_EQ(newPassword->displayText(), "**********");
    QTest::keyClick(newPassword, Qt::Key_Enter);
    QTest::keyClicks(check, "nuovapass1");
    QTest::keyClick(check, Qt::Key_Backtab);
    QTest::keyClicks(newPassword, "nuovapass1 ");  // entering selected it all
    QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }));
  });
  EXPECT_TRUE(stopped && clock->isActive());
  const std::string changed =
      administratorFile("PC-NUOVO", true, "Nuovo.txt", o.reports, "Admin", "nuovapass1");
  EXPECT_EQ(o.folder.read("KoV"), changed);
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  o.logged("PC-NUOVO", "ADMIN", test::kChanged);
  o.unlock("nuovapass1");
  test::expectMode(o, test::kAdministratorSignedIn);

  // The data controller's period: its keys are set on leaving the end, so a start changed
  // afterwards waits for that.
  o.at(9, 30);
  o.signIn(1, "titolare", "segreto99");
  o.expect(test::kControllerSignedIn,
           "Tp_Ut_1 Utente Pw Cmd_VPw Dt_1 Dt_2 Anche_gia_Lette Rimuovi Cmd_Gp",
           "Nome del Titolare del Trattamento (Titolare)");
  // An open calendar closes with the idle sign-out.
  QTest::keyClick(o.box("Dt_1"), Qt::Key_F4);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  o.idle(o.find("Frm_TdT"));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  o.unlock("segreto99");
  o.period("01122026", "04122026");
  o.alt(Qt::Key_D);
  QTest::keyClicks(o.box("Dt_1"), "05122026");
  o.alt(Qt::Key_M);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.find<QCheckBox>("Rimuovi")->isChecked(); }));
  o.platform.messages.clear();
  o.click("Cmd_Gp");
  std::string report = test::kHeadingRecord;
  for (const std::string& e : o.entries) report += test::lineOf(e);
  EXPECT_EQ(o.folder.read("report/20261204_0930_Nuovo.txt"), report);
  const std::vector<std::string> texts = o.platform.texts();
  ASSERT_EQ(texts.size(), 4U);
  EXPECT_EQ(texts[0], test::foundText(o.entries.size(), o.reports + "\\20261204_0930_Nuovo.txt"));
  EXPECT_EQ(texts[2], test::kDeleted);
  o.entries.clear();
  o.logged("PC-NUOVO", "titolare", test::kRemoved);  // the name as typed
  EXPECT_TRUE(isHidden(dataFileName(o.folder.path(), "\\OdV")));
  EXPECT_EQ(o.folder.read("KoV"), changed);
  // The report folder of the parameters, missing, then there, shown by the desktop.
  o.platform.messages.clear();
  std::filesystem::rename(o.folder.file("report"), o.folder.file("away"));
  for (const bool there : {false, true}) {
    if (there) std::filesystem::rename(o.folder.file("away"), o.folder.file("report"));
    o.alt(Qt::Key_F);
    QTest::keyClick(openedPopup(), Qt::Key_A);
  }
  EXPECT_EQ(o.platform.texts(),
            std::vector{"La cartella dei report " + o.folder.file("report") + " non esiste"});
  EXPECT_EQ(o.platform.opened, std::vector{o.folder.file("report")});
  EXPECT_EQ(o.text("Opz_KOV_3"), o.reports + "\\");  // as the run left it
  // Entering the user box signs out; Esci ends the program.
  o.click("Utente");
  test::Mode signedOut = test::kSignedOut;
  signedOut.roleSelected = 1;
  test::expectMode(o, signedOut);
  o.alt(Qt::Key_F);
  QTest::keyClick(openedPopup(), Qt::Key_E);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !o.window->isVisible(); }));
}

}  // namespace
}  // namespace kov

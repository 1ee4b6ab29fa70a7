// An office's month on one program folder, from the empty folder: both first set-ups, the
// sign-in, the four planned operations, the administrator's log, the menu bar, a password change
// with new parameters and restricted access, the report with removal. Each
// mode's controls and Tab order are checked as it opens, on each of the offices' screens, and
// after every step each file is compared byte for byte with records built here.
#include <gtest/gtest.h>

#include <QClipboard>
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
#include <QToolTip>
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

  void expect(Mode mode, const char* tabOrder, const char* userTip) {
    test::expectMode(*this, mode);
    const test::ModeControls& controls = test::controlsOf(mode);
    SCOPED_TRACE(controls.name);
    // A box that has the focus is yellow, with black text whatever the desktop's theme.
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
      EXPECT_EQ(test::textColour(box), QColor(Qt::black));
    }
    EXPECT_EQ(test::tabOrder(window.get()), tabOrder);
    EXPECT_EQ(box("Utente")->toolTip(), userTip);
    // Within the screen's free area, and every control scrolls into view.
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(free.contains(window->frameGeometry()));
    auto* scroll = window->findChild<QScrollArea*>();
    // A screen 500 pixels high or more holds the frames whole: nothing scrolls.
    EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), free.height() < 500);
    for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(window.get()) || qobject_cast<QGroupBox*>(control)) continue;
      scroll->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
          << control->objectName().toStdString();
    }
    if (!controls.setUp) {  // the clock
      EXPECT_TRUE(QTest::qWaitFor([&] {
        return find<QLabel>("Data_G")->text() + find<QLabel>("Ora_G")->text() ==
               QString::fromStdString(formatDate(platform.clock) + formatTime(platform.clock));
      }));
    }
    picture(window->grab(), controls.picture);
  }
  // With KOV_SCREENSHOTS naming a folder, the README's pictures are written there.
  static void picture(const QPixmap& shown, const char* file) {
    const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS");
    EXPECT_TRUE(folder.isEmpty() || file == nullptr || shown.save(folder + '/' + file)) << file;
  }
  // A new run of the program on the same folder, at a moment of 04/12/2026.
  void run(int hour, int minute, Mode mode, const char* tabOrder, const char* tip) {
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
const QString kNotStorable = QString::fromUtf8(
    "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");
const QString kTooLong = QString::fromUtf8(
    "Testo troppo lungo: il campo accetta al massimo 20 caratteri. Il testo non è stato "
    "modificato.");

TEST(EndToEnd, AnOfficesMonthFromAnEmptyFolder) {
  Office o;
  o.folder.makeFolder("report");
  o.platform.computer = "UFFICIO-AMMINISTRAZIONE";
  o.run(9, 0, Mode::AdministratorSetUp, "Utente Pw Cmd_VPw Opz_KOV_1 Opz_KOV_2 Opz_KOV_3 Acc_Ris",
        "Nome del'Amministratore di Sistema ()");
  o.click("Cmd_VPw");
  EXPECT_EQ(o.platform.texts(), std::vector<std::string>{test::kNoUser});
  // Every box refuses what cannot be stored, typed or pasted, with a beep and a word beside
  // it, and keeps what it held; a paste too long is refused whole.
  for (const char* name : {"Utente", "Pw", "Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3"})
    o.keys(name, QString::fromUtf8("\u2603"));
  QApplication::clipboard()->setText("a\177");
  o.box("Opz_KOV_1")->paste();
  EXPECT_EQ(QToolTip::text(), kNotStorable);
  QApplication::clipboard()->setText(QString(21, 'x'));
  o.box("Opz_KOV_2")->paste();
  EXPECT_EQ(QToolTip::text(), kTooLong);
  EXPECT_EQ(o.platform.beeps, 7);
  EXPECT_EQ(o.text("Utente") + o.text("Pw") + o.text("Opz_KOV_2") + o.text("Opz_KOV_3"), "");
  o.alt(Qt::Key_W);  // the computer's name proposed, as much as the box takes
  EXPECT_EQ(o.text("Opz_KOV_1"), "UFFICIO-AMMINI");
  o.setUpAdministrator(o.reports);
  EXPECT_FALSE(o.window->isVisible());
  const std::string administrator =
      administratorFile("PC-UFFICIO", false, "Report.txt", o.reports, "Admin", "password1");
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  EXPECT_FALSE(o.folder.exists("TdT"));
  o.logged("PC-UFFICIO", "Admin", test::kActivated);

  o.run(9, 10, Mode::ControllerSetUp, "Utente Pw Cmd_VPw", "Nome del Titolare del Trattamento ()");
  o.setUpController();
  EXPECT_FALSE(o.window->isVisible());
  EXPECT_EQ(o.folder.read("TdT"), controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(o.folder.read("KoV"), administrator);
  o.logged("PC-UFFICIO", "Titolare", test::kActivated);

  // Each planned operation proposes its wording, with today's date where it has one; "Altro"
  // leaves the box to the administrator. Each entry locks the window until the password again.
  // A wrong name empties the user box and a wrong password the password box; an empty user box
  // is not checked. Names ignore letter case and surrounding spaces, passwords only the spaces.
  o.run(9, 20, Mode::RoleChoice, "Tp_Ut_0 Utente Pw", kAdministratorTip);
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
  o.expect(Mode::AdministratorSignedIn,
           "Tp_Ut_0 Utente Pw Cmd_VPw Var_Par Op_Pi_0 Cmd_Op Opz_KOV_0", kAdministratorTip);
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
    if (proposed.empty()) o.keys("Opz_KOV_0", QString::fromUtf8("Sostituito il \u2603disco  "));
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
  // Asked for again from the window, the open log comes back to the front.
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  o.window->findChild<QAction*>("VisualizzaRegistro")->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == log; }));
  // Ten minutes untouched sign out as entering the password box does, and close the log; a key
  // starts them anew.
  const std::string proposed = o.text("Opz_KOV_0");
  o.keys("Opz_KOV_0", " in attesa di");  // a comment typed and not saved
  auto* idleTimer = o.window->findChild<QTimer*>("IdleLock");
  idleTimer->stop();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  EXPECT_TRUE(idleTimer->isActive());
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  o.idle(o.find("Frm_KoV"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return log == nullptr; }));
  test::expectMode(o, Mode::SignedOut);
  EXPECT_EQ(o.text("Pw"), "");

  // Neither another window taking the activation nor the menu bar is a leave of the password
  // box: what was typed stays. F1 gives the guide, closed with Escape; then the information.
  o.typePassword("pass");
  const std::size_t said = o.platform.messages.size();
  o.alt(Qt::Key_F);
  QWidget* file = openedPopup();
  ASSERT_NE(file, nullptr);
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
  EXPECT_TRUE(browser->document()->toPlainText().contains("Il report mensile, passo per passo"));
  QTest::mouseClick(guide->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close),
                    Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return guide == nullptr; }));
  o.window->findChild<QAction*>("InformazioniSu")->trigger();
  auto* about = o.window->findChild<QMessageBox*>("Informazioni");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->text().contains(QString::fromStdString(o.folder.path())));
  about->close();
  ASSERT_TRUE(installItalianTranslations(*QCoreApplication::instance()));  // as the program does
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annulla");
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  EXPECT_EQ(o.text("Pw"), "pass");
  EXPECT_EQ(o.platform.messages.size(), said);
  o.unlock("word1");
  test::expectMode(o, Mode::AdministratorSignedIn);
  // The comment the idle sign-out interrupted is back, ready to go on; closing the window asks
  // first, and No keeps both. A planned operation's wording then takes its place.
  o.keys("Opz_KOV_0", " ricambio");
  const std::string comment = proposed + " in attesa di ricambio";
  EXPECT_EQ(o.text("Opz_KOV_0"), comment);
  o.window->close();
  EXPECT_EQ(o.platform.asked.back().second.text,
            "Il commento scritto non \xE8 stato salvato nel file delle operazioni:\n\r" + comment +
                "\n\rChiudere comunque KoV? Il commento andr\xE0 perso.");
  EXPECT_TRUE(o.window->isVisible());
  o.click("Op_Pi_0");

  // The idle sign-out leaves an open password dialog nothing but its closing, which is logged
  // as it always is.
  o.onDialog([&](Pw_Kov& dialog) { o.idle(&dialog); });
  o.logged("PC-UFFICIO", "ADMIN", test::kChanged);
  o.unlock("password1");

  // The password changes, and with it the parameters, restricted access now ticked.
  o.at(9, 25);
  o.click("Var_Par");
  o.alt(Qt::Key_W);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);  // entering selected it all
  o.platform.messages.clear();
  o.click("Cmd_VPw");
  EXPECT_EQ(o.platform.texts(), std::vector<std::string>{test::kWorkstation});
  QTest::keyClicks(o.box("Opz_KOV_1"), "PC-NUOVO");
  o.alt(Qt::Key_N);
  QTest::keyClicks(o.box("Opz_KOV_2"), "Nuovo.txt");
  o.alt(Qt::Key_L);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.find<QCheckBox>("Acc_Ris")->isChecked(); }));
  // The dialog runs modally with the clock stopped. Its access key
  // takes the focus first, so the box it leaves drops its end spaces before the check.
  auto* clock = o.window->findChild<QTimer*>("Timer1");
  bool stopped = false;
  o.onDialog([&](Pw_Kov& shown) {
    Pw_Kov* dialog = &shown;
    stopped = !clock->isActive();
    Office::picture(dialog->grab(), "password-dialog.png");
    EXPECT_EQ(dialog->objectName() + "|" + dialog->windowTitle(), "Pw_Kov|Inserimento Password");
    EXPECT_EQ(test::control<QLabel>(dialog, "Nome_Ut")->text(), "Admin");
    // The keys go where the focus is, as a keyboard's do.
    const auto keys = [](const QString& typed) {
      QTest::keyClicks(QApplication::focusWidget(), typed);
    };
    const auto key = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const auto refused = [&](const char* box, const std::string& message) {
      EXPECT_EQ(o.platform.texts().back(), message);
      EXPECT_EQ(QApplication::focusWidget()->objectName(), box);
    };
    key(Qt::Key_Return);  // in the empty box: nothing happens
    keys("nuovapass1");
    EXPECT_EQ(test::control<QLineEdit>(dialog, "N_Pw")->displayText(), "**********");
    key(Qt::Key_Enter);
    keys("nuovapass2");
    key(Qt::Key_Return);  // Ok, from the check box
    refused("N_Pw", "Le due PassWord non sono uguali. Impostarle di nuovo");
    keys("nuovapass1");  // entering selected it all
    key(Qt::Key_Tab);
    key(Qt::Key_Delete);
    QTest::mouseClick(test::control(dialog, "CmdOK"), Qt::LeftButton);
    refused("C_Pw", "Occorre impostare la Password di controllo");
    QTest::keyClick(dialog, Qt::Key_Escape);  // nothing but Ok closes it
    keys("nuovapass1");
    key(Qt::Key_Backtab);
    keys("nuovapass1 ");
    // An access key reaches the window a user sees active, and clicks its button once the
    // button has shown itself pressed: however long that takes, the dialog then goes.
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 60000));
  });
  EXPECT_TRUE(stopped && clock->isActive());
  EXPECT_EQ(o.folder.read("KoV"),
            administratorFile("PC-NUOVO", true, "Nuovo.txt", o.reports, "Admin", "nuovapass1"));
  o.logged("PC-NUOVO", "ADMIN", test::kChanged);
  o.unlock("nuovapass1");
  test::expectMode(o, Mode::AdministratorSignedIn);

  // The data controller's period: its keys are set on leaving the end, so a start changed
  // afterwards waits for that.
  o.at(9, 30);
  o.click("Tp_Ut_1");  // the other role: both boxes emptied
  EXPECT_EQ(o.text("Utente") + o.text("Pw"), "");
  o.signIn(test::Role::Controller, "titolare", "segreto99");
  o.expect(Mode::ControllerSignedIn,
           "Tp_Ut_1 Utente Pw Cmd_VPw Dt_1 Dt_2 Anche_gia_Lette Rimuovi Cmd_Gp",
           "Nome del Titolare del Trattamento (Titolare)");
  // An open calendar closes with the idle sign-out.
  QTest::keyClick(o.box("Dt_1"), Qt::Key_F4);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  o.idle(o.find("Frm_TdT"));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  o.unlock("segreto99");
  // Ok with an end alone asks for the period; an end before the start beeps and says so.
  o.platform.messages.clear();
  o.platform.beeps = 0;
  o.retype("Dt_2", "31122026");
  o.tab("Dt_2");
  o.click("Cmd_Gp");
  o.period("31122026", "01122026");
  o.click("Cmd_Gp");  // over that period: nothing, and every entry still to report
  EXPECT_EQ(o.platform.texts(),
            (std::vector<std::string>{
                "Occorre impostare il periodo da Esportare",
                "La Data di Fine del periodo deve essere superiore alla data di Inizio periodo",
                "Non sono state trovate scritture per il periodo selezionato",
                test::leftText(static_cast<std::int64_t>(o.entries.size()))}));
  EXPECT_EQ(o.platform.beeps, 1);
  // A ready-made period from the calendar beside the box, then the end picked with the keys
  // in the calendar, which opens on the box's date; Escape changes nothing.
  o.click("Pick_Dt_1");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.text("Dt_2") == "30/11/2026"; }));
  EXPECT_EQ(o.text("Dt_1"), "01/11/2026");
  o.platform.beeps = 0;
  o.keys("Dt_1", "01x122026");  // a date box takes digits and "/" alone
  o.tab("Dt_1");
  o.keys("Dt_2", QString::fromUtf8("\u2603"));
  EXPECT_EQ(QToolTip::text(),
            QString::fromUtf8("Nella data sono ammesse solo le cifre e la barra /; d o D "
                              "inserisce la data di oggi."));
  EXPECT_EQ(o.platform.beeps, 2);
  QTest::keyClick(o.box("Dt_2"), Qt::Key_F4);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(o.box("Dt_2"), Qt::Key_Down, Qt::AltModifier);
  for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
    QTest::keyClick(QApplication::focusWidget(), key);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.box("Dt_2")->hasFocus(); }));
  EXPECT_EQ(o.text("Dt_1") + " " + o.text("Dt_2"), "01/12/2026 04/12/2026");
  o.tab("Dt_2");
  // The offscreen platform leaves no window active once its pop-ups have closed.
  o.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(o.window.get()));
  o.alt(Qt::Key_D);
  QTest::keyClicks(o.box("Dt_1"), "05122026");  // entering selected it all
  EXPECT_EQ(o.text("Dt_1"), "05/12/2026");
  o.alt(Qt::Key_M);
  EXPECT_TRUE(QTest::qWaitFor([&] { return o.find<QCheckBox>("Rimuovi")->isChecked(); }));
  o.click("Cmd_Gp");
  std::string report = test::kHeadingRecord;
  for (const std::string& e : o.entries) report += test::lineOf(e);
  EXPECT_EQ(o.folder.read("report/20261204_0930_Nuovo.txt"), report);
  o.entries.clear();
  o.logged("PC-NUOVO", "titolare", test::kRemoved);  // the name as typed
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
  // Entering the user box signs out; Esci ends the program.
  o.click("Utente");
  test::expectMode(o, Mode::SignedOut);
  EXPECT_EQ(test::tabOrder(o.window.get()), "Tp_Ut_1 Utente Pw Cmd_VPw");
  o.alt(Qt::Key_F);
  QTest::keyClick(openedPopup(), Qt::Key_E);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !o.window->isVisible(); }));

  // Restricted access, ticked with the new parameters, refuses with a beep alone an
  // operating-system user who is neither of the two, and lets the data controller in, who is
  // told once of a second spelling of the recordings file, a restored backup, kept and not used.
  const bool spellings = !test::linuxOnly("a second spelling", "a name has one spelling there");
  const std::string restored = test::storedRecord("N01/11/202608:00:00");
  if (spellings) o.folder.write("odv", restored);
  for (const char* user : {"mario.rossi", "TITOLARE"}) {
    const bool controller = std::string_view(user) == "TITOLARE";
    o.window.reset();
    o.par = Kov_Par{};
    o.platform.user = user;
    o.platform.beeps = 0;
    o.platform.messages.clear();
    EXPECT_EQ(o.load(), controller);
    EXPECT_EQ(o.platform.beeps, controller ? 0 : 1);
  }
  EXPECT_EQ(o.platform.texts(),
            std::vector<std::string>(
                spellings,
                "Nella cartella del programma c'\xE8 anche il file \"odv\", lo stesso "
                "nome scritto con altre maiuscole e minuscole: non viene usato. La "
                "procedura usa il file \"Odv\"."));
  EXPECT_EQ(o.find<QLabel>("N_Accessi")->text(), "1");  // the file in use
  EXPECT_TRUE(!spellings || o.folder.read("odv") == restored);
  EXPECT_EQ(o.text("Opz_KOV_1") + "|" + o.text("Opz_KOV_2") + "|" + o.text("Opz_KOV_3"),
            "PC-NUOVO|Nuovo.txt|" + o.reports);
}

}  // namespace
}  // namespace kov

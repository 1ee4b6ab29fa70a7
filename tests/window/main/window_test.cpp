// The window as tables: the bad input each box refuses (the exact message, nothing written), the
// refusals of the password button and dialog in their order, and the start-ups.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QToolTip>
#include <filesystem>
#include <optional>

#include "support/modes.h"
#include "support/report_files.h"

namespace kov {
namespace {

using test::Window;

const QString kNotStorable = QString::fromUtf8(
    "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");
const QString kNotDateKey = QString::fromUtf8(
    "Nella data sono ammesse solo le cifre e la barra /; d o D inserisce la data di oggi.");
QString tooLong(int limit) {
  return QString::fromUtf8(
             "Testo troppo lungo: il campo accetta al massimo %1 caratteri. Il "
             "testo non è stato modificato.")
      .arg(limit);
}

// Each box is entered without the mouse (whose tool tips would hide the box's word), emptied
// and typed into (one key per character), then pasted into as Ctrl+V and the menu do.
TEST(Messages, BadInputIsRefusedAndNothingIsWritten) {
  const struct {
    int role;  // the mode, as test::Window::showMode takes it
    const char* box;
    QString typed, pasted, shown, notice;
    int beeps;
    const char* button;  // none: the row ends at the box
    std::string message;
  } cases[] = {
      // clang-format off
      {-1, "Utente", "", "Rossi\t12345", "", kNotStorable, 1, "Cmd_VPw", test::kNoUser},
      {-1, "Utente", QString::fromUtf8("Ros☃si12345"), "", "Rossi12345", kNotStorable, 1, nullptr, ""},
      {-1, "Pw", "   ", "", "***", "", 0, "Cmd_VPw", test::kNoPassword},
      {-1, "Opz_KOV_1", QString::fromUtf8("☃þÿ"), "", "", kNotStorable, 3, "Cmd_VPw", test::kWorkstation},
      {-1, "Opz_KOV_2", "", QString(21, 'x'), "", tooLong(20), 1, "Cmd_VPw", test::kNoReportName},
      {-1, "Opz_KOV_3", "   ", QString(5000, 'z'), "   ", tooLong(199), 1, "Cmd_VPw", test::kNoReportPath},
      {0, "Opz_KOV_0", "", "Rossi\177", "", kNotStorable, 1, "Cmd_Op", "Occorre commentare l'operazione eseguita"},
      {0, "Opz_KOV_0", QString::fromUtf8("þRo\001ssiÿ"), "", "Rossi", kNotStorable, 2, nullptr, ""},
      {1, "Dt_1", "z|  ", "", "  /  /    ", kNotDateKey, 4, "Cmd_Gp", test::kNoPeriod},
      {1, "Dt_2", "", QString::fromUtf8("☃"), "  /  /    ", "", 0, "Cmd_Gp", test::kNoPeriod},
      {1, "Dt_2", QString::fromUtf8("04☃122026"), "", "04/12/2026", kNotDateKey, 1, nullptr, ""},
      // clang-format on
  };
  // The other boxes of each mode filled as a user fills them; the password needs a name first.
  const std::vector<std::pair<const char*, QString>> others[] = {
      // clang-format off
      {{"Utente", "Admin"}, {"Pw", "password1"}, {"Opz_KOV_1", "PC-01"}, {"Opz_KOV_2", "Log.txt"}, {"Opz_KOV_3", "C:\\R"}},
      {}, {{"Dt_1", "04122026"}, {"Dt_2", "04122026"}}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " " + c.message);
    Window w;
    w.platform.computer = "";  // no name proposed: the workstation box starts empty
    w.folder.write("OdV", test::loggedRecord(test::kBackup, "Admin"));
    w.showMode(c.role);
    const auto enter = [&w](const char* name, const QString& typed, const QString& pasted) {
      w.box(name)->setFocus();
      Window::settle();
      w.box(name)->clear();
      w.keys(name, typed);
      QApplication::clipboard()->setText(pasted);
      if (!pasted.isEmpty()) w.box(name)->paste();
    };
    for (const auto& [name, text] : others[c.role + 1]) {
      if (qstrcmp(name, c.box) != 0) enter(name, text, {});
    }
    const std::string files = w.folder.read("KoV") + w.recordings();
    w.platform.beeps = 0;
    enter(c.box, c.typed, c.pasted);
    EXPECT_EQ(w.box(c.box)->displayText(), c.shown);
    EXPECT_EQ(w.platform.beeps, c.beeps);
    EXPECT_EQ(c.beeps > 0 ? QToolTip::text() : c.notice, c.notice);  // no beep, no word
    if (c.button == nullptr) continue;
    w.click(c.button);
    EXPECT_EQ(w.platform.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(w.folder.read("KoV") + w.recordings(), files);
  }
}

// Each state of the program folder at start-up: the messages, whether the window opens (in the
// middle of the screen), the parameters its boxes show, and every file left as it was. A
// credential file that cannot be read ends the start: a set-up would overwrite it.
TEST(StartUp, EachFolderGivesItsMessagesAndBoxesAndKeepsEveryFile) {
  using test::storedRecord, test::pad, test::trappedText;
  enum Fault { None, ReadOnly, TwoSpellings, KoVFolder, KoVNoRead, TdTFolder, TdTNoRead, TdTLink };
  const std::string path = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
  const std::string reader = "Leggi_Parametri_KOV", k52 = "52-Nome o numero di file non valido";
  const struct {
    const char* name;
    std::string administrator;  // none: both roles stored, restricted access ticked
    Fault fault;
    std::string user;  // of the operating system
    bool starts;
    std::vector<std::string> texts;
    std::string boxes{};  // workstation|report name|path|restricted
  } rows[] = {
      // clang-format off
      {"read-only and empty", "", ReadOnly, "", false, {"Si \xE8 verificato il seguente errore nella lettura del form:\n\r70-Autorizzazione negata"}},
      {"two spellings", "", TwoSpellings, "mario", true, {"Nella cartella del programma c'\xE8 anche il file \"Odv\", lo stesso nome scritto con "
                         "altre maiuscole e minuscole: non viene usato. La procedura usa il file \"OdV\"."}},
      {"restricted, the administrator", "", None, "admin", true, {}}, {"restricted, the data controller", "", None, "TITOLARE", true, {}}, {"restricted, a space", "", None, " Admin", false, {}}, {"restricted, nobody", "", None, "", false, {}},
      {"restricted, 31 characters: whole, and no match", "", None, "Admin" + std::string(26, 'x'), false, {}},
      {"restricted, too long for the name buffer", "", None, std::string(40, 'x'), false, {}},
      {"KoV a folder", "", KoVFolder, "", false, {trappedText(reader, "75-Errore di accesso al percorso/file"), trappedText(reader, k52)}},
      {"KoV write-only", "", KoVNoRead, "", false, {trappedText(reader, "70-Autorizzazione negata"), trappedText(reader, k52)}},
      {"TdT a folder", "", TdTFolder, "", false, {trappedText(reader, "75-Errore di accesso al percorso/file"), trappedText(reader, k52)}},
      {"TdT write-only", "", TdTNoRead, "", false, {trappedText(reader, "70-Autorizzazione negata"), trappedText(reader, k52)}},
      {"TdT a link to nowhere", "", TdTLink, "", false, {"Si \xE8 verificato il seguente errore nella lettura del form:\n\r75-Errore di accesso al percorso/file"}},
      {"whole, and a fifth record", test::administratorFile("  PC 1  ", true, "Log.txt", path, "Admin", "password1") + storedRecord("quinta"), None, "admin", true, {}, "PC 1|Log.txt|" + path + "|1"},
      {"no restricted flag", storedRecord("PC"), None, "", true, {}, "PC|||0"},
      {"a flag x", storedRecord(pad("PC", 20) + "x"), None, "", true, {}, "PC|||0"},
      {"a flag 7", storedRecord(pad("PC", 20) + "7"), None, "", true, {trappedText(reader, "380-Valore della propriet\xE0 non valido")}, "PC|||0"},
      {"records without text", std::string(1024, ' '), None, "", true, {}, "|||0"},
      {"a torn fourth record", storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82", None, "", true, {}, "x|y|z|0"},
      // clang-format on
  };
  for (const auto& c : rows) {
    SCOPED_TRACE(c.name);
    if (c.fault != None && c.fault != KoVFolder && c.fault != TdTFolder &&
        test::linuxOnly(c.name, "access is an ACL wine ignores; a name has one spelling"))
      continue;
    Window w;
    w.platform.user = c.user;
    w.platform.screen = {1000, 800};
    if (c.fault != ReadOnly) w.storeBothRoles(c.fault == None);
    if (!c.administrator.empty()) w.folder.write("KoV", c.administrator);
    const std::string restored = storedRecord("N01/11/202608:00:00");
    if (c.fault == TwoSpellings) w.folder.write("Odv", restored);
    if (c.fault != ReadOnly) w.folder.write("OdV", restored + restored);
    const std::string broken = c.fault == KoVFolder || c.fault == KoVNoRead ? "KoV" : "TdT";
    if (c.fault == KoVFolder || c.fault == TdTFolder) {
      std::filesystem::remove(w.folder.file(broken));
      w.folder.makeFolder(broken);
    }
    if (c.fault == TdTLink) {  // never followed to create a file where it points
      std::filesystem::remove(w.folder.file(broken));
      std::filesystem::create_symlink(w.folder.file("nowhere"), w.folder.file(broken));
    }
    if (c.fault == KoVNoRead || c.fault == TdTNoRead) w.folder.setOwnerAccess(broken, 2);
    if (c.fault == ReadOnly) w.folder.setOwnerAccess(".", 5);
    const auto files = [&w] {
      std::string all;
      for (const std::string& name : w.folder.names())
        if (std::filesystem::is_regular_file(w.folder.file(name)))
          all += name + w.folder.read(name);
      return all;
    };
    const std::string before = files();
    std::optional<test::Unprivileged> user;
    if (c.fault != None && c.fault != TwoSpellings) user.emplace(w.folder);
    EXPECT_EQ(w.load(), c.starts);
    user.reset();
    EXPECT_EQ(w.platform.texts(), c.texts);
    EXPECT_EQ(w.platform.beeps, !c.starts && c.texts.empty() ? 1 : 0);
    EXPECT_EQ(files(), before);
    if (!c.starts) continue;
    // The count is read once a role may sign in, not during a first set-up.
    EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), w.find("Frm_At")->isEnabled() ? "2" : "");
    EXPECT_EQ(w.window->pos(),
              QPoint((1000 - w.window->width()) / 2, (800 - w.window->height()) / 2));
    if (c.boxes.empty()) continue;
    EXPECT_EQ(w.text("Opz_KOV_1") + "|" + w.text("Opz_KOV_2") + "|" + w.text("Opz_KOV_3") + "|" +
                  (w.find<QCheckBox>("Acc_Ris")->isChecked() ? "1" : "0"),
              c.boxes);
  }
}

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
      {AdministratorSetUp, "||PC|L|P", test::kNoUser, "Utente"},
      {AdministratorSetUp, "Admin||PC|L|P", test::kNoPassword, "Pw"},
      {AdministratorSetUp, "Admin|pass wo", test::kSpace, "Pw"},
      {AdministratorSetUp, "Admin|passwor", test::kShort, "Pw"},
      {AdministratorSetUp, "Admin|password", test::kWorkstation, "Opz_KOV_1"},
      {AdministratorSetUp, "Admin|password|PC", test::kNoReportName, "Opz_KOV_2"},
      {AdministratorSetUp, "Admin|password|PC|L", test::kNoReportPath, "Opz_KOV_3"},
      {AdministratorChange, "Utente", "Occorre impostare prima l'identificativo dell'Amministratore di Sistema", "Utente"},
      {ControllerChange, "Utente", "Occorre impostare prima l'identificativo del Titolare del Trattamento", "Utente"},
      {ControllerChange, "Pw", test::kNoPassword, "Pw"},
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
    w.showMode(setUp ? -1 : c.kind == ControllerChange ? 1 : 0);
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
    w.onDialog([&](Pw_Kov& dialog) {
      EXPECT_EQ(w.par.Parametri_Postazione, "");  // only what is ticked now is handed over
      auto* newPassword = test::control<QLineEdit>(&dialog, "N_Pw");
      auto* check = test::control<QLineEdit>(&dialog, "C_Pw");
      QTest::keyClicks(newPassword, typed[0]);
      QTest::keyClick(newPassword, Qt::Key_Tab);
      QTest::keyClicks(check, typed[1]);
      QTest::mouseClick(test::control<QPushButton>(&dialog, "CmdOK"), Qt::LeftButton);
      refused("Inserimento Password");
      EXPECT_EQ(newPassword->text() + "|" + check->text(), c.typed);
    });
    if (c.kind != Dialog) refused(test::kCaption);
    EXPECT_EQ(w.platform.messages.size(), c.kind == Dialog ? 2U : 1U);
    EXPECT_EQ(w.folder.read("KoV"), administrator);
    EXPECT_EQ(w.recordings(), c.kind == Dialog ? test::loggedRecord(test::kChanged, "Admin") : "");
  }
}

}  // namespace
}  // namespace kov

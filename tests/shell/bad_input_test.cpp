// Bad input in every text box of both windows, typed and pasted, followed to the file it
// ends in: the first set-up's records, the log writer's entry, the password dialog's record
// and the report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QToolTip>

#include "report/controller_window.h"
#include "support/window.h"

namespace kov {
namespace {

using test::administratorFile;
using test::pad;
using test::storedRecord;
using test::Window;

const QString kNotStorable = QString::fromUtf8(
    "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");

QString tooLong(int limit) {
  return QString::fromUtf8(
             "Testo troppo lungo: il campo accetta al massimo %1 caratteri. Il testo non è stato "
             "modificato.")
      .arg(limit);
}

// One kind of bad input, for a box that takes `limit` characters.
struct Input {
  const char* kind;
  QString typed;   // one key press per character
  QString pasted;  // or a paste
  QString kept;    // what the box holds afterwards
  int refusals;    // each a beep and a word at the box
  QString notice;
};

Input typed(const char* kind, const QString& keys, const QString& kept, int refusals = 0,
            const QString& notice = {}) {
  return {kind, keys, {}, kept, refusals, notice};
}
Input pasted(const char* kind, const QString& text, const QString& kept, int refusals = 0,
             const QString& notice = {}) {
  return {kind, {}, text, kept, refusals, notice};
}
Input typing(const std::string& text) {
  return typed("", QString::fromStdString(text), {});
}

std::vector<Input> inputs(int limit) {
  const QString full(limit, QLatin1Char('x'));
  const QString kept = "Rossi12345";
  return {
      typed("outside Windows-1252", QString::fromUtf8("Ros☃si12345"), kept, 1, kNotStorable),
      typed("codes 254 and 255", QString::fromUtf8("þRossiÿ12345"), kept, 2, kNotStorable),
      typed("a control character", "Ro\x01ssi12345", kept),
      pasted("a tab", "Rossi\t12345", {}, 1, kNotStorable),
      pasted("a line break", "Rossi\r\n12345", {}, 1, kNotStorable),
      pasted("DEL", "Rossi\17712345", {}, 1, kNotStorable),
      pasted("a C1 control", QString::fromUtf8("Rossi\u008112345"), {}, 1, kNotStorable),
      typed("one character too many", full + "y", full, 1, tooLong(limit)),
      pasted("as many as it takes", full, full),
      pasted("a very long paste", QString(5000, QLatin1Char('z')), {}, 1, tooLong(limit)),
      typed("spaces only", "   ", "   "),
      typed("a bar and quotes", "Ro|\"ss\"'i1", "Ro|\"ss\"'i1"),
  };
}

// Enters the box (its text selected) and types or pastes the input. The focus moves without
// the mouse, which would bring up the tool tips of the controls it passes over.
void enter(QLineEdit* box, const Input& in) {
  box->setFocus();
  Window::settle();
  box->selectAll();
  for (const QChar c : in.typed) {
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  if (!in.pasted.isEmpty()) {
    QApplication::clipboard()->setText(in.pasted);
    box->paste();  // what Ctrl+V and the context menu do
  }
}

// What the box holds and says right after the input.
void expectTaken(const QLineEdit* box, const test::FakePlatform& platform, const Input& in) {
  EXPECT_EQ(box->text(), in.kept);
  EXPECT_EQ(platform.beeps, in.refusals);
  if (in.refusals > 0) {
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), in.notice);
  }
}

std::string trimmed(const QString& text) {
  return toCp1252(text.trimmed());
}

// The first set-up of the administrator, with one box given the input and the others
// filled: what is left in the box after leaving it is what the records and the activation
// entry hold; a box left empty stores nothing.
TEST(BadInput, FirstSetUpStoresWhatTheBoxesKept) {
  const struct {
    const char* name;
    int limit;
    const char* missing;
  } boxes[] = {
      {"Utente", 20, "Occorre indicare il nome dell'utente"},
      {"Pw", 20, "Occorre indicare la Password"},
      {"Opz_KOV_1", 14, "Indicate il nome della postazione."},
      {"Opz_KOV_2", 20, "Indicare il nome del File di Log Generato dal Titolare del Trattamento"},
      {"Opz_KOV_3", 199,
       "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento"},
  };
  for (const auto& b : boxes) {
    for (const Input& in : inputs(b.limit)) {
      SCOPED_TRACE(std::string(b.name) + ": " + in.kind);
      Window w;
      w.platform.computer = "";  // no name proposed: the workstation box starts empty
      w.show();
      // In the order a user fills them: the password box needs a user name first.
      std::vector<std::pair<std::string, std::string>> stored{{"Utente", "Admin"},
                                                              {"Pw", "password1"},
                                                              {"Opz_KOV_1", "PC-01"},
                                                              {"Opz_KOV_2", "Log.txt"},
                                                              {"Opz_KOV_3", "C:\\Report"}};
      for (auto& [name, text] : stored) {
        if (name == b.name) {
          enter(w.box(b.name), in);
          expectTaken(w.box(b.name), w.platform, in);
          text = trimmed(in.kept);
        } else if (name != "Pw" || !stored[0].second.empty()) {
          enter(w.box(name.c_str()), typing(text));
        }
      }
      w.click("Cmd_VPw");
      if (trimmed(in.kept).empty()) {
        EXPECT_EQ(w.platform.texts(), std::vector<std::string>{b.missing});
        EXPECT_EQ(w.folder.read("KoV"), "");
        EXPECT_EQ(w.recordings(), "");
        continue;
      }
      const auto& [user, password, workstation, reportName, reportPath] = std::tie(
          stored[0].second, stored[1].second, stored[2].second, stored[3].second, stored[4].second);
      EXPECT_EQ(w.folder.read("KoV"),
                administratorFile(workstation, false, reportName, reportPath, user, password));
      EXPECT_EQ(w.recordings(), storedRecord("N04/12/202609:05:03" + pad(workstation, 14) +
                                             pad(user, 20) + "Attivato l'Utente nella Procedura"));
    }
  }
}

// The administrator's comment becomes an entry, and the data controller's report copies it.
TEST(BadInput, ACommentIsLoggedAndReportedAsTheBoxKeptIt) {
  for (const Input& in : inputs(200)) {
    SCOPED_TRACE(in.kind);
    test::Controller w;  // both roles stored, the data controller signed in
    w.signIn(0, "Admin", "password1");
    w.box("Opz_KOV_0")->clear();
    w.platform.beeps = 0;
    enter(w.box("Opz_KOV_0"), in);
    expectTaken(w.box("Opz_KOV_0"), w.platform, in);
    w.platform.messages.clear();
    w.click("Cmd_Op");
    const std::string description = trimmed(in.kept);
    if (description.empty()) {
      EXPECT_EQ(w.platform.texts(),
                std::vector<std::string>{"Occorre commentare l'operazione eseguita"});
      EXPECT_EQ(w.recordings(), "");
      continue;
    }
    const std::string entry =
        "N04/12/2026" + test::kEntryTime + pad("PC-01", 14) + pad("Admin", 20) + description;
    EXPECT_EQ(w.recordings(), storedRecord(entry));
    w.signIn(1, "Titolare", "segreto99");
    w.period("04122026", "04122026");
    w.click("Cmd_Gp");
    const std::string line = "|04/12/2026|" + test::kEntryTime + "|" + pad("PC-01", 14) + "|" +
                             pad("Admin", 20) + "|" + description;
    EXPECT_EQ(w.folder.read("report/20261204_0905_Log.txt"),
              test::kHeadingRecord + test::reportRecord(line.substr(0, 253)));
  }
}

// The password dialog: the box under test gets the input, the other one what the first
// kept; a refused password leaves the stored record as it was.
TEST(BadInput, ThePasswordDialogStoresWhatItsBoxesKept) {
  for (const char* name : {"N_Pw", "C_Pw"}) {
    for (const Input& in : inputs(20)) {
      SCOPED_TRACE(std::string(name) + ": " + in.kind);
      Window w;
      w.storeBothRoles();
      const std::string before = w.folder.read("KoV");
      w.show();
      w.signIn(0, "Admin", "password1");
      w.whileDialogOpen = [&](Pw_Kov& dialog) {
        const auto box = [&](const char* n) {
          return dialog.findChild<QLineEdit*>(QString::fromLatin1(n));
        };
        w.platform.beeps = 0;
        enter(box(name), in);
        expectTaken(box(name), w.platform, in);
        const char* other = std::string(name) == "N_Pw" ? "C_Pw" : "N_Pw";
        enter(box(other), typing(in.kept.toStdString()));
        w.platform.messages.clear();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CmdOK")), Qt::LeftButton);
        if (dialog.isVisible()) {
          ASSERT_EQ(w.platform.messages.size(), 1U);
          EXPECT_EQ(w.platform.messages[0].title, "Inserimento Password");
          dialog.close();
        }
      };
      w.click("Cmd_VPw");
      const std::string password = trimmed(in.kept);
      const bool stored = password.size() >= 8 && password.find(' ') == std::string::npos;
      EXPECT_EQ(w.folder.read("KoV"),
                stored ? before.substr(0, 768) + storedRecord(pad("Admin", 20) + pad(password, 20))
                       : before);
    }
  }
}

// The date boxes take digits and "/" alone, through their mask; a refused key beeps and says
// so. What they show goes into the logged creation entry and names the report.
TEST(BadInput, DateBoxesTakeDigitsAloneAndTheReportLogsWhatTheyShow) {
  const QString kNotDateKey = QString::fromUtf8(
      "Nella data sono ammesse solo le cifre e la barra /; d o D inserisce la data di oggi.");
  const QString untouched = "  /  /    ";
  const QString date = "04/12/2026";
  const std::vector<Input> cases = {
      typed("outside Windows-1252", QString::fromUtf8("04☃122026"), date, 1, kNotDateKey),
      typed("codes 254 and 255", QString::fromUtf8("þ04122026ÿ"), date, 2, kNotDateKey),
      typed("a control character", "04\001122026", date, 1, kNotDateKey),
      typed("a bar and quotes", "04|12\"2026'", date, 3, kNotDateKey),
      typed("spaces only", "   ", untouched, 3, kNotDateKey),
      typed("one digit too many", "041220265", date),
      pasted("a date and more", "04/12/2026 e altro 1", date),
      pasted("a control character", "04\t12\t2026", date),
      pasted("letters only", QString(5000, QLatin1Char('z')), untouched),
      pasted("outside Windows-1252", QString::fromUtf8("☃"), untouched),
  };
  const std::string entry = test::entryText('N', "04/12/2026", "prima");
  for (const char* name : {"Dt_1", "Dt_2"}) {
    for (const Input& in : cases) {
      SCOPED_TRACE(std::string(name) + ": " + in.kind);
      test::Controller w(storedRecord(entry));
      for (const char* box : {"Dt_1", "Dt_2"}) {
        if (std::string(box) == name) {
          enter(w.box(box), in);
          EXPECT_EQ(w.box(box)->displayText(), in.kept);
          EXPECT_EQ(w.platform.beeps, in.refusals);
          if (in.refusals > 0) {
            EXPECT_EQ(QToolTip::text(), in.notice);
          }
        } else {
          enter(w.box(box), typing("04122026"));
        }
        w.tab(box);
      }
      w.click("Cmd_Gp");
      if (in.kept == untouched) {
        EXPECT_EQ(w.platform.texts().back(), "Occorre impostare il periodo da Esportare");
        EXPECT_EQ(w.recordings(), storedRecord(entry));
        continue;
      }
      const std::string created = test::kCreated.substr(0, test::kCreated.size() - 24);
      EXPECT_EQ(w.recordings(), test::markedRecord(entry) +
                                    test::loggedRecord(created + "04/12/2026 al 04/12/2026"));
      EXPECT_EQ(w.folder.read("report/20261204_0905_Log.txt"),
                test::kHeadingRecord + test::reportedLine("04/12/2026", "prima"));
    }
  }
}

}  // namespace
}  // namespace kov

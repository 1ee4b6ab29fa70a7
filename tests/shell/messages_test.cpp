// What the window refuses, as tables: bad input in each box (the box's word, then the exact
// message and nothing written), and the start-ups that end in a message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QToolTip>
#include <optional>

#include "support/window.h"

namespace kov {
namespace {

using test::Window;

const QString kNotStorable = QString::fromUtf8(
    "Carattere non ammesso: non può essere registrato. Il testo non è stato modificato.");
const QString kNotDateKey = QString::fromUtf8(
    "Nella data sono ammesse solo le cifre e la barra /; d o D inserisce la data di oggi.");
QString tooLong(int limit) {
  return QString::fromUtf8(
             "Testo troppo lungo: il campo accetta al massimo %1 caratteri. Il testo non è stato "
             "modificato.")
      .arg(limit);
}

// Enters the box without the mouse (whose tool tips would hide the box's word), empties it
// and types (one key per character) or pastes.
void enter(const Window& w, const char* name, const QString& typed, const QString& pasted = {}) {
  w.box(name)->setFocus();
  Window::settle();
  w.box(name)->clear();
  w.keys(name, typed);
  if (!pasted.isEmpty()) {
    QApplication::clipboard()->setText(pasted);
    w.box(name)->paste();  // what Ctrl+V and the context menu do
  }
}

TEST(Messages, BadInputIsRefusedAndNothingIsWritten) {
  const struct {
    int roles, signInRole;  // the mode, as test::Window::showMode takes it
    const char* box;
    QString typed, pasted, shown, notice;
    int beeps;
    const char* button;  // none: the row ends at the box
    std::string message;
  } cases[] = {
      // clang-format off
      {0, -1, "Utente", "", "Rossi\t12345", "", kNotStorable, 1, "Cmd_VPw", "Occorre indicare il nome dell'utente"},
      {0, -1, "Utente", QString::fromUtf8("Ros☃si12345"), "", "Rossi12345", kNotStorable, 1, nullptr, ""},
      {0, -1, "Pw", "   ", "", "***", "", 0, "Cmd_VPw", "Occorre indicare la Password"},
      {0, -1, "Opz_KOV_1", QString::fromUtf8("☃þÿ"), "", "", kNotStorable, 3, "Cmd_VPw", test::kWorkstation},
      {0, -1, "Opz_KOV_2", "", QString(21, 'x'), "", tooLong(20), 1, "Cmd_VPw",
       "Indicare il nome del File di Log Generato dal Titolare del Trattamento"},
      {0, -1, "Opz_KOV_3", "   ", QString(5000, 'z'), "   ", tooLong(199), 1, "Cmd_VPw",
       "Indicare il Percorso dove generare il file di log per il Titolare del Trattamento"},
      {2, 0, "Opz_KOV_0", "", "Rossi\177", "", kNotStorable, 1, "Cmd_Op", "Occorre commentare l'operazione eseguita"},
      {2, 0, "Opz_KOV_0", QString::fromUtf8("þRo\001ssiÿ"), "", "Rossi", kNotStorable, 2, nullptr, ""},
      {2, 1, "Dt_1", "z|  ", "", "  /  /    ", kNotDateKey, 4, "Cmd_Gp", "Occorre impostare il periodo da Esportare"},
      {2, 1, "Dt_2", "", QString::fromUtf8("☃"), "  /  /    ", "", 0, "Cmd_Gp", "Occorre impostare il periodo da Esportare"},
      {2, 1, "Dt_2", QString::fromUtf8("04☃122026"), "", "04/12/2026", kNotDateKey, 1, nullptr, ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " " + c.message);
    Window w;
    w.platform.computer = "";  // no name proposed: the workstation box starts empty
    w.folder.write("OdV", test::loggedEntry("PC-01", "Admin", test::kBackup));
    w.showMode(c.roles, c.signInRole);
    // The other boxes filled as a user fills them; the password box needs a user name first.
    const std::vector<std::pair<const char*, QString>> others[] = {
        // clang-format off
        {{"Utente", "Admin"}, {"Pw", "password1"}, {"Opz_KOV_1", "PC-01"}, {"Opz_KOV_2", "Log.txt"},
         {"Opz_KOV_3", "C:\\R"}}, {}, {{"Dt_1", "04122026"}, {"Dt_2", "04122026"}}};
    // clang-format on
    for (const auto& [name, text] : others[c.signInRole + 1]) {
      if (qstrcmp(name, c.box) != 0) enter(w, name, text);
    }
    const std::string administrator = w.folder.read("KoV");
    const std::string recordings = w.recordings();
    w.platform.beeps = 0;
    enter(w, c.box, c.typed, c.pasted);
    EXPECT_EQ(w.box(c.box)->displayText(), c.shown);
    EXPECT_EQ(w.platform.beeps, c.beeps);
    EXPECT_EQ(c.beeps > 0 ? QToolTip::text() : c.notice, c.notice);
    if (c.button == nullptr) continue;
    w.click(c.button);
    EXPECT_EQ(w.platform.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(w.folder.read("KoV"), administrator);
    EXPECT_EQ(w.recordings(), recordings);
  }
}

// The start-ups that end in a message or a refusal, and the files each leaves as they were.
TEST(Messages, StartUpsEndInTheirMessage) {
  const std::string kReadOnly =
      "Si \xE8 verificato il seguente errore nella lettura del form:\n\r70-Autorizzazione negata";
  const std::string kTwoSpellings =
      "Nella cartella del programma c'\xE8 anche il file \"Odv\", lo stesso nome scritto con altre "
      "maiuscole e minuscole: non viene usato. La procedura usa il file \"OdV\".";
  const struct {
    std::string user;
    int folder;  // 0: read-only and empty, 1: two spellings of the recordings file, 2: restricted
    bool starts;
    std::string text;
  } cases[] = {
      // clang-format off
      {"", 0, false, kReadOnly}, {"mario", 1, true, kTwoSpellings}, {"admin", 2, true, {}},
      {"TITOLARE", 2, true, {}}, {" Admin", 2, false, {}}, {"", 2, false, {}},
      {"Admin" + std::string(26, 'x'), 2, false, {}},  // 31 characters: whole, and no match
      {std::string(40, 'x'), 2, false, {}},            // too long for the name buffer
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.user);
    Window w;
    w.platform.user = c.user;
    w.platform.screen = {1000, 800};
    if (c.folder > 0) w.storeBothRoles(c.folder == 2);
    const std::string restored = test::storedRecord("N01/11/202608:00:00");
    if (c.folder == 1) {
      w.folder.write("Odv", restored);
      w.folder.write("OdV", restored + restored);
    }
    const std::vector<std::string> names = w.folder.names();
    std::vector<std::string> before;
    for (const std::string& name : names) before.push_back(w.folder.read(name));
    if (c.folder == 0) w.folder.makeReadOnly();
    std::optional<test::Unprivileged> user;
    if (c.folder == 0) user.emplace(w.folder);
    EXPECT_EQ(w.load(), c.starts);
    EXPECT_EQ(w.platform.texts(),
              c.text.empty() ? std::vector<std::string>{} : std::vector{c.text});
    EXPECT_EQ(w.platform.beeps, c.folder == 2 && !c.starts ? 1 : 0);
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(w.folder.read(names[i]), before[i]);
    EXPECT_TRUE(c.folder != 0 || w.folder.names().empty());
    EXPECT_TRUE(c.folder != 1 || w.find<QLabel>("N_Accessi")->text() == "2");
    if (!c.starts) continue;
    EXPECT_EQ(w.window->x(), (1000 - w.window->width()) / 2);
    EXPECT_EQ(w.window->y(), (800 - w.window->height()) / 2);
  }
  // The computer's name is proposed for the workstation, as much as the box takes.
  Window w;
  w.platform.computer = "UFFICIO-AMMINISTRAZIONE";
  w.show();
  w.box("Opz_KOV_1")->setFocus();
  EXPECT_EQ(w.text("Opz_KOV_1"), "UFFICIO-AMMINI");
}

}  // namespace
}  // namespace kov

// Each call of each file operation of a report with removal fails in turn; the table gives
// the messages the user is shown and how far the run got. Then real faults: credential files
// that cannot be read, damaged ones.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "report/controller_window.h"
#include "runtime/file.h"
#include "support/fault_plan.h"
#include "support/modes.h"

namespace kov {
namespace {

using namespace test;
using faults::Op;

// How far the run got: nothing changed, the report written and its entry logged, the entry
// marked besides, or the recordings file replaced.
enum Got { kNothing, kReported, kMarked, kRemovedFile };

struct Row {
  Op op;
  long first, last;
  const char* messages;  // words of the table below
  Got got;
};
const Row kRows[] = {
    {Op::Open, 1, 1, "Fscan keep", kNothing},
    {Op::Open, 2, 2, "Frw left keep", kNothing},
    {Op::Open, 3, 3, "found Fwriter Nwriter created deleted removed", kRemovedFile},
    {Op::Open, 4, 5, "found created Fscan", kMarked},
    {Op::Read, 1, 1, "Fscan keep", kNothing},
    {Op::Read, 2, 2, "Frw found created left keep", kReported},
    {Op::Read, 3, 3, "found created Fscan", kMarked},
    {Op::Write, 1, 1, "Frw left keep", kNothing},
    {Op::Write, 2, 2, "Frw found created left keep", kReported},
    {Op::Write, 3, 3, "found Fwriter created deleted removed", kRemovedFile},
    {Op::Write, 4, 4, "found created Fscan", kMarked},
    {Op::Sync, 1, 2, "Frw left keep", kNothing},
    {Op::Sync, 3, 3, "Frw found created left keep", kMarked},
    {Op::Sync, 4, 4, "found Fwriter created deleted removed", kRemovedFile},
    {Op::Sync, 5, 5, "found created Fscan", kMarked},
    {Op::Delete, 1, 1, "found created Fscan", kMarked},
    {Op::Attributes, 1, 1, "found created Fscan deleted removed", kRemovedFile},
    {Op::Attributes, 2, 2, "found created Fscan", kMarked},
};
const struct {
  Op op;
  int errnoValue;
  const char* shown;
} kInjected[] = {
    {Op::Open, EACCES, "70-Autorizzazione negata"},
    {Op::Read, EIO, "57-Errore di I/O della periferica"},
    {Op::Write, ENOSPC, "61-Disco pieno"},
    {Op::Sync, EIO, "57-Errore di I/O della periferica"},
    {Op::Delete, EBUSY, "75-Errore di accesso al percorso/file"},
    {Op::Attributes, ENOSPC, "61-Disco pieno"},
};

TEST(FaultWalk, EveryCallOfAReportWithRemovalFailsInTurn) {
  const std::string a = entryText('N', "10/12/2026", "a");
  const std::string out = storedRecord(entryText('S', "10/01/2027", "fuori"));
  for (const auto& injected : kInjected) {
    long covered = 0;
    for (const Row& row : kRows) {
      if (row.op != injected.op) continue;
      EXPECT_EQ(row.first, covered + 1);
      for (covered = row.first; covered <= row.last; ++covered) {
        SCOPED_TRACE(testing::Message() << row.messages << ", call " << covered);
        Controller w(storedRecord(a) + out);
        w.period("01122026", "31122026");
        w.click("Rimuovi");
        faults::reset();
        faults::failAt(row.op, covered, injected.errnoValue);
        w.click("Cmd_Gp");
        faults::reset();
        const std::map<std::string, std::string> texts = {
            {"keep", kNotDeleted},
            {"left", leftText(1)},
            {"found", w.found(1)},
            {"created", confirmation("PC-01", "Titolare", kCreated)},
            {"deleted", kDeleted},
            {"removed", confirmation("PC-01", "Titolare", kRemoved)},
            {"Fscan", trappedText("Cmd_Gp_Click", injected.shown)},
            {"Frw", trappedText("Rw_Record", injected.shown)},
            {"Fwriter", trappedText("Scrive_Riga_di_Log", injected.shown)},
            {"Nwriter", trappedText("Scrive_Riga_di_Log", "52-Nome o numero di file non valido")}};
        std::vector<std::string> expected;
        std::istringstream words(row.messages);
        for (std::string word; words >> word;) expected.push_back(texts.at(word));
        EXPECT_EQ(w.platform.texts(), expected);
        for (const Message& m : w.platform.messages) {
          EXPECT_EQ(m.title, m.icon == Icon::Critical ? "KoV" : kCaption);
        }
        const std::string logged =
            row.messages[0] == 'F' && row.got == kNothing ? "" : loggedRecord(kCreated);
        const std::string recordings[] = {storedRecord(a) + out, storedRecord(a) + out + logged,
                                          markedRecord(a) + out + logged, loggedRecord(kRemoved)};
        EXPECT_EQ(w.recordings(), recordings[row.got]);
        EXPECT_EQ(expectNoEntryLost({a}, w.recordings(), w.report()), row.got < kMarked ? 1 : 0);
        EXPECT_EQ(w.report(), row.got == kNothing ? "" : kHeadingRecord + lineOf(a));
        EXPECT_EQ(isHidden(dataFileName(w.folder.path(), "\\OdV")), row.got == kRemovedFile);
      }
      covered = row.last;
    }
    Controller w(storedRecord(a) + out);
    w.period("01122026", "31122026");
    w.click("Rimuovi");
    faults::reset();
    w.click("Cmd_Gp");
    EXPECT_EQ(covered, faults::calls(injected.op)) << "the table does not cover every call";
  }
}

#ifndef _WIN32  // permissions
// A credential file that cannot be read ends the start: no role is offered for a set-up that
// would overwrite it, and no byte changes.
TEST(RealFaults, ACredentialFileThatCannotBeReadEndsTheStartAndKeepsEveryRecord) {
  for (const char* name : {"KoV", "TdT"}) {
    for (const bool folder : {false, true}) {
      SCOPED_TRACE(testing::Message() << name << (folder ? " a folder" : " write-only"));
      Controller w(storedRecord(entryText('N', "10/12/2026", "a")), false);
      const std::string administrator = w.folder.read("KoV"), controller = w.folder.read("TdT");
      if (folder) {
        std::filesystem::remove(w.folder.file(name));
        w.folder.makeFolder(name);
      } else {
        w.folder.setOwnerAccess(name, 2);
      }
      {
        const Unprivileged user(w.folder);
        EXPECT_FALSE(w.load());
      }
      const std::string error =
          folder ? "75-Errore di accesso al percorso/file" : "70-Autorizzazione negata";
      EXPECT_EQ(w.platform.texts(),
                (std::vector<std::string>{
                    trappedText("Leggi_Parametri_KOV", error),
                    trappedText("Leggi_Parametri_KOV", "52-Nome o numero di file non valido")}));
      EXPECT_TRUE((folder && name[0] == 'K') || w.folder.read("KoV") == administrator);
      EXPECT_TRUE((folder && name[0] == 'T') || w.folder.read("TdT") == controller);
      EXPECT_EQ(w.recordings(), storedRecord(entryText('N', "10/12/2026", "a")));
    }
  }
}
#endif

// An administrator file of a damaged shape: the mode the start-up opens in, the records
// that could not be unscrambled, and no byte changed.
TEST(RealFaults, DamagedAdministratorFiles) {
  const auto each = [](const std::function<std::string(const std::string&)>& change) {
    return [change](const std::string& file) {
      std::string bytes;
      for (std::size_t at = 0; at < file.size(); at += 256) bytes += change(file.substr(at, 256));
      return bytes;
    };
  };
  const struct {
    const char* name;
    std::function<std::string(const std::string&)> make;
    const Mode* mode;
    std::size_t errors;
  } rows[] = {
      {"0 bytes", [](const std::string&) { return std::string(); }, &kAdministratorSetUp, 0},
      {"torn at the end", [](const std::string& f) { return f + f.substr(0, 100); }, &kRoleChoice,
       0},
      {"LF only", each([](const std::string& r) { return r.substr(0, 254) + "\n"; }), &kRoleChoice,
       0},
      {"CR only", each([](const std::string& r) { return r.substr(0, 254) + "\r"; }), &kRoleChoice,
       0},
      {"LF CR", each([](const std::string& r) { return r.substr(0, 254) + "\n\r"; }),
       &kAdministratorSetUp, 0},
      {"a record of NULs",
       [](std::string f) { return f.replace(256, 256, std::string(256, '\0')); },
       &kAdministratorSetUp, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Window w;
    w.storeBothRoles();
    const std::string administrator = row.make(w.folder.read("KoV"));
    w.folder.write("KoV", administrator);
    ASSERT_TRUE(w.load());
    expectMode(w, *row.mode);
    EXPECT_EQ(w.platform.texts(),
              std::vector<std::string>(row.errors, trappedText("Cripta_Decripta",
                                                               "5-Chiamata di "
                                                               "routine o "
                                                               "argomento non "
                                                               "validi")));
    EXPECT_EQ(w.folder.read("KoV"), administrator);
  }
}

}  // namespace
}  // namespace kov

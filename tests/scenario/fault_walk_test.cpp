// Each call of each file operation of a report with removal fails in turn; the table gives
// the messages the user is shown and how far the run got. A failure in the chain of the
// system log's copies is silent: the copies are made all the same.
#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <memory>
#include <sstream>

#include "cores/oplog/texts.h"
#include "runtime/file.h"
#include "support/controller_window.h"
#include "support/fault_plan.h"

namespace kov {
namespace {

using namespace test;
using faults::Op;

// How far the run got: nothing changed, the report written and logged, the entry marked
// besides, or the recordings file replaced; the messages are words of the map below.
enum Got { kNothing, kReported, kMarked, kRemovedFile };
// clang-format off
const struct Row { Op op; long first, last; const char* messages; Got got; } kRows[] = {
    {Op::Open, 1, 1, "Fscan keep", kNothing},
    {Op::Open, 2, 2, "Frw left keep", kNothing},
    {Op::Open, 3, 4, "found Fpdf created deleted removed", kRemovedFile},
    {Op::Open, 5, 5, "found Fwriter Nwriter created deleted removed", kRemovedFile},
    {Op::Open, 6, 8, "found created deleted removed", kRemovedFile},
    {Op::Open, 9, 9, "found created Fscan", kMarked},
    {Op::Open, 10, 10, "found created deleted removed", kRemovedFile},
    {Op::Open, 11, 11, "found created Fscan", kMarked},
    {Op::Open, 12, 12, "found created deleted Ncopy removed", kRemovedFile},
    {Op::Open, 13, 15, "found created deleted removed", kRemovedFile},
    {Op::Open, 16, 16, "found created deleted removed Ncopy", kRemovedFile},
    {Op::Open, 17, 19, "found created deleted removed", kRemovedFile},
    {Op::Read, 1, 1, "Fscan keep", kNothing},
    {Op::Read, 2, 2, "Frw found created left keep", kReported},
    {Op::Read, 3, 3, "found Fpdf created deleted removed", kRemovedFile},
    {Op::Read, 4, 4, "found created deleted removed", kRemovedFile},
    {Op::Read, 5, 5, "found created Fscan", kMarked},
    {Op::Read, 6, 10, "found created deleted removed", kRemovedFile},
    {Op::Write, 1, 1, "Frw left keep", kNothing},
    {Op::Write, 2, 2, "Frw found created left keep", kReported},
    {Op::Write, 3, 3, "found Fpdf created deleted removed", kRemovedFile},
    {Op::Write, 4, 4, "found Fwriter created deleted removed", kRemovedFile},
    {Op::Write, 5, 5, "found created deleted removed", kRemovedFile},
    {Op::Write, 6, 6, "found created Fscan", kMarked},
    {Op::Write, 7, 8, "found created deleted removed", kRemovedFile},
    {Op::Sync, 1, 2, "Frw left keep", kNothing},
    {Op::Sync, 3, 3, "Frw found created left keep", kMarked},
    {Op::Sync, 4, 5, "found Fpdf created deleted removed", kRemovedFile},
    {Op::Sync, 6, 6, "found Fwriter created deleted removed", kRemovedFile},
    {Op::Sync, 7, 7, "found created deleted removed", kRemovedFile},
    {Op::Sync, 8, 8, "found created Fscan", kMarked},
    {Op::Sync, 9, 10, "found created deleted removed", kRemovedFile},
    {Op::Delete, 1, 2, "found created deleted removed", kRemovedFile},
    {Op::Delete, 3, 4, "found created Fscan", kMarked},
    {Op::Delete, 5, 8, "found created deleted removed", kRemovedFile},
    {Op::Attributes, 1, 1, "found created deleted removed", kRemovedFile},
    {Op::Attributes, 2, 2, "found created Fscan deleted removed", kRemovedFile},
    {Op::Attributes, 3, 3, "found created Fscan", kMarked},
    {Op::Attributes, 4, 5, "found created deleted removed", kRemovedFile},
};
const struct { Op op; int errnoValue; const char* shown; } kInjected[] = {
    {Op::Open, EACCES, "70-Autorizzazione negata"}, {Op::Read, EIO, "57-Errore di I/O della periferica"},
    {Op::Write, ENOSPC, "61-Disco pieno"}, {Op::Sync, EIO, "57-Errore di I/O della periferica"},
    {Op::Delete, EBUSY, "75-Errore di accesso al percorso/file"}, {Op::Attributes, ENOSPC, "61-Disco pieno"},
};
// clang-format on

TEST(FaultWalk, EveryCallOfAReportWithRemovalFailsInTurn) {
  const std::string a = entryText('N', "10/12/2026", "a");
  const std::string out = storedRecord(entryText('S', "10/01/2027", "fuori"));
  test::FaultPlan plan;
  const auto run = [&](Op op, long nth, int errnoValue) {  // nth 0: nothing fails
    auto w = std::make_unique<Controller>(storedRecord(a) + out);
    w->period("01122026", "31122026");
    w->click("Rimuovi");
    const long before = plan.calls(op);
    if (nth > 0) plan.failAt(op, nth, errnoValue);
    w->click("Cmd_Gp");
    return std::pair{std::move(w), plan.calls(op) - before};
  };
  const std::string logged = loggedRecord(kCreated),
                    recordings[] = {storedRecord(a) + out, storedRecord(a) + out + logged,
                                    markedRecord(a) + out + logged, loggedRecord(kRemoved)};
  for (const auto& injected : kInjected) {
    // clang-format off
    const std::map<std::string, std::string> texts = {
        {"keep", kNotDeleted}, {"left", leftText(1)}, {"deleted", kDeleted},
        {"created", confirmation(kCreated)}, {"removed", confirmation(kRemoved)},
        {"Fscan", trappedText("Cmd_Gp_Click", injected.shown)}, {"Frw", trappedText("Rw_Record", injected.shown)},
        {"Fwriter", trappedText("Scrive_Riga_di_Log", injected.shown)},
        {"Nwriter", trappedText("Scrive_Riga_di_Log", "52-Nome o numero di file non valido")},
        {"Ncopy", std::string(oplog_text::kCopyRefused)}};  // a copy that could not be made
    // clang-format on
    long covered = 0;
    for (const Row& row : kRows) {
      if (row.op != injected.op) continue;
      EXPECT_EQ(row.first, covered + 1);
      for (covered = row.first; covered <= row.last; ++covered) {
        SCOPED_TRACE(testing::Message() << row.messages << ", call " << covered);
        const auto w = run(row.op, covered, injected.errnoValue).first;
        std::vector<std::string> expected;
        std::istringstream words(row.messages);
        for (std::string word; words >> word;)
          expected.push_back(word == "found"  ? w->found(1)
                             : word == "Fpdf" ? w->pdfFailed(injected.shown)
                                              : texts.at(word));
        EXPECT_EQ(w->platform.texts(), expected);
        for (const Message& m : w->platform.messages)
          EXPECT_EQ(m.title, m.icon == Icon::Critical ? "KoV" : kCaption);
        EXPECT_EQ(w->recordings(), recordings[row.got]);
        EXPECT_EQ(w->report(), row.got == kNothing ? "" : kHeadingRecord + lineOf(a));
        EXPECT_EQ(isHidden(dataFileName(w->folder.path(), "\\OdV")), row.got == kRemovedFile);
      }
      covered = row.last;
    }
    EXPECT_EQ(covered, run(injected.op, 0, 0).second) << "the table does not cover every call";
  }
}

}  // namespace
}  // namespace kov

// Each call of each file operation of a report with removal fails in turn: the messages the
// user is shown and how far the run got. A failure in the chain of the system log's copies is
// silent: the copies are made all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>

#include "cores/oplog/texts.h"
#include "runtime/file.h"
#include "support/controller_window.h"
#include "support/fault_plan.h"
#include "support/tables.h"

namespace kov {
namespace {

using namespace test;
using faults::Op;

// What the user is told: the entries found, the PDF not written, the confirmation of the entry
// that logs the report, one entry left, the file kept for it or removed and the confirmation of
// the entry that logs the removal, the error under Cmd_Gp_Click, Rw_Record or Scrive_Riga_di_Log,
// 52 under Scrive_Riga_di_Log for the file it could not open, and a copy for the system log lost.
enum class Said { Found, Pdf, Created, Left, Kept, Deleted, Removed, Scan, Rw, Log, No52, Lost };
using enum Said;

// How far the run got: nothing changed, the report written and logged, the entry marked
// besides, or the recordings file replaced.
enum class Got { Nothing, Reported, Marked, RemovedFile };

struct Outcome {
  std::vector<Said> said;
  Got got;
};
const Outcome kScanFails{{Scan, Kept}, Got::Nothing};
const Outcome kReportFails{{Rw, Left, Kept}, Got::Nothing};
const Outcome kMarksFail{{Rw, Found, Created, Left, Kept}, Got::Reported};
const Outcome kPdfFails{{Found, Pdf, Created, Deleted, Removed}, Got::RemovedFile};
const Outcome kLogFails{{Found, Log, Created, Deleted, Removed}, Got::RemovedFile};
const Outcome kRemovalFails{{Found, Created, Scan}, Got::Marked};
const Outcome kUnseen{{Found, Created, Deleted, Removed}, Got::RemovedFile};

struct Step {
  const char* name;
  Op op;
  long first;      // the call of `op` that fails, counted from the click on Ok
  long calls = 1;  // and the calls after it that fail the same way
  Outcome outcome;
};

const Step kSteps[] = {
    {.name = "ScanOpen", .op = Op::Open, .first = 1, .outcome = kScanFails},
    {.name = "ReportOpen", .op = Op::Open, .first = 2, .outcome = kReportFails},
    {.name = "PdfOpen", .op = Op::Open, .first = 3, .calls = 2, .outcome = kPdfFails},
    {
        .name = "LogOpen",
        .op = Op::Open,
        .first = 5,
        .outcome = {{Found, Log, No52, Created, Deleted, Removed}, Got::RemovedFile},
    },
    {.name = "RemovalOpen", .op = Op::Open, .first = 9, .outcome = kRemovalFails},
    {.name = "RemovalReopen", .op = Op::Open, .first = 11, .outcome = kRemovalFails},
    {
        .name = "RemovalCopyOpen",
        .op = Op::Open,
        .first = 12,
        .outcome = {{Found, Created, Deleted, Lost, Removed}, Got::RemovedFile},
    },
    {
        .name = "RemovedEntryCopyOpen",
        .op = Op::Open,
        .first = 16,
        .outcome = {{Found, Created, Deleted, Removed, Lost}, Got::RemovedFile},
    },
    {.name = "ScanRead", .op = Op::Read, .first = 1, .outcome = kScanFails},
    {.name = "MarksRead", .op = Op::Read, .first = 2, .outcome = kMarksFail},
    {.name = "PdfRead", .op = Op::Read, .first = 3, .outcome = kPdfFails},
    {.name = "RemovalRead", .op = Op::Read, .first = 5, .outcome = kRemovalFails},
    {.name = "ReportWrite", .op = Op::Write, .first = 1, .outcome = kReportFails},
    {.name = "MarksWrite", .op = Op::Write, .first = 2, .outcome = kMarksFail},
    {.name = "PdfWrite", .op = Op::Write, .first = 3, .outcome = kPdfFails},
    {.name = "LogWrite", .op = Op::Write, .first = 4, .outcome = kLogFails},
    {.name = "RemovalWrite", .op = Op::Write, .first = 6, .outcome = kRemovalFails},
    {.name = "ReportSync", .op = Op::Sync, .first = 1, .calls = 2, .outcome = kReportFails},
    {.name = "MarksSync", .op = Op::Sync, .first = 3, .outcome = {kMarksFail.said, Got::Marked}},
    {.name = "PdfSync", .op = Op::Sync, .first = 4, .calls = 2, .outcome = kPdfFails},
    {.name = "LogSync", .op = Op::Sync, .first = 6, .outcome = kLogFails},
    {.name = "RemovalSync", .op = Op::Sync, .first = 8, .outcome = kRemovalFails},
    {.name = "RemovalDelete", .op = Op::Delete, .first = 3, .calls = 2, .outcome = kRemovalFails},
    {
        .name = "OldFileAttributes",
        .op = Op::Attributes,
        .first = 2,
        .outcome = {{Found, Created, Scan, Deleted, Removed}, Got::RemovedFile},
    },
    {.name = "NewFileHidden", .op = Op::Attributes, .first = 3, .outcome = kRemovalFails},
};

// The failure each operation meets, and the error the user reads.
struct Injected {
  int errnoValue;
  const char* shown;
};
const std::map<Op, Injected> kInjected = {
    {Op::Open, {EACCES, "70-Autorizzazione negata"}},
    {Op::Read, {EIO, "57-Errore di I/O della periferica"}},
    {Op::Write, {ENOSPC, "61-Disco pieno"}},
    {Op::Sync, {EIO, "57-Errore di I/O della periferica"}},
    {Op::Delete, {EBUSY, "75-Errore di accesso al percorso/file"}},
    {Op::Attributes, {ENOSPC, "61-Disco pieno"}},
};

const std::string a = entryText('N', "10/12/2026", "a");
const std::string out = storedRecord(entryText('S', "10/01/2027", "fuori"));

// A report with removal over the entry a and one out of the period, the `nth` call of `op`
// failing (none when 0); the calls of `op` it made.
std::pair<std::unique_ptr<Controller>, long> run(FaultPlan& plan, Op op, long nth) {
  auto w = std::make_unique<Controller>(storedRecord(a) + out);
  w->period("01122026", "31122026");
  w->click("Rimuovi");
  const long before = plan.calls(op);
  if (nth > 0) plan.failAt(op, nth, kInjected.at(op).errnoValue);
  w->click("Cmd_Gp");
  return {std::move(w), plan.calls(op) - before};
}

// The `call`th call of `op` fails: what the user is told and how far the run got.
void expectWalk(FaultPlan& plan, Op op, long call, const Outcome& outcome) {
  SCOPED_TRACE(testing::Message() << "call " << call);
  const std::string shown = kInjected.at(op).shown;
  const std::string logged = loggedRecord(kCreated);
  const std::string recordings[] = {storedRecord(a) + out, storedRecord(a) + out + logged,
                                    markedRecord(a) + out + logged, loggedRecord(kRemoved)};
  const auto w = run(plan, op, call).first;
  const std::map<Said, std::string> texts = {
      {Found, found(1)},
      {Pdf, pdfFailed(shown)},
      {Created, confirmation(kCreated)},
      {Left, leftText(1)},
      {Kept, kNotDeleted},
      {Deleted, kDeleted},
      {Removed, confirmation(kRemoved)},
      {Scan, trappedText("Cmd_Gp_Click", shown)},
      {Rw, trappedText("Rw_Record", shown)},
      {Log, trappedText("Scrive_Riga_di_Log", shown)},
      {No52, trappedText("Scrive_Riga_di_Log", "52-Nome o numero di file non valido")},
      {Lost, std::string(oplog_text::kCopyRefused)},
  };
  std::vector<std::string> expected;
  for (const Said said : outcome.said) expected.push_back(texts.at(said));
  EXPECT_EQ(w->said(), expected);
  for (const Message& m : w->platform.messages)
    EXPECT_EQ(m.title, m.icon == Icon::Critical ? "KoV" : kCaption);
  EXPECT_RECORDS(w->recordings(), recordings[static_cast<int>(outcome.got)]);
  EXPECT_RECORDS(w->report(), outcome.got == Got::Nothing ? "" : kHeadingRecord + lineOf(a));
  EXPECT_EQ(isHidden(dataFileName(w->folder.path(), "\\OdV")), outcome.got == Got::RemovedFile);
}

class FaultWalk : public testing::TestWithParam<Step> {};

TEST_P(FaultWalk, TellsTheFailureAndKeepsEveryEntry) {
  const Step& row = GetParam();
  FaultPlan plan;
  for (long call = row.first; call < row.first + row.calls; ++call)
    expectWalk(plan, row.op, call, row.outcome);
}

INSTANTIATE_TEST_SUITE_P(Report, FaultWalk, testing::ValuesIn(kSteps), test::RowName());

// Every call of each operation that the table leaves out is one of the chain of the system
// log's copies: its failure is unseen, and the run goes to its end.
TEST(FaultWalkOfTheCopies, EveryOtherCallFailsUnseen) {
  FaultPlan plan;
  for (const auto& [op, injected] : kInjected) {
    const long calls = run(plan, op, 0).second;
    for (long call = 1; call <= calls; ++call) {
      const bool listed = std::ranges::any_of(kSteps, [&](const Step& step) {
        return step.op == op && call >= step.first && call < step.first + step.calls;
      });
      if (!listed) expectWalk(plan, op, call, kUnseen);
    }
  }
}

}  // namespace
}  // namespace kov

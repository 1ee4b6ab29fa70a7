// Each call of each file operation of a report with removal fails in turn: the messages the
// user is shown and how far the run got. A failure in the chain of the system log's copies is
// silent: the copies are made all the same.
#include <gtest/gtest.h>

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
    {.name = "ChainOpen", .op = Op::Open, .first = 6, .calls = 3, .outcome = kUnseen},
    {.name = "RemovalOpen", .op = Op::Open, .first = 9, .outcome = kRemovalFails},
    {.name = "RemovalChainOpen", .op = Op::Open, .first = 10, .outcome = kUnseen},
    {.name = "RemovalReopen", .op = Op::Open, .first = 11, .outcome = kRemovalFails},
    {
        .name = "RemovalCopyOpen",
        .op = Op::Open,
        .first = 12,
        .outcome = {{Found, Created, Deleted, Lost, Removed}, Got::RemovedFile},
    },
    {.name = "CopyChainOpen", .op = Op::Open, .first = 13, .calls = 3, .outcome = kUnseen},
    {
        .name = "RemovedEntryCopyOpen",
        .op = Op::Open,
        .first = 16,
        .outcome = {{Found, Created, Deleted, Removed, Lost}, Got::RemovedFile},
    },
    {.name = "LastChainOpen", .op = Op::Open, .first = 17, .calls = 3, .outcome = kUnseen},
    {.name = "ScanRead", .op = Op::Read, .first = 1, .outcome = kScanFails},
    {.name = "MarksRead", .op = Op::Read, .first = 2, .outcome = kMarksFail},
    {.name = "PdfRead", .op = Op::Read, .first = 3, .outcome = kPdfFails},
    {.name = "ChainRead", .op = Op::Read, .first = 4, .outcome = kUnseen},
    {.name = "RemovalRead", .op = Op::Read, .first = 5, .outcome = kRemovalFails},
    {.name = "RemovalChainRead", .op = Op::Read, .first = 6, .calls = 5, .outcome = kUnseen},
    {.name = "ReportWrite", .op = Op::Write, .first = 1, .outcome = kReportFails},
    {.name = "MarksWrite", .op = Op::Write, .first = 2, .outcome = kMarksFail},
    {.name = "PdfWrite", .op = Op::Write, .first = 3, .outcome = kPdfFails},
    {.name = "LogWrite", .op = Op::Write, .first = 4, .outcome = kLogFails},
    {.name = "ChainWrite", .op = Op::Write, .first = 5, .outcome = kUnseen},
    {.name = "RemovalWrite", .op = Op::Write, .first = 6, .outcome = kRemovalFails},
    {.name = "RemovalChainWrite", .op = Op::Write, .first = 7, .calls = 2, .outcome = kUnseen},
    {.name = "ReportSync", .op = Op::Sync, .first = 1, .calls = 2, .outcome = kReportFails},
    {.name = "MarksSync", .op = Op::Sync, .first = 3, .outcome = {kMarksFail.said, Got::Marked}},
    {.name = "PdfSync", .op = Op::Sync, .first = 4, .calls = 2, .outcome = kPdfFails},
    {.name = "LogSync", .op = Op::Sync, .first = 6, .outcome = kLogFails},
    {.name = "ChainSync", .op = Op::Sync, .first = 7, .outcome = kUnseen},
    {.name = "RemovalSync", .op = Op::Sync, .first = 8, .outcome = kRemovalFails},
    {.name = "RemovalChainSync", .op = Op::Sync, .first = 9, .calls = 2, .outcome = kUnseen},
    {.name = "ChainDelete", .op = Op::Delete, .first = 1, .calls = 2, .outcome = kUnseen},
    {.name = "RemovalDelete", .op = Op::Delete, .first = 3, .calls = 2, .outcome = kRemovalFails},
    {.name = "RemovalChainDelete", .op = Op::Delete, .first = 5, .calls = 4, .outcome = kUnseen},
    {.name = "ChainAttributes", .op = Op::Attributes, .first = 1, .outcome = kUnseen},
    {
        .name = "OldFileAttributes",
        .op = Op::Attributes,
        .first = 2,
        .outcome = {{Found, Created, Scan, Deleted, Removed}, Got::RemovedFile},
    },
    {.name = "NewFileHidden", .op = Op::Attributes, .first = 3, .outcome = kRemovalFails},
    {
        .name = "LastAttributes",
        .op = Op::Attributes,
        .first = 4,
        .calls = 2,
        .outcome = kUnseen,
    },
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

class FaultWalk : public testing::TestWithParam<Step> {};

TEST_P(FaultWalk, TellsTheFailureAndKeepsEveryEntry) {
  const Step& row = GetParam();
  const std::string shown = kInjected.at(row.op).shown;
  const std::string logged = loggedRecord(kCreated);
  const std::string recordings[] = {storedRecord(a) + out, storedRecord(a) + out + logged,
                                    markedRecord(a) + out + logged, loggedRecord(kRemoved)};
  FaultPlan plan;
  for (long call = row.first; call < row.first + row.calls; ++call) {
    SCOPED_TRACE(testing::Message() << "call " << call);
    const auto w = run(plan, row.op, call).first;
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
    for (const Said said : row.outcome.said) expected.push_back(texts.at(said));
    EXPECT_EQ(w->said(), expected);
    for (const Message& m : w->platform.messages)
      EXPECT_EQ(m.title, m.icon == Icon::Critical ? "KoV" : kCaption);
    const Got got = row.outcome.got;
    EXPECT_RECORDS(w->recordings(), recordings[static_cast<int>(got)]);
    EXPECT_RECORDS(w->report(), got == Got::Nothing ? "" : kHeadingRecord + lineOf(a));
    EXPECT_EQ(isHidden(dataFileName(w->folder.path(), "\\OdV")), got == Got::RemovedFile);
  }
}

INSTANTIATE_TEST_SUITE_P(, FaultWalk, testing::ValuesIn(kSteps), test::RowName());

// The steps of each operation follow one another from its first call to its last.
TEST(FaultWalkTable, HasAStepForEveryCall) {
  FaultPlan plan;
  for (const auto& [op, injected] : kInjected) {
    long covered = 0;
    for (const Step& step : kSteps) {
      if (step.op != op) continue;
      EXPECT_EQ(step.first, covered + 1) << step.name;
      covered = step.first + step.calls - 1;
    }
    EXPECT_EQ(covered, run(plan, op, 0).second) << "operation " << static_cast<int>(op);
  }
}

}  // namespace
}  // namespace kov

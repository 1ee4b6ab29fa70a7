// Every file operation of start-up, the log writer, the report, the first set-ups and the
// password change fails in turn, at each of its calls. For each scenario, operation and
// range of calls the table gives the messages the user is shown and which changes of the
// clean run are on the disk afterwards: the folder must hold exactly those, so a stored
// record erased, an entry lost or an entry marked without its report line shows up as a
// difference.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>

#include "report/controller_window.h"
#include "shell/runtime/faults.h"
#include "shell/runtime/file.h"
#include "support/modes.h"

namespace kov {
namespace {

namespace fs = std::filesystem;
using faults::Op;
using test::confirmation;
using test::kActivated;
using test::kBackup;
using test::kCaption;
using test::kChanged;
using test::kCreated;
using test::kNotDeleted;
using test::kRemoved;
using test::pad;
using test::storedRecord;

// The failure each operation meets, and how the user is told of it.
struct Injected {
  Op op;
  const char* name;
  int errnoValue;
  const char* shown;
};
const Injected kInjected[] = {
    {Op::Open, "Open", EACCES, "70-Autorizzazione negata"},
    {Op::Read, "Read", EIO, "57-Errore di I/O della periferica"},
    {Op::Write, "Write", ENOSPC, "61-Disco pieno"},
    {Op::Sync, "Sync", EIO, "57-Errore di I/O della periferica"},
    {Op::Delete, "Delete", EBUSY, "75-Errore di accesso al percorso/file"},
    {Op::Attributes, "Attributes", ENOSPC, "61-Disco pieno"},
};

constexpr const char* kReader = "Leggi_Parametri_KOV";
constexpr const char* kRw = "Rw_Record";
constexpr const char* kWriter = "Scrive_Riga_di_Log";
constexpr const char* kScan = "Cmd_Gp_Click";

// A message of the table: a fixed text, or a mark followed by the procedure that shows it.
enum Mark : char { kFailedMark = 1, kNotOpenMark, kStartUpMark, kFoundMark };
// The injected failure, shown by the procedure that met it.
std::string failed(const char* procedure) {
  return std::string(1, kFailedMark) + procedure;
}
// The step that a procedure carries on with after its open failed, on no file.
std::string notOpen(const char* procedure) {
  return std::string(1, kNotOpenMark) + procedure;
}
const std::string kStartUpError(1, kStartUpMark);
const std::string kFoundOne(1, kFoundMark);
const std::string kDeleted = "Il File delle scritture \xE8 stato Eliminato";
std::string left(int count) {
  return "Attenzione, Ci sono ancora n.< " + std::to_string(count) + "> scritture da rilevare";
}

// The changes a clean run of a scenario makes, one bit each.
enum Change : unsigned {
  kStarted = 1U << 0,  // start-up opened the window
  kCounted = 1U << 1,  // N_Accessi shows the number of recordings
  kAdministratorCreated = 1U << 2,
  kAdministratorHidden = 1U << 3,
  kRecordingsCreated = 1U << 4,
  kRecordingsHidden = 1U << 5,
  kControllerCreated = 1U << 6,
  kControllerHidden = 1U << 7,
  kRecord1 = 1U << 8,  // records 1 to 4 of the credential file written
  kRecord2 = 1U << 9,
  kRecord3 = 1U << 10,
  kRecord4 = 1U << 11,
  kLogged = 1U << 12,  // the run's entry appended to the recordings file
  kReportCreated = 1U << 13,
  kReportWritten = 1U << 14,
  kMarked = 1U << 15,  // the copied entry rewritten with the flag "S"
  kDeletedFile = 1U << 16,
  kRecreated = 1U << 17,
  kRecreatedHidden = 1U << 18,
  kRemovalLogged = 1U << 19,
  kClean = 1U << 30,  // every change of the scenario's clean run
};
constexpr unsigned kRecords = kRecord1 | kRecord2 | kRecord3 | kRecord4;
constexpr unsigned kReportLines = kReportCreated | kReportWritten;
constexpr unsigned kReportRun = kReportLines | kMarked | kLogged;
constexpr unsigned kRemovalRun =
    kReportRun | kDeletedFile | kRecreated | kRecreatedHidden | kRemovalLogged;

enum class Scenario {
  FirstStart,
  ControllerStart,
  NormalStart,
  Entry,
  AdministratorSetUp,
  ControllerSetUp,
  PasswordChange,
  ParametersChange,
  Report,
  ReportRemoving,
};

struct ScenarioDef {
  Scenario id;
  const char* name;
  unsigned clean;                     // the changes of a run without a failure
  std::vector<std::string> messages;  // of a run without a failure
};

// The log writer's confirmations.
const std::string kAdministratorActivated = confirmation("PC-01", "Admin", kActivated);
const std::string kControllerActivated = confirmation("PC-01", "Titolare", kActivated);
const std::string kCreatedConfirmed = confirmation("PC-01", "Titolare", kCreated);
const std::string kRemovedConfirmed = confirmation("PC-01", "Titolare", kRemoved);

using S = Scenario;
// The tables read by columns; clang-format would give each field a line of its own.
// clang-format off
const ScenarioDef kScenarios[] = {
    {S::FirstStart, "FirstStart",
     kStarted | kAdministratorCreated | kAdministratorHidden | kRecordingsCreated |
         kRecordingsHidden, {}},
    {S::ControllerStart, "ControllerStart", kStarted | kControllerCreated | kControllerHidden, {}},
    {S::NormalStart, "NormalStart", kStarted | kCounted, {}},
    {S::Entry, "Entry", kLogged, {confirmation("PC-01", "Admin", kBackup)}},
    {S::AdministratorSetUp, "AdministratorSetUp", kRecords | kLogged, {kAdministratorActivated}},
    {S::ControllerSetUp, "ControllerSetUp", kRecord1 | kLogged, {kControllerActivated}},
 
       {S::PasswordChange, "PasswordChange", kRecord4 | kLogged,
     {confirmation("PC-01", "Admin", kChanged)}},
 
       {S::ParametersChange, "ParametersChange", kRecords | kLogged,
     {confirmation("PC 9", "Admin", kChanged)}},
    {S::Report, "Report", kReportRun, {kFoundOne, kCreatedConfirmed, left(1)}},
    {S::ReportRemoving, "ReportRemoving", kRemovalRun,
     {kFoundOne, kCreatedConfirmed, kDeleted, kRemovedConfirmed}},
};

struct Row {
  Scenario scenario;
  Op op;
  long first, last;  // the calls of `op` the row covers, counted from 1
  std::vector<std::string> messages;
  unsigned changes;  // the changes on the disk afterwards
};

const std::vector<Row> kReaderRows = {
    // Start-up in an empty folder: the administrator file, then the recordings file.
    {S::FirstStart, Op::Open, 1, 1, {failed(kReader), notOpen(kReader)},
     kControllerCreated | kControllerHidden},
    {S::FirstStart, Op::Open, 2, 2, {kStartUpError}, 0},
    {S::FirstStart, Op::Open, 3, 3, {kStartUpError}, kAdministratorCreated | kAdministratorHidden},
    {S::FirstStart, Op::Attributes, 1, 1, {kStartUpError}, kAdministratorCreated},
    {S::FirstStart, Op::Attributes, 2, 2, {kStartUpError},
     kAdministratorCreated | kAdministratorHidden | kRecordingsCreated},
    // Start-up with the administrator stored: his file, then the data controller's.
    {S::ControllerStart, Op::Open, 1, 1, {failed(kReader), notOpen(kReader)},
     kControllerCreated | kControllerHidden},
    {S::ControllerStart, Op::Open, 2, 2, {failed(kReader), notOpen(kReader)}, 0},
    {S::ControllerStart, Op::Open, 3, 3, {kStartUpError}, 0},
    {S::ControllerStart, Op::Read, 1, 1, {failed(kReader)}, kControllerCreated | kControllerHidden},
    {S::ControllerStart, Op::Attributes, 1, 1, {kStartUpError}, kControllerCreated},
    // Start-up with both roles: both credential files, then the count.
    {S::NormalStart, Op::Open, 1, 2, {failed(kReader), notOpen(kReader)}, 0},
    {S::NormalStart, Op::Open, 3, 3, {}, kStarted},
    {S::NormalStart, Op::Read, 1, 2, {failed(kReader)}, 0},
    // The report: the scan, the report file, the marks, the entry that logs it.
    {S::Report, Op::Open, 1, 1, {failed(kScan)}, 0},
    {S::Report, Op::Open, 2, 2, {failed(kRw), left(2)}, 0},
    {S::Report, Op::Open, 3, 3,
     {kFoundOne, failed(kWriter), notOpen(kWriter), kCreatedConfirmed, left(1)},
     kReportLines | kMarked},
    // The count after the run, for the advice over 32,767 records: nothing to say.
    {S::Report, Op::Open, 4, 4, {kFoundOne, kCreatedConfirmed, left(1)}, kClean},
    // The scan, then the copied entries read again to be marked.
    {S::Report, Op::Read, 1, 1, {failed(kScan)}, 0},
    {S::Report, Op::Read, 2, 2, {failed(kRw), kFoundOne, kCreatedConfirmed, left(2)},
     kReportLines | kLogged},
    // A report that fails part-way is removed.
    {S::Report, Op::Write, 1, 1, {failed(kRw), left(2)}, 0},
    {S::Report, Op::Write, 2, 2, {failed(kRw), kFoundOne, kCreatedConfirmed, left(2)},
     kReportLines | kLogged},
    {S::Report, Op::Write, 3, 3, {kFoundOne, failed(kWriter), kCreatedConfirmed, left(1)},
     kReportLines | kMarked},
    // The report file, then its folder entry; the marks; the logged entry.
    {S::Report, Op::Sync, 1, 2, {failed(kRw), left(2)}, 0},
    {S::Report, Op::Sync, 3, 3, {failed(kRw), kFoundOne, kCreatedConfirmed, left(2)}, kClean},
    {S::Report, Op::Sync, 4, 4, {kFoundOne, failed(kWriter), kCreatedConfirmed, left(1)}, kClean},
    // The report with removal; then, under the lock, the check of the file and the new file
    // written beside it and renamed over it. The removal is due whenever nothing but the
    // run's own entry follows what it read, even when that entry could not be written.
    {S::ReportRemoving, Op::Open, 1, 1, {failed(kScan), kNotDeleted}, 0},
    {S::ReportRemoving, Op::Open, 2, 2, {failed(kRw), left(1), kNotDeleted}, 0},
    {S::ReportRemoving, Op::Open, 3, 3,
     {kFoundOne, failed(kWriter), notOpen(kWriter), kCreatedConfirmed, kDeleted,
      kRemovedConfirmed},
     kClean},
    {S::ReportRemoving, Op::Open, 4, 5, {kFoundOne, kCreatedConfirmed, failed(kScan)}, kReportRun},
    {S::ReportRemoving, Op::Read, 1, 1, {failed(kScan), kNotDeleted}, 0},
    {S::ReportRemoving, Op::Read, 2, 2,
     {failed(kRw), kFoundOne, kCreatedConfirmed, left(1), kNotDeleted},
     kReportLines | kLogged},
    {S::ReportRemoving, Op::Read, 3, 3, {kFoundOne, kCreatedConfirmed, failed(kScan)}, kReportRun},
    {S::ReportRemoving, Op::Write, 1, 1, {failed(kRw), left(1), kNotDeleted}, 0},
    {S::ReportRemoving, Op::Write, 2, 2,
     {failed(kRw), kFoundOne, kCreatedConfirmed, left(1), kNotDeleted},
     kReportLines | kLogged},
    {S::ReportRemoving, Op::Write, 3, 3,
     {kFoundOne, failed(kWriter), kCreatedConfirmed, kDeleted, kRemovedConfirmed},
     kClean},
    {S::ReportRemoving, Op::Write, 4, 4, {kFoundOne, kCreatedConfirmed, failed(kScan)}, kReportRun},
    {S::ReportRemoving, Op::Sync, 1, 2, {failed(kRw), left(1), kNotDeleted}, 0},
    {S::ReportRemoving, Op::Sync, 3, 3,
     {failed(kRw), kFoundOne, kCreatedConfirmed, left(1), kNotDeleted},
     kReportRun},
    {S::ReportRemoving, Op::Sync, 4, 4,
     {kFoundOne, failed(kWriter), kCreatedConfirmed, kDeleted, kRemovedConfirmed},
     kClean},
    {S::ReportRemoving, Op::Sync, 5, 5, {kFoundOne, kCreatedConfirmed, failed(kScan)}, kReportRun},
    {S::ReportRemoving, Op::Delete, 1, 1, {kFoundOne, kCreatedConfirmed, failed(kScan)},
     kReportRun},
    {S::ReportRemoving, Op::Attributes, 1, 1,
     {kFoundOne, kCreatedConfirmed, failed(kScan), kDeleted, kRemovedConfirmed},
     kClean},
    {S::ReportRemoving, Op::Attributes, 2, 2, {kFoundOne, kCreatedConfirmed, failed(kScan)},
     kReportRun},
};
// clang-format on

// The scenarios that write credential records in order and then log an entry (an entry of
// the administrator writes no record). Each open, write and sync of a record is Rw_Record's,
// of the entry Scrive_Riga_di_Log's; the failure is told before the entry's confirmation. A
// record that does not reach the disk (open or write) stops it and the records after it; one
// whose sync fails stops the records after it alone. A lost entry loses nothing else.
std::vector<Row> allRows() {
  std::vector<Row> rows = kReaderRows;
  for (const ScenarioDef& s : kScenarios) {
    if (s.id < S::Entry || s.id > S::ParametersChange) continue;
    std::vector<unsigned> records;  // in the order they are written
    for (unsigned r = kRecord1; r <= kRecord4; r <<= 1) {
      if ((s.clean & r) != 0) records.push_back(r);
    }
    const long entry = static_cast<long>(records.size()) + 1;
    for (const Op op : {Op::Open, Op::Write, Op::Sync}) {
      for (long n = 1; n <= entry; ++n) {
        const char* procedure = n < entry ? kRw : kWriter;
        std::vector<std::string> messages{failed(procedure)};
        if (op == Op::Open) messages.push_back(notOpen(procedure));
        messages.push_back(s.messages.back());
        unsigned changes = s.clean;
        if (n == entry && op != Op::Sync) changes &= ~kLogged;
        const auto stopped = static_cast<std::size_t>(op == Op::Sync ? n : n - 1);
        for (std::size_t k = stopped; k < records.size(); ++k) changes &= ~records[k];
        rows.push_back({s.id, op, n, n, messages, changes});
      }
    }
  }
  return rows;
}

struct FileState {
  std::string bytes;
  bool hidden = false;
  bool operator==(const FileState& other) const {
    return bytes == other.bytes && hidden == other.hidden;
  }
};
using Files = std::map<std::string, FileState>;

void PrintTo(const FileState& file, std::ostream* out) {
  *out << file.bytes.size() << " bytes" << (file.hidden ? ", hidden" : "");
}

// Every file under the program folder, by its name relative to it.
Files filesIn(const test::TempFolder& folder) {
  Files files;
  for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
    if (!entry.is_regular_file()) continue;
    files[fs::relative(entry.path(), folder.path()).generic_string()] = {
        test::readBytes(entry.path().string()), isHidden(entry.path().string())};
  }
  return files;
}

const std::string kReportFile = "report/20261231_0905_Log.txt";
const std::string kInPeriod = test::entryText('N', "10/12/2026", "a");

// One run of a scenario on a fresh program folder, prepared up to the click that the
// scenario is about.
class ScenarioRun {
 public:
  explicit ScenarioRun(const ScenarioDef& scenario) : scenario_(scenario) {
    const S id = scenario.id;
    if (id == S::Report || id == S::ReportRemoving) {
      // One entry of the period, and one outside it: unreported, or reported already.
      auto controller = std::make_unique<test::Controller>(
          storedRecord(kInPeriod) +
          storedRecord(test::entryText(id == S::Report ? 'N' : 'S', "10/01/2027", "fuori")));
      controller->period("01122026", "31122026");
      if (id == S::ReportRemoving) controller->click("Rimuovi");
      w_ = std::move(controller);
      logged_ = test::loggedEntry("PC-01", "Titolare", kCreated);
    } else {
      w_ = std::make_unique<test::Window>();
      if (id != S::FirstStart && id != S::AdministratorSetUp) w_->storeBothRoles();
      if (id == S::ControllerStart || id == S::ControllerSetUp) fs::remove(w_->folder.file("TdT"));
    }
    switch (id) {
      case S::NormalStart:
        w_->folder.write("OdV", storedRecord(kInPeriod) + storedRecord(kInPeriod));
        break;
      case S::Entry:
        w_->folder.write("OdV", storedRecord(kInPeriod));
        w_->show();
        w_->signIn(0, "Admin", "password1");
        logged_ = test::loggedEntry("PC-01", "Admin", kBackup);
        break;
      case S::AdministratorSetUp:
        w_->show();
        typeUser("Admin", "password1");
        w_->retype("Opz_KOV_1", "PC-01");
        w_->retype("Opz_KOV_2", "Log.txt");
        w_->retype("Opz_KOV_3", "C:\\Report");
        credentials_ = "KoV";
        records_ = {storedRecord(pad("PC-01", 20) + "0"), storedRecord("Log.txt"),
                    storedRecord("C:\\Report"),
                    storedRecord(pad("Admin", 20) + pad("password1", 20))};
        logged_ = test::loggedEntry("PC-01", "Admin", kActivated);
        break;
      case S::ControllerSetUp:
        w_->folder.write("OdV", test::loggedEntry("PC-01", "Admin", kActivated));
        w_->show();
        typeUser("Titolare", "segreto99");
        credentials_ = "TdT";
        records_[0] = storedRecord(pad("Titolare", 20) + pad("segreto99", 20));
        logged_ = test::loggedEntry("PC-01", "Titolare", kActivated);
        break;
      case S::PasswordChange:
      case S::ParametersChange:
        w_->folder.write("OdV", "");  // as the first start left it
        w_->show();
        w_->signIn(0, "Admin", "password1");
        w_->whileDialogOpen = [](const Pw_Kov& dialog) {
          test::confirmPassword(dialog, "nuova-pw1");
        };
        credentials_ = "KoV";
        records_[3] = storedRecord(pad("Admin", 20) + pad("nuova-pw1", 20));
        logged_ = test::loggedEntry("PC-01", "Admin", kChanged);
        if (id == S::ParametersChange) {
          w_->click("Var_Par");
          w_->retype("Opz_KOV_1", "PC 9");
          w_->retype("Opz_KOV_2", "Nuovo.log");
          w_->retype("Opz_KOV_3", "D:\\Log");
          records_[0] = storedRecord(pad("PC 9", 20) + "0");
          records_[1] = storedRecord("Nuovo.log");
          records_[2] = storedRecord("D:\\Log");
          logged_ = test::loggedEntry("PC 9", "Admin", kChanged);
        }
        break;
      default:
        break;
    }
    before_ = filesIn(w_->folder);
    w_->platform.messages.clear();
  }

  void act() {
    switch (scenario_.id) {
      case S::FirstStart:
      case S::ControllerStart:
      case S::NormalStart:
        started_ = w_->load();
        break;
      case S::Entry:
        w_->click("Cmd_Op");
        break;
      case S::Report:
      case S::ReportRemoving:
        w_->click("Cmd_Gp");
        break;
      default:
        w_->click("Cmd_VPw");
        break;
    }
  }

  void expectMessages(const std::vector<std::string>& expected, const Injected* injected) const {
    const std::vector<test::Message>& shown = w_->platform.messages;
    ASSERT_EQ(shown.size(), expected.size()) << testing::PrintToString(w_->platform.texts());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const char mark = expected[i][0];
      const std::string procedure = expected[i].substr(1);
      std::string text = expected[i];
      if (mark == kFailedMark) text = test::trappedText(procedure, injected->shown);
      if (mark == kNotOpenMark) {
        text = test::trappedText(procedure, "52-Nome o numero di file non valido");
      }
      if (mark == kStartUpMark) {
        text = std::string("Si \xE8 verificato il seguente errore nella lettura del form:\n\r") +
               injected->shown;
      }
      if (mark == kFoundMark) {
        text = "Sono state rilevate n.  1 scritture in " + w_->folder.path() +
               "\\report\\20261231_0905_Log.txt";
      }
      const bool trapped = mark >= kFailedMark && mark <= kStartUpMark;
      EXPECT_EQ(shown[i].text, text) << "message " << i + 1;
      EXPECT_EQ(shown[i].icon, trapped ? Icon::Critical : Icon::Information) << "message " << i + 1;
      EXPECT_EQ(shown[i].title, trapped ? "KoV" : test::kCaption) << "message " << i + 1;
    }
  }

  void expectChanges(unsigned changes) const {
    EXPECT_EQ(filesIn(w_->folder), expectedFiles(changes));
    const auto has = [&](unsigned change) { return (changes & change) != 0; };
    switch (scenario_.id) {
      case S::FirstStart:
      case S::ControllerStart:
      case S::NormalStart:
        ASSERT_EQ(started_, has(kStarted));
        if (!started_) break;
        test::expectMode(*w_, scenario_.id == S::FirstStart        ? test::kAdministratorSetUp
                              : scenario_.id == S::ControllerStart ? test::kControllerSetUp
                                                                   : test::kRoleChoice);
        EXPECT_EQ(w_->find<QLabel>("N_Accessi")->text(), has(kCounted) ? "2" : "");
        break;
      case S::AdministratorSetUp:
      case S::ControllerSetUp:
        EXPECT_FALSE(w_->window->isVisible());  // whatever failed: the next start tells
        break;
      default:
        break;
    }
  }

 private:
  void typeUser(const QString& user, const QString& password) {
    w_->type("Utente", user);
    w_->tab("Utente");
    QTest::keyClicks(w_->box("Pw"), password);
  }

  // The files as they were before the run, with the changes applied.
  Files expectedFiles(unsigned changes) const {
    Files files = before_;
    const auto has = [&](unsigned change) { return (changes & change) != 0; };
    const auto recordings = [&]() -> FileState& {
      for (auto& [name, file] : files) {
        if (QString::fromStdString(name).compare("OdV", Qt::CaseInsensitive) == 0) return file;
      }
      return files["OdV"];  // the log writer creates a missing file, not hidden
    };
    if (has(kAdministratorCreated)) files["KoV"] = {"", has(kAdministratorHidden)};
    if (has(kRecordingsCreated)) files["Odv"] = {"", has(kRecordingsHidden)};
    if (has(kControllerCreated)) files["TdT"] = {"", has(kControllerHidden)};
    for (std::size_t r = 0; r < records_.size(); ++r) {
      if (!has(kRecord1 << r)) continue;
      std::string& bytes = files[credentials_].bytes;
      if (bytes.size() < (r + 1) * 256) bytes.resize((r + 1) * 256, '\0');
      bytes.replace(r * 256, 256, records_[r]);
    }
    if (has(kReportCreated)) files[kReportFile] = {};
    if (has(kReportWritten)) {
      files[kReportFile].bytes = test::kHeadingRecord + test::reportedLine("10/12/2026", "a");
    }
    if (has(kMarked)) recordings().bytes.replace(0, 256, test::markedRecord(kInPeriod));
    if (has(kLogged)) recordings().bytes += logged_;
    if (has(kDeletedFile)) files.erase("OdV");
    if (has(kRecreated)) files["OdV"] = {"", has(kRecreatedHidden)};
    if (has(kRemovalLogged)) recordings().bytes += test::loggedEntry("PC-01", "Titolare", kRemoved);
    return files;
  }

  const ScenarioDef& scenario_;
  std::unique_ptr<test::Window> w_;
  Files before_;
  bool started_ = false;
  std::string credentials_;  // the credential file the scenario writes
  std::array<std::string, 4> records_;
  std::string logged_;  // the record of the entry the scenario logs
};

// The test's name tells the scenario.
void PrintTo(const ScenarioDef& scenario, std::ostream* out) {
  *out << scenario.name;
}

class FaultWalk : public testing::TestWithParam<ScenarioDef> {};

TEST_P(FaultWalk, EveryCallOfEveryFileOperationFailsInTurn) {
  const ScenarioDef& scenario = GetParam();
  // The clean run: its messages, its changes, and how many calls of each operation it makes.
  std::array<long, faults::kOpCount> calls{};
  {
    ScenarioRun run(scenario);
    faults::reset();
    run.act();
    for (const Injected& injected : kInjected) {
      calls.at(static_cast<std::size_t>(injected.op)) = faults::calls(injected.op);
    }
    faults::reset();
    run.expectMessages(scenario.messages, nullptr);
    run.expectChanges(scenario.clean);
  }
  static const std::vector<Row> rows = allRows();
  for (const Injected& injected : kInjected) {
    long covered = 0;  // the rows of an operation cover its calls in order, each once
    for (const Row& row : rows) {
      if (row.scenario != scenario.id || row.op != injected.op) continue;
      EXPECT_EQ(row.first, covered + 1) << injected.name;
      covered = row.last;
      for (long n = row.first; n <= row.last; ++n) {
        SCOPED_TRACE(testing::Message() << scenario.name << ", " << injected.name << " " << n);
        ScenarioRun run(scenario);
        faults::reset();
        faults::failAt(injected.op, n, injected.errnoValue);
        run.act();
        faults::reset();
        run.expectMessages(row.messages, &injected);
        run.expectChanges(row.changes == kClean ? scenario.clean : row.changes);
      }
    }
    EXPECT_EQ(covered, calls.at(static_cast<std::size_t>(injected.op)))
        << injected.name << ": the table does not cover every call";
  }
}

INSTANTIATE_TEST_SUITE_P(Every, FaultWalk, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<ScenarioDef>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kov

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

// A message of the table: a fixed text, or one that depends on the failure or the folder.
struct Msg {
  enum class Kind { Text, Failed, NotOpen, StartUp, FoundOne };
  Kind kind = Kind::Text;
  std::string text;  // the text, or the name of the procedure that shows the failure
  explicit Msg(std::string fixed) : text(std::move(fixed)) {}
  Msg(Kind k, std::string t) : kind(k), text(std::move(t)) {}
};
// The injected failure, shown by the procedure that met it.
Msg failed(const char* procedure) {
  return {Msg::Kind::Failed, procedure};
}
// The step that a procedure carries on with after its open failed, on no file.
Msg notOpen(const char* procedure) {
  return {Msg::Kind::NotOpen, procedure};
}
const Msg kStartUpError{Msg::Kind::StartUp, ""};
const Msg kFoundOne{Msg::Kind::FoundOne, ""};

const Msg kDeleted("Il File delle scritture \xE8 stato Eliminato");
const Msg kNotDeletedMsg(test::kNotDeleted);
Msg left(int count) {
  return Msg("Attenzione, Ci sono ancora n.< " + std::to_string(count) + "> scritture da rilevare");
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
  kClean = 1U << 30,       // every change of the scenario's clean run
  kButTheCall = 1U << 31,  // every change of the clean run but the one the failing call makes
  // A credential record that does not reach the disk stops the records after it: every change
  // of the clean run but those records, with (From) or without (After) the failing call's.
  kRecordsFromTheCall = 1U << 28,
  kRecordsAfterTheCall = 1U << 29,
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
  unsigned clean;                // the changes of a run without a failure
  std::vector<unsigned> writes;  // writers: the change that each open, write and sync makes
  std::vector<Msg> messages;     // of a run without a failure
};

// The log writer's confirmations.
const Msg kAdministratorActivated(confirmation("PC-01", "Admin", kActivated));
const Msg kControllerActivated(confirmation("PC-01", "Titolare", kActivated));
const Msg kPasswordChanged(confirmation("PC-01", "Admin", kChanged));
const Msg kParametersChanged(confirmation("PC 9", "Admin", kChanged));
const Msg kEntryConfirmed(confirmation("PC-01", "Admin", kBackup));
const Msg kCreatedConfirmed(confirmation("PC-01", "Titolare", kCreated));
const Msg kRemovedConfirmed(confirmation("PC-01", "Titolare", kRemoved));

// The tables read by columns; clang-format would give each field a line of its own.
// clang-format off
const ScenarioDef kScenarios[] = {
    {Scenario::FirstStart, "FirstStart",
     kStarted | kAdministratorCreated | kAdministratorHidden | kRecordingsCreated |
         kRecordingsHidden,
     {}, {}},
    {Scenario::ControllerStart, "ControllerStart",
     kStarted | kControllerCreated | kControllerHidden, {}, {}},
    {Scenario::NormalStart, "NormalStart", kStarted | kCounted, {}, {}},
    {Scenario::Entry, "Entry", kLogged, {kLogged}, {kEntryConfirmed}},
    {Scenario::AdministratorSetUp, "AdministratorSetUp",
     kRecord1 | kRecord2 | kRecord3 | kRecord4 | kLogged,
     {kRecord1, kRecord2, kRecord3, kRecord4, kLogged}, {kAdministratorActivated}},
    {Scenario::ControllerSetUp, "ControllerSetUp", kRecord1 | kLogged, {kRecord1, kLogged},
     {kControllerActivated}},
    {Scenario::PasswordChange, "PasswordChange", kRecord4 | kLogged, {kRecord4, kLogged},
     {kPasswordChanged}},
    {Scenario::ParametersChange, "ParametersChange",
     kRecord1 | kRecord2 | kRecord3 | kRecord4 | kLogged,
     {kRecord1, kRecord2, kRecord3, kRecord4, kLogged}, {kParametersChanged}},
    {Scenario::Report, "Report", kReportRun, {}, {kFoundOne, kCreatedConfirmed, left(1)}},
    {Scenario::ReportRemoving, "ReportRemoving", kRemovalRun, {},
     {kFoundOne, kCreatedConfirmed, kDeleted, kRemovedConfirmed}},
};
// clang-format on

struct Row {
  Scenario scenario;
  Op op;
  long first, last;  // the calls of `op` the row covers, counted from 1
  std::vector<Msg> messages;
  unsigned changes;  // the changes on the disk afterwards
};

using S = Scenario;
// clang-format off
const Row kRows[] = {
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
    // An administrator's entry.
    {S::Entry, Op::Open, 1, 1, {failed(kWriter), notOpen(kWriter), kEntryConfirmed}, kButTheCall},
    {S::Entry, Op::Write, 1, 1, {failed(kWriter), kEntryConfirmed}, kButTheCall},
    {S::Entry, Op::Sync, 1, 1, {failed(kWriter), kEntryConfirmed}, kClean},
    // First set-ups and password changes: each record, then the entry that logs it.
    {S::AdministratorSetUp, Op::Open, 1, 4, {failed(kRw), notOpen(kRw), kAdministratorActivated},
     kRecordsFromTheCall},
    {S::AdministratorSetUp, Op::Open, 5, 5,
     {failed(kWriter), notOpen(kWriter), kAdministratorActivated}, kButTheCall},
    {S::AdministratorSetUp, Op::Write, 1, 4, {failed(kRw), kAdministratorActivated}, kRecordsFromTheCall},
    {S::AdministratorSetUp, Op::Write, 5, 5, {failed(kWriter), kAdministratorActivated},
     kButTheCall},
    {S::AdministratorSetUp, Op::Sync, 1, 4, {failed(kRw), kAdministratorActivated}, kRecordsAfterTheCall},
    {S::AdministratorSetUp, Op::Sync, 5, 5, {failed(kWriter), kAdministratorActivated}, kClean},
    {S::ControllerSetUp, Op::Open, 1, 1, {failed(kRw), notOpen(kRw), kControllerActivated},
     kButTheCall},
    {S::ControllerSetUp, Op::Open, 2, 2, {failed(kWriter), notOpen(kWriter), kControllerActivated},
     kButTheCall},
    {S::ControllerSetUp, Op::Write, 1, 1, {failed(kRw), kControllerActivated}, kButTheCall},
    {S::ControllerSetUp, Op::Write, 2, 2, {failed(kWriter), kControllerActivated}, kButTheCall},
    {S::ControllerSetUp, Op::Sync, 1, 1, {failed(kRw), kControllerActivated}, kClean},
    {S::ControllerSetUp, Op::Sync, 2, 2, {failed(kWriter), kControllerActivated}, kClean},
    {S::PasswordChange, Op::Open, 1, 1, {failed(kRw), notOpen(kRw), kPasswordChanged},
     kButTheCall},
    {S::PasswordChange, Op::Open, 2, 2, {failed(kWriter), notOpen(kWriter), kPasswordChanged},
     kButTheCall},
    {S::PasswordChange, Op::Write, 1, 1, {failed(kRw), kPasswordChanged}, kButTheCall},
    {S::PasswordChange, Op::Write, 2, 2, {failed(kWriter), kPasswordChanged}, kButTheCall},
    {S::PasswordChange, Op::Sync, 1, 1, {failed(kRw), kPasswordChanged}, kClean},
    {S::PasswordChange, Op::Sync, 2, 2, {failed(kWriter), kPasswordChanged}, kClean},
    {S::ParametersChange, Op::Open, 1, 4, {failed(kRw), notOpen(kRw), kParametersChanged},
     kRecordsFromTheCall},
    {S::ParametersChange, Op::Open, 5, 5, {failed(kWriter), notOpen(kWriter), kParametersChanged},
     kButTheCall},
    {S::ParametersChange, Op::Write, 1, 4, {failed(kRw), kParametersChanged}, kRecordsFromTheCall},
    {S::ParametersChange, Op::Write, 5, 5, {failed(kWriter), kParametersChanged}, kButTheCall},
    {S::ParametersChange, Op::Sync, 1, 4, {failed(kRw), kParametersChanged}, kRecordsAfterTheCall},
    {S::ParametersChange, Op::Sync, 5, 5, {failed(kWriter), kParametersChanged}, kClean},
    // The report: the scan, the report file, the marks, the entry that logs it.
    {S::Report, Op::Open, 1, 1, {failed(kScan)}, 0},
    {S::Report, Op::Open, 2, 2, {failed(kRw), left(2)}, 0},
    {S::Report, Op::Open, 3, 3,
     {kFoundOne, failed(kWriter), notOpen(kWriter), kCreatedConfirmed, left(1)},
     kReportLines | kMarked},
    {S::Report, Op::Read, 1, 1, {failed(kScan)}, 0},
    {S::Report, Op::Write, 1, 1, {failed(kRw), left(2)}, kReportCreated},
    {S::Report, Op::Write, 2, 2, {failed(kRw), kFoundOne, kCreatedConfirmed, left(2)},
     kReportLines | kLogged},
    {S::Report, Op::Write, 3, 3, {kFoundOne, failed(kWriter), kCreatedConfirmed, left(1)},
     kReportLines | kMarked},
    {S::Report, Op::Sync, 1, 1, {failed(kRw), left(2)}, kReportLines},
    {S::Report, Op::Sync, 2, 2, {failed(kRw), kFoundOne, kCreatedConfirmed, left(2)}, kClean},
    {S::Report, Op::Sync, 3, 3, {kFoundOne, failed(kWriter), kCreatedConfirmed, left(1)}, kClean},
    // The report with removal; then the count, the deletion, the new file and its entry.
    {S::ReportRemoving, Op::Open, 1, 1, {failed(kScan), kNotDeletedMsg}, 0},
    {S::ReportRemoving, Op::Open, 2, 2, {failed(kRw), left(1), kNotDeletedMsg}, 0},
    {S::ReportRemoving, Op::Open, 3, 3,
     {kFoundOne, failed(kWriter), notOpen(kWriter), kCreatedConfirmed, kNotDeletedMsg},
     kReportLines | kMarked},
    {S::ReportRemoving, Op::Open, 4, 4, {kFoundOne, kCreatedConfirmed, failed(kScan)},
     kReportLines | kMarked | kLogged},
    {S::ReportRemoving, Op::Open, 5, 5,
     {kFoundOne, kCreatedConfirmed, kDeleted, failed(kScan), kRemovedConfirmed},
     kRemovalRun & ~(kRecreated | kRecreatedHidden)},
    {S::ReportRemoving, Op::Open, 6, 6,
     {kFoundOne, kCreatedConfirmed, kDeleted, failed(kWriter), notOpen(kWriter),
      kRemovedConfirmed},
     kRemovalRun & ~kRemovalLogged},
    {S::ReportRemoving, Op::Read, 1, 1, {failed(kScan), kNotDeletedMsg}, 0},
    {S::ReportRemoving, Op::Write, 1, 1, {failed(kRw), left(1), kNotDeletedMsg}, kReportCreated},
    {S::ReportRemoving, Op::Write, 2, 2,
     {failed(kRw), kFoundOne, kCreatedConfirmed, left(1), kNotDeletedMsg}, kReportLines | kLogged},
    {S::ReportRemoving, Op::Write, 3, 3,
     {kFoundOne, failed(kWriter), kCreatedConfirmed, kNotDeletedMsg}, kReportLines | kMarked},
    {S::ReportRemoving, Op::Write, 4, 4,
     {kFoundOne, kCreatedConfirmed, kDeleted, failed(kWriter), kRemovedConfirmed},
     kRemovalRun & ~kRemovalLogged},
    {S::ReportRemoving, Op::Sync, 1, 1, {failed(kRw), left(1), kNotDeletedMsg}, kReportLines},
    {S::ReportRemoving, Op::Sync, 2, 2,
     {failed(kRw), kFoundOne, kCreatedConfirmed, left(1), kNotDeletedMsg},
     kReportLines | kMarked | kLogged},
    {S::ReportRemoving, Op::Sync, 3, 3,
     {kFoundOne, failed(kWriter), kCreatedConfirmed, kDeleted, kRemovedConfirmed}, kClean},
    {S::ReportRemoving, Op::Sync, 4, 4,
     {kFoundOne, kCreatedConfirmed, kDeleted, failed(kWriter), kRemovedConfirmed}, kClean},
    {S::ReportRemoving, Op::Delete, 1, 1, {kFoundOne, kCreatedConfirmed, failed(kScan)},
     kReportLines | kMarked | kLogged},
    {S::ReportRemoving, Op::Attributes, 1, 1,
     {kFoundOne, kCreatedConfirmed, failed(kScan), kDeleted, kRemovedConfirmed}, kClean},
    {S::ReportRemoving, Op::Attributes, 2, 2,
     {kFoundOne, kCreatedConfirmed, kDeleted, failed(kScan), kRemovedConfirmed},
     kRemovalRun & ~kRecreatedHidden},
};
// clang-format on

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
    switch (scenario.id) {
      case S::FirstStart:
        w_ = std::make_unique<test::Window>();
        break;
      case S::ControllerStart:
        w_ = std::make_unique<test::Window>();
        w_->storeBothRoles();
        fs::remove(w_->folder.file("TdT"));
        break;
      case S::NormalStart:
        w_ = std::make_unique<test::Window>();
        w_->storeBothRoles();
        w_->folder.write("OdV", storedRecord(kInPeriod) + storedRecord(kInPeriod));
        break;
      case S::Entry:
        w_ = std::make_unique<test::Window>();
        w_->storeBothRoles();
        w_->folder.write("OdV", storedRecord(kInPeriod));
        w_->show();
        w_->signIn(0, "Admin", "password1");
        logged_ = test::loggedEntry("PC-01", "Admin", kBackup);
        break;
      case S::AdministratorSetUp:
        w_ = std::make_unique<test::Window>();
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
        w_ = std::make_unique<test::Window>();
        w_->storeBothRoles();
        fs::remove(w_->folder.file("TdT"));
        w_->folder.write("OdV", test::loggedEntry("PC-01", "Admin", kActivated));
        w_->show();
        typeUser("Titolare", "segreto99");
        credentials_ = "TdT";
        records_[0] = storedRecord(pad("Titolare", 20) + pad("segreto99", 20));
        logged_ = test::loggedEntry("PC-01", "Titolare", kActivated);
        break;
      case S::PasswordChange:
      case S::ParametersChange:
        w_ = std::make_unique<test::Window>();
        w_->storeBothRoles();
        w_->show();
        w_->signIn(0, "Admin", "password1");
        w_->whileDialogOpen = [](const Pw_Kov& dialog) {
          test::confirmPassword(dialog, "nuova-pw1");
        };
        credentials_ = "KoV";
        records_[3] = storedRecord(pad("Admin", 20) + pad("nuova-pw1", 20));
        logged_ = test::loggedEntry("PC-01", "Admin", kChanged);
        if (scenario.id == S::ParametersChange) {
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
      case S::Report:
      case S::ReportRemoving: {
        // One entry of the period, and one outside it: unreported, or reported already.
        const char outside = scenario.id == S::Report ? 'N' : 'S';
        auto controller = std::make_unique<test::Controller>(
            storedRecord(kInPeriod) +
            storedRecord(test::entryText(outside, "10/01/2027", "fuori")));
        controller->period("01122026", "31122026");
        if (scenario.id == S::ReportRemoving) controller->click("Rimuovi");
        w_ = std::move(controller);
        logged_ = test::loggedEntry("PC-01", "Titolare", kCreated);
        break;
      }
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

  void expectMessages(const std::vector<Msg>& expected, const Injected* injected) const {
    const std::vector<test::Message>& shown = w_->platform.messages;
    ASSERT_EQ(shown.size(), expected.size()) << testing::PrintToString(w_->platform.texts());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const Msg& m = expected[i];
      std::string text = m.text;
      const bool trapped = m.kind != Msg::Kind::Text && m.kind != Msg::Kind::FoundOne;
      if (m.kind == Msg::Kind::Failed) text = test::trappedText(m.text, injected->shown);
      if (m.kind == Msg::Kind::NotOpen) {
        text = test::trappedText(m.text, "52-Nome o numero di file non valido");
      }
      if (m.kind == Msg::Kind::StartUp) {
        text = std::string("Si \xE8 verificato il seguente errore nella lettura del form:\n\r") +
               injected->shown;
      }
      if (m.kind == Msg::Kind::FoundOne) {
        text = "Sono state rilevate n.  1 scritture in " + w_->folder.path() +
               "\\report\\20261231_0905_Log.txt";
      }
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
    QTest::keyClick(w_->box("Utente"), Qt::Key_Tab);
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
  for (const Injected& injected : kInjected) {
    long covered = 0;  // the rows of an operation cover its calls in order, each once
    for (const Row& row : kRows) {
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
        unsigned changes = row.changes;
        if (changes == kClean) changes = scenario.clean;
        if (changes == kButTheCall) {
          changes = scenario.clean & ~scenario.writes.at(static_cast<std::size_t>(n - 1));
        } else if (changes == kRecordsFromTheCall || changes == kRecordsAfterTheCall) {
          const std::size_t from = static_cast<std::size_t>(n) - (changes == kRecordsFromTheCall);
          changes = scenario.clean;
          for (std::size_t k = from; k < scenario.writes.size(); ++k) {
            changes &= ~(scenario.writes[k] & kRecords);
          }
        }
        run.expectChanges(changes);
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

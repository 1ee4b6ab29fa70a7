// The report generation on the main window: the button Cmd_Gp.
#include <QCheckBox>
#include <QLineEdit>

#include "oplog/entry.h"
#include "oplog/log_writer.h"
#include "report/recordings_removal.h"
#include "report/report_engine.h"
#include "report/report_name.h"
#include "report/texts.h"
#include "shell/kov.h"
#include "shell/qt_text.h"

namespace kov {

void KOV::Cmd_Gp_Click() {
  using namespace report_text;
  const std::string caption = toCp1252(windowTitle());
  const auto inform = [&](std::string_view text) { showInformation(platform_, text, caption); };

  const std::string time = formatTime(platform_.now());
  if (!textOf(Opz_KOV[3]).ends_with('\\')) setTextOf(Opz_KOV[3], textOf(Opz_KOV[3]) + '\\');
  const std::string name = reportFileName(Data_Fine, time, textOf(Opz_KOV[2]));
  if (Data_Inizio.empty() || Data_Fine.empty()) {
    inform(kNoPeriod);
    Dt[1]->setFocus();
    return;
  }

  const ReportRequest request{par_.File_Rilevazioni,
                              textOf(Opz_KOV[3]),
                              name,
                              Data_Inizio,
                              Data_Fine,
                              Anche_gia_Lette->checkState() != Qt::Unchecked,
                              caption};
  const ReportOutcome outcome = generateReport(platform_, request);
  std::string logged;  // the record of the entry appended after the scan
  if (outcome.copied > 0) {
    inform(std::string(kFoundBefore) + ' ' + std::to_string(outcome.copied) +
           std::string(kFoundAfter) + request.report());
    setTextOf(Opz_KOV[0], std::string(kCreatedBefore) + dateText(1) + std::string(kCreatedBetween) +
                              dateText(2));
    Scrive_Riga_di_Log();
    logged = par_.Riga_Record;
  } else if (outcome.complete && !outcome.reportFailed) {
    // Only a scan that saw every entry can tell that none was found.
    inform(kNothingFound);
  }
  if (outcome.unreported > 0) {
    inform(std::string(kLeftBefore) + ' ' + std::to_string(outcome.unreported) +
           std::string(kLeftAfter));
  }

  bool removed = false;
  if (Rimuovi->isChecked()) {
    // A file read only in part may hold unreported entries the run did not see, and a
    // damaged record an entry nobody can read any more: the file is kept to recover it.
    const bool entriesLeft = !outcome.complete || outcome.unreported > 0;
    Removal removal = Removal::EntriesLeft;
    setTextOf(Opz_KOV[0], kRemovedEntry);
    const std::string entry = entryOfWindow();
    if (!entriesLeft && outcome.damaged) {
      inform(kKeptDamaged);
    } else {
      if (!entriesLeft && entryRecord(platform_, par_, entry)) {
        removal = removeRecordings(platform_, par_.File_Rilevazioni, outcome.records, logged,
                                   par_.Riga_Record, caption);
      }
      if (removal == Removal::EntriesLeft) inform(kNotDeleted);
    }
    if (removal == Removal::Done) {
      // The new file holds the removal entry alone.
      showInformation(platform_, confirmationText(entry), caption);
      showCount(1);
      removed = true;
    }
  }
  std::int64_t records = 0;
  if (!removed && countRecordings(records) && records > kClassicRecordLimit) {
    inform(std::string(kOverLimitBefore) + std::to_string(records) + std::string(kOverLimitAfter));
  }

  Opz_KOV[0]->clear();
  Dt[1]->setFocus();
}

}  // namespace kov

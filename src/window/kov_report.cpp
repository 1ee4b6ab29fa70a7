// The report generation on the main window: the button Cmd_Gp.
#include <QCheckBox>
#include <QLineEdit>

#include "cores/report/report_name.h"
#include "cores/report/report_run.h"
#include "cores/report/texts.h"
#include "kov.h"
#include "qt_text.h"

namespace kov {

void KOV::Cmd_Gp_Click() {
  const std::string caption = toCp1252(windowTitle());
  const std::string time = formatTime(platform_.now());
  if (!textOf(Opz_KOV[3]).ends_with('\\')) setTextOf(Opz_KOV[3], textOf(Opz_KOV[3]) + '\\');
  const std::string name = reportFileName(Data_Fine, time, textOf(Opz_KOV[2]));
  if (Data_Inizio.empty() || Data_Fine.empty()) {
    showInformation(platform_, report_text::kNoPeriod, caption);
    Dt[1]->setFocus();
    return;
  }

  const ReportRun run{{par_.File_Rilevazioni, textOf(Opz_KOV[3]), name, Data_Inizio, Data_Fine,
                       Anche_gia_Lette->checkState() != Qt::Unchecked, caption},
                      dateText(1),
                      dateText(2),
                      Rimuovi->isChecked()};
  const ReportWindow window{[this](std::string_view description) {
                              setTextOf(Opz_KOV[0], description);
                              Scrive_Riga_di_Log();
                            },
                            [this](std::string_view description) {
                              setTextOf(Opz_KOV[0], description);
                              return entryOfWindow();
                            },
                            [this](std::int64_t records) { showCount(records); }};
  runReport(platform_, par_, run, window);

  Opz_KOV[0]->clear();
  Dt[1]->setFocus();
}

}  // namespace kov

// The report generation on the main window: the button Cmd_Gp, the report's PDF and folder.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "cores/report/report_name.h"
#include "cores/report/report_run.h"
#include "cores/report/texts.h"
#include "runtime/file.h"
#include "window/main/kov.h"
#include "window/pdf/report_pdf.h"
#include "window/pdf/report_pdf_texts.h"
#include "window/platform/qt_text.h"

namespace kov {

void KOV::Cmd_Gp_Click() {
  const std::string caption = toCp1252(windowTitle());
  const DateTime at = platform_.now();
  const std::string time = formatTime(at);
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
                            [this](std::int64_t records) { showCount(records); },
                            [&](std::int64_t copied) { offerReport(run, at, copied); }};
  runReport(platform_, par_, run, window);

  Opz_KOV[0]->clear();
  Dt[1]->setFocus();
}

void KOV::offerReport(const ReportRun& run, const DateTime& at, std::int64_t copied) {
  const std::string& title = run.request.title;
  const std::string report = nativeName(run.request.report());
  const QString decoded = QFile::decodeName(report.c_str());
  const QString reportName = QDir::toNativeSeparators(decoded);
  const ReportTitle heading{reportName,
                            fromCp1252(textOf(Opz_KOV[1])),
                            fromCp1252(run.from),
                            fromCp1252(run.to),
                            QString::fromStdString(formatDate(at)),
                            QString::fromStdString(formatTime(at)),
                            fromCp1252(textOf(Utente)),
                            copied};
  const QString failure = writeReportPdf(report, report + ".pdf", heading);
  const QString folder = QDir::toNativeSeparators(QFileInfo(decoded).absolutePath());
  if (!failure.isEmpty()) {
    const QString pdf = fromCp1252(run.request.report() + ".pdf");
    platform_.message(Icon::Information, toCp1252(pdf_text::notWritten(pdf, failure)), title);
    if (platform_.ask(toCp1252(pdf_text::askOpen(folder)), title)) showInDesktop(folder, false);
    return;
  }
  std::vector<std::string> buttons;
  for (const QString& caption : pdf_text::openPdfButtons()) buttons.push_back(toCp1252(caption));
  const QString pdf = reportName + QStringLiteral(".pdf");
  const std::size_t chosen = platform_.choose(toCp1252(pdf_text::askOpenPdf(pdf)), title, buttons);
  if (chosen + 1 < buttons.size()) showInDesktop(chosen == 0 ? pdf : folder, chosen == 0);
}

void KOV::openReportFolder() {
  std::string typed = textOf(Opz_KOV[3]);
  if (!typed.ends_with('\\')) typed += '\\';  // an empty box is the root folder, as for a run
  const QFileInfo folder(QFile::decodeName(nativeName(typed).c_str()));
  const QString name = QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath()));
  if (!folder.isDir()) {
    platform_.message(Icon::Information, toCp1252(pdf_text::folderMissing(name)),
                      toCp1252(windowTitle()));
    return;
  }
  showInDesktop(name, false);
}

void KOV::showInDesktop(const QString& name, bool isPdf) {
  if (!platform_.openWithDesktop(QFile::encodeName(name).toStdString())) {
    const QString failure = isPdf ? pdf_text::pdfNotOpened(name) : pdf_text::notOpened(name);
    platform_.message(Icon::Information, toCp1252(failure), toCp1252(windowTitle()));
  }
}

}  // namespace kov

// The texts of the window "Registro delle operazioni", as the window shows them.
#pragma once

#include <QString>
#include <array>

namespace kov::log_viewer_text {

inline const QString kTitle = QStringLiteral("Registro delle operazioni");
inline const QString kFrom = QStringLiteral("&Da");
inline const QString kTo = QStringLiteral("&A");
inline const QString kSearch = QStringLiteral("&Cerca");
inline const QString kRows = QStringLiteral("&Scritture");
inline const QString kClose = QStringLiteral("Chi&udi");
// The columns, in the order of LogColumn: the list's headings, the detail's captions and the
// exports' headings.
inline const std::array<QString, 7> kColumns = {
    QStringLiteral("Riga"),        QStringLiteral("Data"),           QStringLiteral("Ora"),
    QStringLiteral("WorkStation"), QStringLiteral("Account Utente"), QStringLiteral("Descrizione"),
    QStringLiteral("Nel report")};

// "Scritture mostrate: <shown> di <all>"
inline QString shownCount(qsizetype shown, qsizetype all) {
  return QStringLiteral("Scritture mostrate: %1 di %2").arg(shown).arg(all);
}
// In place of the count while the list is being made.
inline const QString kReading = QStringLiteral("Lettura del registro in corso…");
inline const QString kSorting = QStringLiteral("Ordinamento in corso…");
inline const QString kSearching = QStringLiteral("Ricerca in corso…");

// The detail of the selected entry.
inline const QString kDetail = QStringLiteral("Dettaglio della scrittura");
inline const QString kDescription = QStringLiteral("Descri&zione");

inline const QString kExportCsv = QStringLiteral("&Esporta CSV…");
inline const QString kExportPdf = QStringLiteral("Esporta &PDF…");
inline const QString kExportTitle = QStringLiteral("Esporta le scritture mostrate");
inline const QString kCsvFilter = QStringLiteral("File CSV (*.csv)");
inline const QString kPdfFilter = QStringLiteral("File PDF (*.pdf)");
// The name the save dialog proposes, before the suffix.
inline const QString kExportName = QStringLiteral("Registro delle operazioni");
inline const QString kExporting = QStringLiteral("Esportazione delle scritture in corso…");
inline const QString kCancel = QStringLiteral("Annulla");
inline QString notExported(const QString& file, const QString& reason) {
  return QStringLiteral("Il file non è stato scritto: %1\n\r%2").arg(file, reason);
}
// The reason when the recordings file changed while its rows were being exported.
inline const QString kChanged =
    QStringLiteral("il file delle rilevazioni è cambiato durante l'esportazione: ripeterla");
// The PDF's heading, under the report's title and workstation: the filters, when and what.
inline QString pdfPeriod(const QString& from, const QString& to) {
  return QStringLiteral("Periodo: %1 %2")
      .arg(from.isEmpty() ? QStringLiteral("dalla prima scrittura") : QStringLiteral("dal ") + from,
           to.isEmpty() ? QStringLiteral("all'ultima") : QStringLiteral("al ") + to);
}
inline QString pdfSearch(const QString& text) {
  return QStringLiteral("Solo le scritture che contengono: \"%1\"").arg(text);
}
inline QString pdfMade(const QString& date, const QString& time) {
  return QStringLiteral("Esportato dal Registro delle operazioni il %1 alle %2").arg(date, time);
}
inline QString pdfRecordings(const QString& file) {
  return QStringLiteral("File delle rilevazioni: %1").arg(file);
}
// The reason when the rows are too many for a PDF.
inline QString tooManyRows(qsizetype rows, qsizetype limit) {
  return QStringLiteral("le righe mostrate sono %1, il PDF ne contiene al massimo %2")
      .arg(rows)
      .arg(limit);
}

// Ctrl+C over more rows than it copies.
inline QString tooManyToCopy(qsizetype rows, qsizetype limit) {
  return QStringLiteral(
             "Le righe selezionate sono %1: se ne possono copiare al massimo %2. Per più righe "
             "usare \"Esporta CSV…\".")
      .arg(rows)
      .arg(limit);
}

}  // namespace kov::log_viewer_text

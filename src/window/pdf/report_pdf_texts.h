// The texts of the report's PDF and of the report folder, as the window shows them.
#pragma once

#include <QString>
#include <QStringList>

namespace kov::pdf_text {

// The PDF's title block and page foot.
inline QString heading() {
  return QStringLiteral("Registro delle operazioni dell'Amministratore di Sistema");
}
inline QString workstation(const QString& name) {
  return QStringLiteral("Postazione: %1").arg(name);
}
inline QString period(const QString& from, const QString& to) {
  return QStringLiteral("Periodo: dal %1 al %2").arg(from, to);
}
inline QString run(const QString& date, const QString& time, const QString& account) {
  return QStringLiteral("Report generato il %1 alle %2 da %3").arg(date, time, account);
}
inline QString entries(qint64 count) {
  return QStringLiteral("Scritture riportate: %1").arg(count);
}
inline QString file(const QString& report) {
  return QStringLiteral("File del report: %1").arg(report);
}
inline QString page(int number, int pages) {
  return QStringLiteral("Pagina %1 di %2").arg(number).arg(pages);
}

// The table's column titles, as the report's first record names its fields.
inline QStringList columnTitles() {
  return {QStringLiteral("DT Evento"), QStringLiteral("Ora"), QStringLiteral("WorkStation"),
          QStringLiteral("Account Utente"), QStringLiteral("Descrizione")};
}

// The captions over the lines to sign on, after the last entry.
inline QString placeAndDate() {
  return QStringLiteral("Luogo e data");
}
inline QString controllerSignature() {
  return QStringLiteral("Firma del Titolare del Trattamento");
}

// The reason a report too large for a PDF gets none.
inline QString tooManyLines(qint64 lines, qint64 limit) {
  return QStringLiteral("il report ha %1 righe, il PDF ne contiene al massimo %2")
      .arg(lines)
      .arg(limit);
}
inline QString notWritten(const QString& pdf, const QString& reason) {
  return QStringLiteral(
             "Il PDF del report non è stato scritto: %1\n\r%2\n\rIl report è stato scritto per "
             "intero.")
      .arg(pdf, reason);
}

// After a report: its PDF to open, its folder, or neither.
inline QString askOpenPdf(const QString& pdf) {
  return QStringLiteral("Il PDF del report, da stampare e firmare, è pronto:\n\r%1").arg(pdf);
}
inline QStringList openPdfButtons() {
  return {QStringLiteral("Apri il PDF"), QStringLiteral("Apri la cartella"),
          QStringLiteral("Chiudi")};
}
// After a report whose PDF could not be written.
inline QString askOpen(const QString& folder) {
  return QStringLiteral("Aprire la cartella del report?\n\r%1").arg(folder);
}
inline QString notOpened(const QString& folder) {
  return QStringLiteral("Non è stato possibile aprire la cartella %1").arg(folder);
}
inline QString pdfNotOpened(const QString& pdf) {
  return QStringLiteral("Non è stato possibile aprire il PDF %1").arg(pdf);
}
inline QString folderMissing(const QString& folder) {
  return QStringLiteral("La cartella dei report %1 non esiste").arg(folder);
}

}  // namespace kov::pdf_text

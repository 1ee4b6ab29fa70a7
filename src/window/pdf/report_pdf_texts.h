// The texts of the report's PDF and of the report folder, as the window shows them.
#pragma once

#include <QString>

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

inline QString askOpen(const QString& folder) {
  return QStringLiteral("Aprire la cartella del report?\n\r%1").arg(folder);
}
inline QString notOpened(const QString& folder) {
  return QStringLiteral("Non è stato possibile aprire la cartella %1").arg(folder);
}
inline QString folderMissing(const QString& folder) {
  return QStringLiteral("La cartella dei report %1 non esiste").arg(folder);
}

}  // namespace kov::pdf_text

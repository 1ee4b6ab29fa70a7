// The report laid out for people: a PDF beside the report file, holding the report's own
// lines under a title block.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

namespace kov {

// What the title block says about the run.
struct ReportTitle {
  QString report;  // the report file, named as the messages name it
  QString workstation;
  QString from, to;    // the period as the date boxes show it
  QString date, time;  // of the run
  QString account;     // who ran it
  qint64 entries = 0;  // the entries copied
};

// The most lines a PDF is made for: the heading and the most entries earlier versions could
// put in one report (some 800 pages).
inline constexpr qint64 kPdfLineLimit = 32768;

// The lines on A4 landscape pages: the title block on the first, a monospaced font shrunk
// until the longest line fits, down to a size still readable on paper (a line longer than
// that wraps, nothing is cut), and "Pagina n di m" at the foot of every page.
QByteArray reportPdf(const QStringList& lines, const ReportTitle& title);

// Reads the report file `report` (a native name) back and writes its PDF as the new file
// `pdf` (native): never over an existing file, a folder or a link, and a PDF that could
// not be written whole is removed. An empty text, or the reason it was not written.
QString writeReportPdf(const std::string& report, const std::string& pdf, const ReportTitle& title);

}  // namespace kov

// The report laid out for people: a PDF beside the report file, holding the report's entries
// under a heading, with lines for the data controller to sign on.
#pragma once

#include <QString>
#include <string>

namespace kov {

// What the heading says about the run.
struct ReportTitle {
  QString report;  // the report file's full name on this system
  QString workstation;
  QString from, to;    // the period as the date boxes show it
  QString date, time;  // of the run
  QString account;     // who ran it
  qint64 entries = 0;  // the entries copied
};

// The most lines a PDF is made for: the heading and the most entries earlier versions could
// put in one report.
inline constexpr qint64 kPdfLineLimit = 32768;

// Reads the report file `report` (a native name) back and writes its PDF as the new file
// `pdf` (native), as writeEntriesPdf does. An empty text, or the reason it was not written.
QString writeReportPdf(const std::string& report, const std::string& pdf, const ReportTitle& title);

}  // namespace kov

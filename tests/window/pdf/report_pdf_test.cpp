#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <set>

#include "support/report_files.h"
#include "window/pdf/report_pdf.h"

namespace kov {
namespace {

using namespace test;

// What pdftotext reads in the PDF, with these options.
QString pdftotext(const QStringList& options) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), options);
  EXPECT_TRUE(reader.waitForFinished());
  return QString::fromUtf8(reader.readAllStandardOutput());
}

// Runs of white space as one blank: what a text is when its words are kept whole.
QString words(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

struct PdfCase {
  const char* name = "";
  int entries = 0;
  std::size_t length = 0;  // of each description, in characters (a report line holds 196)
  int pages = 0;           // the same on every machine: the font is the program's own
  bool longWord = false;   // entry 2 a word of 200 characters
};

void expectPdf(const PdfCase& c) {
  TempFolder folder;
  std::string report = kHeadingRecord;
  std::vector<QString> whole;  // the descriptions of words no wider than their column
  for (int n = 1; n <= c.entries; ++n) {
    std::string text = "Voce " + std::to_string(n) + ": regole di inoltro delle porte";
    while (text.size() < c.length) text += " verificate sul firewall dell'ufficio";
    if (c.length > 0) text.resize(c.length);
    if (c.longWord && n == 2) text = std::string(200, 'w');
    report += lineOf(entryText('N', "04/12/2026", text));
    if (text[0] == 'V') whole.push_back(" " + QString::fromStdString(text) + " ");
  }
  folder.write("report.txt", report);
  const std::string pdf = folder.file("report.txt.pdf");
  ReportTitle title;
  title.report = "/srv/report/20261231_0340_Log.txt";
  ASSERT_EQ(writeReportPdf(folder.file("report.txt"), pdf, title), "");
  if (linuxOnly(c.name, "its PDF is read by pdftotext, a Linux program")) return;

  const QString text = pdftotext({"-layout", QString::fromStdString(pdf), "-"});
  const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), c.pages);
  for (int n = 1; n <= c.pages; ++n) {
    const QString page = words(pages[n - 1]);
    EXPECT_TRUE(page.contains(QStringLiteral("Pagina %1 di %2").arg(n).arg(c.pages))) << n;
    EXPECT_EQ(page.contains("DT Evento Ora WorkStation Account Utente Descrizione"),
              page.contains("04/12/2026 09:05:03"))
        << n;
  }
  const QString all = words(text);
  qsizetype at = 0;
  for (const QString& description : whole) {
    at = all.indexOf(description, at);
    ASSERT_GE(at, 0) << description.toStdString();
  }
  EXPECT_GT(all.indexOf("Luogo e data Firma del Titolare del Trattamento", at), at);
  EXPECT_TRUE(all.contains("File del report: " + title.report));

  // pdftotext's box of a word is as high as the font is large.
  std::set<QString> heights;
  const QRegularExpression box(
      QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\""));
  for (auto found = box.globalMatch(pdftotext({"-bbox", QString::fromStdString(pdf), "-"}));
       found.hasNext();) {
    const auto match = found.next();
    heights.insert(QString::number(match.captured(2).toDouble() - match.captured(1).toDouble()));
  }
  EXPECT_EQ(heights, std::set<QString>{"10.476"});
}

// The report read back into a table: every description whole, words never broken; the column
// titles on every page that has entries, "Pagina n di m" on each, the lines to sign on after
// the last entry; every text at one size, a 200-character word included.
TEST(ReportPdf, ATableOfWholeWordsAtOneSizeWithTitlesOnEveryPage) {
  const PdfCase rows[] = {
      {.name = "one entry", .entries = 1, .pages = 1},
      {.name = "a long word among short entries", .entries = 60, .pages = 3, .longWord = true},
      {.name = "full descriptions over pages", .entries = 150, .length = 196, .pages = 9},
  };
  for (const PdfCase& row : rows) {
    SCOPED_TRACE(row.name);
    expectPdf(row);
  }
}

}  // namespace
}  // namespace kov

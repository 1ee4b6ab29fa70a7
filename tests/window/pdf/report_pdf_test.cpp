#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <set>

#include "support/report_files.h"
#include "window/pdf/report_pdf.h"

namespace kov {
namespace {

using namespace test;

// What a poppler tool prints about the PDF.
QString poppler(const char* tool, const QStringList& arguments) {
  QProcess reader;
  reader.start(QString::fromLatin1(tool), arguments);
  EXPECT_TRUE(reader.waitForFinished()) << tool;
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

void PrintTo(const PdfCase& c, std::ostream* out) {
  *out << c.name;
}

class ReportPdf : public testing::TestWithParam<PdfCase> {};

std::string description(int n, std::size_t length) {
  std::string text = "Voce " + std::to_string(n) + ": regole di inoltro delle porte";
  while (text.size() < length) text += " verificate sul firewall dell'ufficio";
  return length == 0 ? text : text.substr(0, length);
}

// The report read back into a table: every description whole, words never broken; the column
// titles on every page that has entries, "Pagina n di m" on each, the lines to sign on after
// the last entry; every text at one size, a 200-character word included.
TEST_P(ReportPdf, ATableOfWholeWordsAtOneSizeWithTitlesOnEveryPage) {
  const PdfCase& c = GetParam();
  TempFolder folder;
  std::string report = kHeadingRecord;
  std::vector<std::string> descriptions;
  for (int n = 1; n <= c.entries; ++n) {
    descriptions.push_back(c.longWord && n == 2 ? std::string(200, 'w') : description(n, c.length));
    report += lineOf(entryText('N', "04/12/2026", descriptions.back()));
  }
  folder.write("report.txt", report);
  const std::string pdf = folder.file("report.txt.pdf");
  const ReportTitle title{QString::fromStdString(folder.file("report.txt")),
                          "PC-01",
                          "01/12/2026",
                          "31/12/2026",
                          "04/12/2026",
                          "09:05:03",
                          "Titolare",
                          c.entries};
  ASSERT_EQ(writeReportPdf(folder.file("report.txt"), pdf, title), "");

  const QString text = poppler("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), c.pages);
  for (int n = 1; n <= c.pages; ++n) {
    const QString& page = pages[n - 1];
    EXPECT_TRUE(page.contains(QStringLiteral("Pagina %1 di %2").arg(n).arg(c.pages))) << n;
    const bool entriesOnIt = page.contains("04/12/2026 09:05:03");
    EXPECT_EQ(words(page).contains("DT Evento Ora WorkStation Account Utente Descrizione"),
              entriesOnIt)
        << n;
  }
  const QString all = words(text);
  qsizetype at = 0;
  for (const std::string& d : descriptions) {
    if (d.size() == 200 && d[0] == 'w') continue;  // a word wider than its column breaks
    at = all.indexOf(" " + QString::fromStdString(d) + " ", at);
    ASSERT_GE(at, 0) << d;
  }
  EXPECT_GT(all.indexOf("Luogo e data Firma del Titolare del Trattamento", at), at);
  EXPECT_TRUE(all.contains("File del report: " + title.report));

  // pdftotext's box of a word is as high as the font is large.
  const QString boxes = poppler("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  std::set<QString> heights;
  const QRegularExpression box(
      QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\""));
  for (auto found = box.globalMatch(boxes); found.hasNext();) {
    const auto match = found.next();
    heights.insert(
        QString::number(match.captured(2).toDouble() - match.captured(1).toDouble(), 'f', 2));
  }
  EXPECT_EQ(heights, std::set<QString>{"10.48"});
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportPdf,
    testing::Values(
        PdfCase{.name = "OneEntry", .entries = 1, .pages = 1},
        PdfCase{.name = "ALongWordAmongShortEntries", .entries = 60, .pages = 3, .longWord = true},
        PdfCase{.name = "FullDescriptionsOverPages", .entries = 150, .length = 196, .pages = 9}),
    [](const testing::TestParamInfo<PdfCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kov

#include "window/pdf/report_pdf.h"

#include "runtime/file.h"
#include "window/pdf/entries_pdf.h"
#include "window/pdf/report_pdf_texts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

// A report line's field: `width` characters from `at`, or to the line's end.
std::string field(std::string_view line, std::size_t at, std::size_t width) {
  return at < line.size() ? std::string(line.substr(at, width)) : std::string();
}

// The entries of the report's records after its heading: each record is a line of 253
// characters, "|date|time|workstation|account|description", then "|" CR LF. An empty text,
// or the reason they could not be read.
QString readEntries(const std::string& report, std::vector<PdfEntry>& entries) {
  File file;
  std::uint64_t bytes = 0;
  Error error = file.open(report, File::Mode::Read);
  if (!error) error = file.size(bytes);
  if (error) return reasonOf(error);
  const auto records = static_cast<qint64>((bytes + 255) / 256);
  if (records > kPdfLineLimit) return pdf_text::tooManyLines(records, kPdfLineLimit);
  std::string text(bytes, '\0');
  std::size_t got = 0;
  if (error = file.readAt(0, text.data(), text.size(), got); error) return reasonOf(error);
  entries.reserve(static_cast<std::size_t>(records));
  for (std::size_t at = 256; at < got; at += 256) {
    const std::string_view line =
        std::string_view(text).substr(at, std::min<std::size_t>(253, got - at));
    entries.push_back({field(line, 1, 10), field(line, 12, 8), field(line, 21, 14),
                       field(line, 36, 20), field(line, 57, std::string_view::npos)});
  }
  return {};
}

}  // namespace

QString writeReportPdf(const std::string& report, const std::string& pdf,
                       const ReportTitle& title) {
  EntriesDocument document{
      pdf_text::heading(),
      {pdf_text::workstation(title.workstation), pdf_text::period(title.from, title.to),
       pdf_text::run(title.date, title.time, title.account), pdf_text::entries(title.entries),
       pdf_text::file(title.report)},
      {},
      {pdf_text::placeAndDate(), pdf_text::controllerSignature()}};
  if (QString failure = readEntries(report, document.entries); !failure.isEmpty()) return failure;
  return writeEntriesPdf(pdf, document);
}

}  // namespace kov

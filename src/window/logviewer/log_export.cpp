#include "window/logviewer/log_export.h"

#include <QByteArray>
#include <algorithm>
#include <numeric>

#include "runtime/new_file.h"
#include "window/logviewer/log_model.h"
#include "window/logviewer/log_viewer_texts.h"
#include "window/pdf/entries_pdf.h"
#include "window/pdf/report_pdf.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

constexpr int kBlock = 4096;  // rows read and written together

QString reasonOf(const Scan& scan) {
  return scan.error ? reasonOf(scan.error) : log_viewer_text::kChanged;
}

QString csvField(QString field) {
  if (field.startsWith(QLatin1Char('=')) || field.startsWith(QLatin1Char('+')) ||
      field.startsWith(QLatin1Char('-')) || field.startsWith(QLatin1Char('@'))) {
    field.prepend(QLatin1Char('\''));
  }
  static const QString kQuoted = QStringLiteral(";\"\r\n");
  if (std::none_of(field.begin(), field.end(), [](QChar c) { return kQuoted.contains(c); })) {
    return field;
  }
  field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + field + QLatin1Char('"');
}

Error write(NewFile& file, const QByteArray& bytes) {
  return file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Hands the rows `model` shows to `visit`, in their order, a block at a time, while
// `progress(done)` answers true (else `cancelled`). The reason they were not all handed.
QString eachBlock(const LogModel& model, const std::function<bool(int)>& progress,
                  const std::function<Error(const std::vector<LogRow>&)>& visit, bool& cancelled) {
  const int rows = model.rowCount({});
  std::vector<int> block;
  std::vector<LogRow> read;
  for (int first = 0; first < rows; first += kBlock) {
    cancelled = !progress(first);
    if (cancelled) return {};
    block.resize(static_cast<std::size_t>(std::min(kBlock, rows - first)));
    std::iota(block.begin(), block.end(), first);
    if (const Scan scan = model.read(block, read); !scan.done()) return reasonOf(scan);
    if (const Error error = visit(read)) return reasonOf(error);
  }
  return {};
}

QByteArray csvLine(const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields) quoted.append(csvField(field));
  return (quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8();
}

}  // namespace

QStringList rowFields(const LogRow& row) {
  QStringList fields;
  for (int c = 0; c < kLogColumns; ++c) {
    fields.append(fromCp1252(logField(row.record, row.entry, LogColumn(c))));
  }
  return fields;
}

QString copyText(const std::vector<LogRow>& rows) {
  QString text;
  for (const LogRow& row : rows) text += rowFields(row).join(QLatin1Char('\t')) + QLatin1Char('\n');
  return text;
}

QString writeCsv(const LogModel& model, const std::string& name,
                 const std::function<bool(int)>& progress) {
  NewFile file;
  Error error = file.open(name);
  if (!error) {
    error = write(
        file, QByteArrayLiteral("\xEF\xBB\xBF") +
                  csvLine({log_viewer_text::kColumns.begin(), log_viewer_text::kColumns.end()}));
  }
  if (error) return reasonOf(error);
  bool cancelled = false;
  QString failure = eachBlock(
      model, progress,
      [&](const std::vector<LogRow>& rows) {
        QByteArray bytes;
        for (const LogRow& row : rows) bytes += csvLine(rowFields(row));
        return write(file, bytes);
      },
      cancelled);
  if (!failure.isEmpty() || cancelled) return failure;
  error = file.finish();
  return error ? reasonOf(error) : QString();
}

QString writePdf(const LogModel& model, const std::string& name, EntriesDocument document,
                 const std::function<bool(int)>& progress) {
  const int rows = model.rowCount({});
  if (rows >= kPdfLineLimit) return log_viewer_text::tooManyRows(rows, kPdfLineLimit - 1);
  document.entries.reserve(static_cast<std::size_t>(rows));
  bool cancelled = false;
  QString failure = eachBlock(
      model, progress,
      [&](const std::vector<LogRow>& read) {
        const auto field = [](const LogRow& row, LogColumn column) {
          return logField(row.record, row.entry, column);
        };
        for (const LogRow& row : read) {
          document.entries.push_back({field(row, LogColumn::Date), field(row, LogColumn::Time),
                                      field(row, LogColumn::Workstation),
                                      field(row, LogColumn::Account),
                                      field(row, LogColumn::Description)});
        }
        return Error{};
      },
      cancelled);
  if (!failure.isEmpty() || cancelled) return failure;
  NewFile file;
  Error error = file.open(name);
  if (!error) error = write(file, entriesPdf(document));
  if (!error) error = file.finish();
  return error ? reasonOf(error) : QString();
}

}  // namespace kov

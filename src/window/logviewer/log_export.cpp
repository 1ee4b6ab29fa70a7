#include "window/logviewer/log_export.h"

#include <QByteArray>
#include <algorithm>
#include <numeric>

#include "runtime/new_file.h"
#include "window/logviewer/log_model.h"
#include "window/logviewer/log_viewer_texts.h"
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
  QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") +
                     csvLine({log_viewer_text::kColumns.begin(), log_viewer_text::kColumns.end()});
  Error error = file.open(name);
  const int rows = model.rowCount({});
  std::vector<int> block;
  std::vector<LogRow> read;
  for (int first = 0; !error && first < rows; first += kBlock) {
    if (!progress(first)) return {};
    block.resize(static_cast<std::size_t>(std::min(kBlock, rows - first)));
    std::iota(block.begin(), block.end(), first);
    if (const Scan scan = model.read(block, read); !scan.done()) return reasonOf(scan);
    for (const LogRow& row : read) bytes += csvLine(rowFields(row));
    error = file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    bytes.clear();
  }
  if (!error && !bytes.isEmpty()) {
    error = file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  if (!error) error = file.finish();
  return error ? reasonOf(error) : QString();
}

}  // namespace kov

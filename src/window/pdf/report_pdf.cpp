#include "window/pdf/report_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "runtime/file.h"
#include "window/pdf/report_pdf_texts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

constexpr qreal kLargest = 10.0;  // points
constexpr qreal kSmallest = 6.5;
constexpr qreal kMargin = 12.0;  // millimetres

QString reasonOf(const Error& error) {
  return QString::number(error.number) + QLatin1Char('-') + fromCp1252(error.description);
}

QFont monospaced(qreal points) {
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(points);
  return font;
}

// The lines cut where the page ends: `columns` characters each.
QStringList wrapped(const QStringList& lines, qsizetype columns) {
  QStringList rows;
  for (const QString& line : lines) {
    qsizetype at = 0;
    do {
      rows.append(line.mid(at, columns));
      at += columns;
    } while (at < line.size());
  }
  return rows;
}

// The report's records, without the fill and the bar that close each of them. An empty
// text, or the reason they could not be read.
QString readLines(const std::string& report, QStringList& lines) {
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
  // Decoded at once: each Windows-1252 byte is one character, and a converter made per line
  // would cost more than the whole layout.
  const QString decoded = fromCp1252(std::string_view(text).substr(0, got));
  for (qsizetype at = 0; at < decoded.size(); at += 256) {
    QString line = decoded.mid(at, 253);
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    lines.append(line);
  }
  return {};
}

}  // namespace

QByteArray reportPdf(const QStringList& lines, const ReportTitle& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator(QStringLiteral("KoV"));
  writer.setTitle(pdf_text::heading());
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                   QMarginsF(kMargin, kMargin, kMargin, kMargin),
                                   QPageLayout::Millimeter));
  const qreal width = writer.width();
  const qreal height = writer.height();
  // Every character of a monospaced font is as wide as the next.
  const auto columnsOf = [&](const QFont& font) {
    const qreal advance = QFontMetricsF(font, &writer).horizontalAdvance(QLatin1Char('M'));
    return std::max<qsizetype>(1, static_cast<qsizetype>(width / advance));
  };

  const QFont plain = monospaced(kLargest);
  QFont bold = plain;
  bold.setBold(true);
  qsizetype longest = 1;
  for (const QString& line : lines) longest = std::max(longest, line.size());
  const qreal shrunk =
      kLargest * static_cast<qreal>(columnsOf(plain)) / static_cast<qreal>(longest);
  const QFont body = monospaced(std::clamp(shrunk, kSmallest, kLargest));
  const QStringList rows = wrapped(lines, columnsOf(body));
  const QStringList block =
      wrapped({pdf_text::workstation(title.workstation), pdf_text::period(title.from, title.to),
               pdf_text::run(title.date, title.time, title.account),
               pdf_text::entries(title.entries), pdf_text::file(title.report)},
              columnsOf(plain));

  const QFontMetricsF plainMetrics(plain, &writer);
  const QFontMetricsF bodyMetrics(body, &writer);
  const qreal foot = plainMetrics.lineSpacing() * 2;
  const qreal top = plainMetrics.lineSpacing() * static_cast<qreal>(block.size() + 2);
  const auto fit = [&](qreal room) {
    return std::max<qsizetype>(1, static_cast<qsizetype>(room / bodyMetrics.lineSpacing()));
  };
  const qsizetype first = fit(height - top - foot);
  const qsizetype perPage = fit(height - foot);
  const auto pages =
      static_cast<int>(1 + (std::max<qsizetype>(0, rows.size() - first) + perPage - 1) / perPage);

  QPainter painter(&writer);
  // Draws the texts one under the other from `y`, laid out in one go; returns where the
  // next one goes.
  const auto draw = [&](const QFont& font, const QStringList& texts, qreal y) {
    painter.setFont(font);
    const qreal lines =
        QFontMetricsF(font, &writer).lineSpacing() * static_cast<qreal>(texts.size());
    painter.drawText(QRectF(0, y, width, lines), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     texts.join(QLatin1Char('\n')));
    return y + lines;
  };
  qsizetype next = 0;
  for (int page = 1; page <= pages; ++page) {
    qreal y = 0;
    if (page == 1) {
      y = draw(bold, {pdf_text::heading()}, y);
      y = draw(plain, block, y) + plainMetrics.lineSpacing();
    } else {
      writer.newPage();
    }
    const qsizetype count = std::min(rows.size() - next, page == 1 ? first : perPage);
    draw(body, rows.mid(next, count), y);
    next += count;
    painter.setFont(plain);
    painter.drawText(
        QRectF(0, height - plainMetrics.lineSpacing(), width, plainMetrics.lineSpacing()),
        Qt::AlignCenter, pdf_text::page(page, pages));
  }
  painter.end();
  return bytes;
}

QString writeReportPdf(const std::string& report, const std::string& pdf,
                       const ReportTitle& title) {
  QStringList lines;
  if (QString failure = readLines(report, lines); !failure.isEmpty()) return failure;
  const QByteArray bytes = reportPdf(lines, title);
  File file;
  Error error = file.open(pdf, File::Mode::Create);
  if (error) return reasonOf(error);
  error =
      file.writeAt(0, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!error) error = file.sync();
  if (!error) error = file.syncFolder();
  if (!error) return {};
  file.close();
  deleteFile(pdf);
  return reasonOf(error);
}

}  // namespace kov

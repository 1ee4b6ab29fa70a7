#include "window/pdf/entries_pdf.h"

#include <algorithm>
#include <array>
#include <optional>

#include "runtime/file.h"
#include "window/pdf/pdf_file.h"
#include "window/pdf/pdf_font.h"
#include "window/pdf/report_pdf_texts.h"
#include "window/platform/qt_text.h"

namespace kov {
namespace {

// A4 landscape, in points.
constexpr double kPageWidth = 841.89, kPageHeight = 595.28;
constexpr double kMargin = 34.0;  // 12 mm
constexpr double kWidth = kPageWidth - 2 * kMargin;
constexpr double kSize = 9.0;               // every text, in points
constexpr double kPadX = 3.0, kPadY = 2.0;  // inside a cell
constexpr int kColumns = 5;
constexpr double kNarrowestShare = 1.0 / 6;  // of the table's width, at most, for each column
                                             // but the description

using Lines = std::vector<std::string_view>;

std::string_view trimEnd(std::string_view text) {
  while (text.ends_with(' ')) text.remove_suffix(1);
  return text;
}

// The text broken into lines at most `room` wide (in thousandths of the font size): between
// words where one fits, inside a word only when the word alone is wider.
Lines wrapped(std::string_view text, const PdfFont& font, double room) {
  Lines lines;
  text = trimEnd(text);
  std::size_t start = 0;
  while (start < text.size()) {
    int width = 0;
    std::size_t end = start;
    std::size_t space = std::string_view::npos;  // the last one before `end`
    for (; end < text.size(); ++end) {
      if (text[end] == ' ') space = end;
      width += font.advance(text[end]);
      if (width > room) break;
    }
    if (end == text.size()) {
      lines.push_back(text.substr(start));
      break;
    }
    std::size_t cut = end;
    if (text[end] != ' ' && space != std::string_view::npos && space > start) cut = space;
    cut = std::max(cut, start + 1);  // a column narrower than one character still moves on
    lines.push_back(trimEnd(text.substr(start, cut - start)));
    start = text.find_first_not_of(' ', cut);
    if (start == std::string_view::npos) break;
  }
  return lines;
}

struct Row {
  std::array<Lines, kColumns> cells;
  double height = 0;
};

struct Page {
  std::size_t first = 0, end = 0;  // the rows on it
  bool titles = false;             // the table's column titles on top
};

// One page's content: its rules first, then its texts.
class PageContent {
 public:
  // `ascent`: from the top of a line of text to its baseline.
  explicit PageContent(double ascent) : ascent_(ascent) {}

  // A line of text whose top is `top` points below the page's top edge.
  void text(bool bold, double x, double top, std::string_view line) {
    if (line.empty()) return;
    if (!bold_ || *bold_ != bold) {
      texts_ += bold ? "/F2 " : "/F1 ";
      appendNumber(texts_, kSize);
      texts_ += " Tf\n";
    }
    bold_ = bold;
    texts_ += "1 0 0 1 ";
    appendNumber(texts_, x);
    texts_ += ' ';
    appendNumber(texts_, kPageHeight - top - ascent_);
    texts_ += " Tm ";
    appendText(texts_, line);
    texts_ += " Tj\n";
  }
  void rule(double x1, double top1, double x2, double top2) {
    appendNumber(rules_, x1);
    rules_ += ' ';
    appendNumber(rules_, kPageHeight - top1);
    rules_ += " m ";
    appendNumber(rules_, x2);
    rules_ += ' ';
    appendNumber(rules_, kPageHeight - top2);
    rules_ += " l\n";
  }
  void shade(double top, double height) {
    shading_ += "0.9 g ";
    for (const double n : {kMargin, kPageHeight - top - height, kWidth, height}) {
      appendNumber(shading_, n);
      shading_ += ' ';
    }
    shading_ += "re f 0 g\n";
  }
  std::string finish() const {
    return shading_ + "0.5 w\n" + rules_ + (rules_.empty() ? "" : "S\n") + "BT\n" + texts_ + "ET\n";
  }

 private:
  double ascent_;
  std::optional<bool> bold_;  // the font of the texts so far
  std::string shading_, rules_, texts_;
};

class Layout {
 public:
  explicit Layout(const EntriesDocument& document) : document_(document) {
    line_ = (regular_.ascent() + regular_.descent()) * kSize / 1000;
    for (const QString& title : pdf_text::columnTitles()) titles_.push_back(toCp1252(title));
    for (const QString& line : document.heading) heading_.push_back(toCp1252(line));
    title_ = toCp1252(document.title);
    for (const QString& caption : document.signatures) signatures_.push_back(toCp1252(caption));
    sizeColumns();
    for (const PdfEntry& entry : document.entries) rows_.push_back(rowOf(fieldsOf(entry), false));
    titleRow_ = rowOf({titles_[0], titles_[1], titles_[2], titles_[3], titles_[4]}, true);
    paginate();
  }

  std::string pdf() const {
    PdfFile file;
    // Objects: 1 catalog, 2 page tree, 3 resources, 4 to 9 the fonts, 10 information, then
    // each page and its content.
    file.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (std::size_t n = 0; n < pages_.size(); ++n) kids += std::to_string(11 + 2 * n) + " 0 R ";
    file.object(
        2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) + " >>");
    file.object(3, "<< /Font << /F1 4 0 R /F2 7 0 R >> >>");
    addFont(file, regular_, 4);
    addFont(file, bold_, 7);
    file.object(10, "<< /Title " + unicodeText(document_.title) + " /Creator (KoV) >>");
    for (std::size_t n = 0; n < pages_.size(); ++n) {
      const int number = 11 + 2 * static_cast<int>(n);
      file.object(number,
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 841.89 595.28] "
                  "/Resources 3 0 R /Contents " +
                      std::to_string(number + 1) + " 0 R >>");
      file.stream(number + 1, {}, draw(n));
    }
    return file.finish(1, 10);
  }

 private:
  std::array<std::string_view, kColumns> fieldsOf(const PdfEntry& entry) const {
    return {entry.date, entry.time, entry.workstation, entry.account, entry.description};
  }

  // Every column but the description is as wide as its widest text, up to a share of the
  // table; the description takes the rest.
  void sizeColumns() {
    std::array<int, kColumns> widest{};
    for (int c = 0; c < kColumns; ++c) widest.at(c) = bold_.width(titles_.at(c));
    for (const PdfEntry& entry : document_.entries) {
      const auto fields = fieldsOf(entry);
      for (int c = 0; c + 1 < kColumns; ++c) {
        widest.at(c) = std::max(widest.at(c), regular_.width(trimEnd(fields.at(c))));
      }
    }
    double left = kWidth;
    for (int c = 0; c + 1 < kColumns; ++c) {
      widths_.at(c) = std::min(kWidth * kNarrowestShare, widest.at(c) * kSize / 1000 + 2 * kPadX);
      left -= widths_.at(c);
    }
    widths_.back() = left;
  }

  Row rowOf(const std::array<std::string_view, kColumns>& fields, bool bold) const {
    Row row;
    std::size_t most = 1;
    for (int c = 0; c < kColumns; ++c) {
      row.cells.at(c) = wrapped(fields.at(c), bold ? bold_ : regular_,
                                (widths_.at(c) - 2 * kPadX) * 1000 / kSize);
      most = std::max(most, row.cells.at(c).size());
    }
    row.height = static_cast<double>(most) * line_ + 2 * kPadY;
    return row;
  }

  double headingHeight() const {
    std::size_t lines = 1;
    for (const std::string& line : heading_) {
      lines += wrapped(line, regular_, kWidth * 1000 / kSize).size();
    }
    return static_cast<double>(lines + 1) * line_;
  }
  // Two lines of space, the captions, and the lines to sign on four lines below them.
  double signaturesHeight() const { return signatures_.empty() ? 0 : 6 * line_; }
  double bottom() const { return kPageHeight - kMargin - 2 * line_; }

  // Rows go on a page while they fit above its foot; a row never splits. The lines to sign
  // on follow the last row, on a page of their own when they do not fit.
  void paginate() {
    double top = kMargin + headingHeight() + titleRow_.height;
    pages_.push_back({0, 0, true});
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      if (top + rows_[r].height > bottom() && pages_.back().end > pages_.back().first) {
        pages_.push_back({r, r, true});
        top = kMargin + titleRow_.height;
      }
      top += rows_[r].height;
      pages_.back().end = r + 1;
    }
    if (top + signaturesHeight() > bottom()) pages_.push_back({rows_.size(), rows_.size(), false});
  }

  std::string draw(std::size_t n) const {
    const Page& page = pages_[n];
    PageContent content(regular_.ascent() * kSize / 1000);
    double top = kMargin;
    if (n == 0) {
      content.text(true, kMargin, top, title_);
      top += line_;
      for (const std::string& text : heading_) {
        for (const std::string_view line : wrapped(text, regular_, kWidth * 1000 / kSize)) {
          content.text(false, kMargin, top, line);
          top += line_;
        }
      }
      top += line_;
    }
    if (page.titles) {
      const double tableTop = top;
      content.shade(top, titleRow_.height);
      top = drawRow(content, titleRow_, true, top);
      for (std::size_t r = page.first; r < page.end; ++r) {
        top = drawRow(content, rows_[r], false, top);
      }
      double x = kMargin;
      content.rule(x, tableTop, x, top);
      for (const double width : widths_) {
        x += width;
        content.rule(x, tableTop, x, top);
      }
      content.rule(kMargin, tableTop, kMargin + kWidth, tableTop);
    }
    if (n + 1 == pages_.size()) drawSignatures(content, top);
    const std::string foot =
        toCp1252(pdf_text::page(static_cast<int>(n) + 1, static_cast<int>(pages_.size())));
    content.text(false, (kPageWidth - regular_.width(foot) * kSize / 1000) / 2,
                 kPageHeight - kMargin - line_, foot);
    return content.finish();
  }

  // Draws a row under `top`, its rule below it; returns its bottom.
  double drawRow(PageContent& content, const Row& row, bool bold, double top) const {
    double x = kMargin;
    for (int c = 0; c < kColumns; ++c) {
      double lineTop = top + kPadY;
      for (const std::string_view line : row.cells.at(c)) {
        content.text(bold, x + kPadX, lineTop, line);
        lineTop += line_;
      }
      x += widths_.at(c);
    }
    content.rule(kMargin, top + row.height, kMargin + kWidth, top + row.height);
    return top + row.height;
  }

  void drawSignatures(PageContent& content, double top) const {
    const double share = kWidth / static_cast<double>(std::max<std::size_t>(1, signatures_.size()));
    const double caption = top + 2 * line_;
    const double rule = caption + 4 * line_;
    for (std::size_t s = 0; s < signatures_.size(); ++s) {
      const double x = kMargin + share * static_cast<double>(s);
      content.text(false, x, caption, signatures_[s]);
      content.rule(x, rule, x + share * 0.8, rule);
    }
  }

  static void addFont(PdfFile& file, const PdfFont& font, int number) {
    const std::string name = font.bold() ? "/KOVAAB+DejaVuSans-Bold" : "/KOVAAA+DejaVuSans";
    std::string widths;
    for (int code = ' '; code < 256; ++code) {
      widths += std::to_string(font.advance(static_cast<char>(code))) + ' ';
    }
    file.object(number, "<< /Type /Font /Subtype /TrueType /BaseFont " + name +
                            " /FirstChar 32 /LastChar 255 /Widths [" + widths +
                            "] /Encoding /WinAnsiEncoding /FontDescriptor " +
                            std::to_string(number + 1) + " 0 R >>");
    const auto& box = font.box();
    file.object(number + 1,
                "<< /Type /FontDescriptor /FontName " + name + " /Flags 32 /FontBBox [" +
                    std::to_string(box[0]) + ' ' + std::to_string(box[1]) + ' ' +
                    std::to_string(box[2]) + ' ' + std::to_string(box[3]) +
                    "] /ItalicAngle 0 /Ascent " + std::to_string(font.ascent()) + " /Descent -" +
                    std::to_string(font.descent()) + " /CapHeight " +
                    std::to_string(font.capHeight()) + " /StemV " + (font.bold() ? "120" : "80") +
                    " /FontFile2 " + std::to_string(number + 2) + " 0 R >>");
    const QByteArray subset = font.subset();
    file.stream(number + 2, "/Length1 " + std::to_string(subset.size()),
                std::string_view(subset.constData(), static_cast<std::size_t>(subset.size())));
  }

  const EntriesDocument& document_;
  PdfFont regular_{false}, bold_{true};
  double line_ = 0;  // the height of a line of text
  std::string title_;
  std::vector<std::string> titles_, heading_, signatures_;
  std::array<double, kColumns> widths_{};
  Row titleRow_;
  std::vector<Row> rows_;
  std::vector<Page> pages_;
};

}  // namespace

QByteArray entriesPdf(const EntriesDocument& document) {
  const std::string pdf = Layout(document).pdf();
  return {pdf.data(), static_cast<qsizetype>(pdf.size())};
}

QString writeEntriesPdf(const std::string& pdf, const EntriesDocument& document) {
  const QByteArray bytes = entriesPdf(document);
  File file;
  Error error = file.open(pdf, File::Mode::Create);
  if (!error) {
    error = file.writeAt(
        0, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  if (!error) error = file.sync();
  if (!error) error = file.syncFolder();
  if (!error) return {};
  if (file.isOpen()) {
    file.close();
    deleteFile(pdf);
  }
  return reasonOf(error);
}

}  // namespace kov

#include "window/pdf/pdf_file.h"

#include <QByteArray>
#include <charconv>
#include <cstdio>

namespace kov {

// The second line's bytes above 127 tell a transfer that the file is binary.
PdfFile::PdfFile() : bytes_("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") {}

void PdfFile::object(int number, std::string_view body) {
  const auto at = static_cast<std::size_t>(number);
  if (offsets_.size() <= at) offsets_.resize(at + 1);
  offsets_[at] = bytes_.size();
  bytes_ += std::to_string(number);
  bytes_ += " 0 obj\n";
  bytes_ += body;
  bytes_ += "\nendobj\n";
}

void PdfFile::stream(int number, std::string_view entries, std::string_view data) {
  // qCompress puts the length before zlib's own stream, which is what the filter reads.
  const QByteArray deflated =
      qCompress(reinterpret_cast<const uchar*>(data.data()), static_cast<qsizetype>(data.size()))
          .sliced(4);
  std::string body = "<< ";
  body += entries;
  body += " /Filter /FlateDecode /Length " + std::to_string(deflated.size()) + " >>\nstream\n";
  body.append(deflated.constData(), static_cast<std::size_t>(deflated.size()));
  body += "\nendstream";
  object(number, body);
}

std::string PdfFile::finish(int root, int info) {
  const std::size_t table = bytes_.size();
  bytes_ += "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
  for (std::size_t number = 1; number < offsets_.size(); ++number) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets_[number]);
    bytes_ += entry;
  }
  bytes_ += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root " +
            std::to_string(root) + " 0 R /Info " + std::to_string(info) + " 0 R >>\nstartxref\n" +
            std::to_string(table) + "\n%%EOF\n";
  return std::move(bytes_);
}

void appendNumber(std::string& out, double value) {
  char digits[32];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
  std::string_view number(digits, static_cast<std::size_t>(end.ptr - digits));
  while (number.ends_with('0')) number.remove_suffix(1);
  if (number.ends_with('.')) number.remove_suffix(1);
  out += number == "-0" ? "0" : number;
}

void appendText(std::string& out, std::string_view text) {
  out += '(';
  for (const char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < ' ') {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\%03o", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  out += ')';
}

std::string unicodeText(const QString& text) {
  std::string hex = "<FEFF";
  for (const QChar c : text) {
    char unit[5];
    std::snprintf(unit, sizeof unit, "%04X", c.unicode());
    hex += unit;
  }
  return hex + '>';
}

}  // namespace kov

// A PDF file written object by object, with the table of where each object begins.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace kov {

class PdfFile {
 public:
  PdfFile();

  // The object `number` (from 1) with its body, in any order.
  void object(int number, std::string_view body);
  // A stream object: its dictionary's entries besides the length, and its data, deflated.
  void stream(int number, std::string_view entries, std::string_view data);
  // The file's bytes, ended by the table of the objects 1 to the highest written, the
  // catalog `root` and the document information `info`.
  std::string finish(int root, int info);

 private:
  std::string bytes_;
  std::vector<std::size_t> offsets_;  // by object number; 0 for none
};

// A number as the content of a page writes it: at most two decimals.
void appendNumber(std::string& out, double value);
// A Windows-1252 text as a literal string, its parentheses, backslashes and control
// characters escaped.
void appendText(std::string& out, std::string_view text);
// Any text as a hexadecimal string of UTF-16, for the document information.
std::string unicodeText(const QString& text);

}  // namespace kov

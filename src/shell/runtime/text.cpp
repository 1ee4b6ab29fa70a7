#include "text.h"

namespace kov {

std::string_view trimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string padCut(std::string_view text, std::size_t width) {
  std::string result(text.substr(0, width));
  result.resize(width, ' ');
  return result;
}

std::string_view mid(std::string_view text, std::size_t from, std::size_t length) {
  if (from == 0 || from > text.size()) return {};
  return text.substr(from - 1, length);
}

}  // namespace kov

#include "text.h"

#include <cstdint>
#include <cstring>

namespace kov {

std::string_view trimSpaces(std::string_view text) {
  // Records end in long runs of fill, skipped eight spaces at a time.
  constexpr std::uint64_t kEightSpaces = 0x2020202020202020;
  std::size_t end = text.size();
  for (std::uint64_t word = 0; end >= sizeof word; end -= sizeof word) {
    std::memcpy(&word, text.data() + end - sizeof word, sizeof word);
    if (word != kEightSpaces) break;
  }
  while (end > 0 && text[end - 1] == ' ') --end;
  std::size_t begin = 0;
  while (begin < end && text[begin] == ' ') ++begin;
  return text.substr(begin, end - begin);
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

// Small text operations shared by every part of the program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kov {

// The text without spaces (0x20 only) at either end.
std::string_view trimSpaces(std::string_view text);

// The text followed by spaces and cut to exactly `width` characters.
std::string padCut(std::string_view text, std::size_t width);

// Characters `from` (1-based) to from + length - 1 of the text, as far as it reaches.
std::string_view mid(std::string_view text, std::size_t from,
                     std::size_t length = std::string_view::npos);

}  // namespace kov

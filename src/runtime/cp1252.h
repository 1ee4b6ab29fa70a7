// Windows-1252 text: every text the program keeps is a std::string of Windows-1252 bytes,
// exactly as the data files store it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kov {

// Holds a source literal (UTF-8) turned into Windows-1252 at compile time. Only the
// characters U+0000..U+007F and U+00A0..U+00FF are accepted, where Windows-1252 and
// Unicode share their codes; anything else does not compile.
template <std::size_t N>
struct Cp1252Literal {
  char bytes[N]{};
  std::size_t size = 0;

  // Implicit: the literal operator's template argument is made from the literal itself.
  // cppcheck-suppress noExplicitConstructor
  consteval Cp1252Literal(const char (&utf8)[N]) {  // NOLINT(google-explicit-constructor)
    for (std::size_t i = 0; i + 1 < N; ++i) {
      const auto c = static_cast<unsigned char>(utf8[i]);
      if (c < 0x80) {
        bytes[size++] = static_cast<char>(c);
      } else if ((c == 0xC2 || c == 0xC3) && i + 2 < N) {
        const auto next = static_cast<unsigned char>(utf8[++i]);
        const unsigned code = ((c & 0x1Fu) << 6) | (next & 0x3Fu);
        if ((next & 0xC0u) != 0x80u || code < 0xA0u) throw "not a Windows-1252 character";
        bytes[size++] = static_cast<char>(code);
      } else {
        throw "not a Windows-1252 character";
      }
    }
  }
};

// One constant per literal; the operator hands out a view of it.
template <Cp1252Literal L>
inline constexpr std::string_view kCp1252{L.bytes, L.size};

template <Cp1252Literal L>
constexpr const std::string_view& operator""_cp() {
  return kCp1252<L>;
}

// Upper case as the Windows "A" functions give it for Windows-1252 letters.
char toUpper1252(char c);
std::string toUpper1252(std::string_view text);

// Converts between Windows-1252 and UTF-8 (the names the Linux file system and user
// database use, and the system log's texts). A UTF-8 character that Windows-1252 cannot
// hold becomes "?", as the Windows "A" functions do.
std::string utf8FromCp1252(std::string_view text);
std::string cp1252FromUtf8(std::string_view text);

#ifdef _WIN32
// Converts between Windows-1252 and UTF-16 with the system's own code page 1252. A character
// that Windows-1252 cannot hold becomes "?", never a look-alike, and `whole` turns false.
std::wstring wideFromCp1252(std::string_view text);
std::string cp1252FromWide(std::wstring_view text, bool& whole);
#endif

}  // namespace kov

#include "cp1252.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace kov {

char toUpper1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
    return static_cast<char>(u - 0x20);
  }
  switch (u) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
      return static_cast<char>(u - 0x10);
    case 0xFF:  // y diaeresis
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

std::string toUpper1252(std::string_view text) {
  std::string upper(text.size(), '\0');
  std::transform(text.begin(), text.end(), upper.begin(), [](char c) { return toUpper1252(c); });
  return upper;
}

#ifndef _WIN32
namespace {

// Runs iconv over the whole text; an input sequence it cannot convert becomes "?" and
// conversion goes on after it (one byte on, or past one UTF-8 character).
std::string convert(const char* to, const char* from, std::string_view text, bool fromUtf8) {
  iconv_t cd = iconv_open(to, from);
  const auto failed = reinterpret_cast<iconv_t>(-1);  // NOLINT: iconv_open's failure value
  if (cd == failed) return std::string(text);
  std::string out;
  out.resize(text.size() * 4 + 4);
  auto* in = const_cast<char*>(text.data());  // iconv's interface is not const-correct
  size_t inLeft = text.size();
  char* dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    *dst++ = '?';
    --outLeft;
    size_t skip = 1;
    if (fromUtf8) {
      while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0u) == 0x80u) ++skip;
    }
    in += skip;
    inLeft -= skip;
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

// Text in plain ASCII reads the same in both; most of the program's texts are.
bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string utf8FromCp1252(std::string_view text) {
  return isAscii(text) ? std::string(text) : convert("UTF-8", "WINDOWS-1252", text, false);
}

std::string cp1252FromUtf8(std::string_view text) {
  return isAscii(text) ? std::string(text) : convert("WINDOWS-1252", "UTF-8", text, true);
}
#else
namespace {

constexpr UINT kCodePage = 1252;

std::wstring wideFrom(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string utf8From(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                    '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
  return bytes;
}

}  // namespace

std::wstring wideFromCp1252(std::string_view text) {
  return wideFrom(kCodePage, text);
}

std::string cp1252FromWide(std::wstring_view text, bool& whole) {
  whole = true;
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  // No best fit: "ā" must not pass as "a".
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(
                        kCodePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr)),
                    '\0');
  BOOL substituted = FALSE;
  ::WideCharToMultiByte(kCodePage, flags, text.data(), size, bytes.data(),
                        static_cast<int>(bytes.size()), "?", &substituted);
  whole = substituted == FALSE;
  return bytes;
}

std::string utf8FromCp1252(std::string_view text) {
  return utf8From(wideFromCp1252(text));
}

std::string cp1252FromUtf8(std::string_view text) {
  bool whole = true;
  return cp1252FromWide(wideFrom(CP_UTF8, text), whole);
}
#endif

}  // namespace kov

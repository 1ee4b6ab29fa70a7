#include "runtime/cp1252.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

TEST(Cp1252, UpperCaseOfWindowsLetters) {
  const struct {
    std::string text;
    std::string upper;
  } cases[] = {
      {"mario.rossi", "MARIO.ROSSI"},
      {"\xE0\xE8\xE9\xEC\xF2\xF9", "\xC0\xC8\xC9\xCC\xD2\xD9"},  // accented vowels
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},                  // s caron, oe, z caron, y
      {"\xF7\xDF\xB5 1|", "\xF7\xDF\xB5 1|"},                    // no upper case of their own
  };
  for (const auto& c : cases) EXPECT_EQ(toUpper1252(c.text), c.upper) << c.text;
}

#ifndef _WIN32  // Windows takes Windows-1252 names as they are
TEST(Cp1252, Utf8RoundTripAndUnmappableCharacters) {
  EXPECT_EQ(utf8FromCp1252("Citt\xE0 \x80"), "Città €");
  EXPECT_EQ(cp1252FromUtf8("Città €"), "Citt\xE0 \x80");
  EXPECT_EQ(cp1252FromUtf8("a\xE2\x98\x83z"), "a?z");  // a snowman has no Windows-1252 code
  EXPECT_EQ(cp1252FromUtf8("a\xFFz"), "a?z");          // not UTF-8 at all
}
#endif

}  // namespace
}  // namespace kov

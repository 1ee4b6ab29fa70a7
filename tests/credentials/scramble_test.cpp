#include "credentials/scramble.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

#include "support/fake_platform.h"

namespace kov {
namespace {

TEST(Cripta_Decripta, ShiftsEveryCharacterByTwo) {
  const struct {
    std::string mode;
    std::string input;
    std::string output;
  } cases[] = {
      {"C", "abc", "cde"},  {"D", "cde", "abc"}, {"C", "", ""},   {"C", " ", "\""},
      {"C", "~", "\x80"},   {"C", "N", "P"},     {"C", "S", "U"}, {"C", "\xFD", "\xFF"},
      {"D", "\x02", "\0"s}, {"c", "abc", ""},  // letter case counts
      {"X", "abc", ""},
  };
  for (const auto& c : cases) {
    test::FakePlatform platform;
    std::string output = "stale";
    Cripta_Decripta(platform, c.mode, c.input, output);
    EXPECT_EQ(output, c.output) << c.mode << " " << c.input;
    EXPECT_TRUE(platform.messages.empty());
  }
}

TEST(Cripta_Decripta, ACodeOutOfRangeStopsWithTheMessageAndLeavesNothing) {
  const struct {
    std::string mode;
    std::string input;
  } cases[] = {{"C", "abc\xFF"}, {"C", "\xFE"}, {"D", "ab\x01"}, {"D", std::string(1, '\0')}};
  for (const auto& c : cases) {
    test::FakePlatform platform;
    std::string output;
    Cripta_Decripta(platform, c.mode, c.input, output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].icon, Icon::Critical);
    EXPECT_EQ(platform.messages[0].title, "KoV");
    EXPECT_EQ(platform.messages[0].text,
              "Si \xE8 verificato il seguente errore nella Sub Cripta_Decripta :\n\r"
              "5-Chiamata di routine o argomento non validi");
  }
}

}  // namespace
}  // namespace kov

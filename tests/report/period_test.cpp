#include "report/period.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace kov {
namespace {

TEST(RovesciaData, TurnsDayFirstDatesIntoKeysAndShortTextsIntoShortKeys) {
  const struct {
    std::string date;
    std::string key;
  } cases[] = {
      {"31/12/2026", "20261231"},
      {"01/02/0003", "00030201"},
      {"  /  /    ", "        "},
      {"05/  /    ", "      05"},
      {"12/05/20", "200512"},
      {"12/0", "012"},
      {"1", "1"},
      {"", ""},
      {"31-12-2026xyz", "20261231"},
  };
  for (const auto& c : cases) EXPECT_EQ(RovesciaData(c.date), c.key) << '"' << c.date << '"';
}

TEST(Filtra_Tasto_Data, DGivesTodayDigitsSlashAndBackspacePassAnythingElseBeeps) {
  for (int code = -1; code <= 256; ++code) {
    test::FakePlatform platform;
    platform.clock = {2027, 3, 9, 23, 59, 59};
    auto key = static_cast<std::int16_t>(code);
    std::string date;
    Filtra_Tasto_Data(platform, key, date);
    const bool today = code == 'd' || code == 'D';
    const bool passes = (code >= '0' && code <= '9') || code == '/' || code == 8;
    EXPECT_EQ(date, today ? "09/03/2027" : "") << code;
    EXPECT_EQ(key, today || passes ? code : 0) << code;
    EXPECT_EQ(platform.beeps, today || passes ? 0 : 1) << code;
  }
}

TEST(DayFirstDate, ConvertsCalendarDatesAndLeavesAnythingElse) {
  const struct {
    std::string text;
    std::optional<std::string> date;
  } cases[] = {
      {"04/12/2026", "04/12/2026"}, {"4 /1 /2026", "04/01/2026"},  {" 4/ 1/2026", "04/01/2026"},
      {"4/1/2026", "04/01/2026"},   {"29/02/2024", "29/02/2024"},  {"29/02/2000", "29/02/2000"},
      {"31/12/9999", "31/12/9999"}, {"29/02/2023", std::nullopt},  {"29/02/1900", std::nullopt},
      {"31/04/2026", std::nullopt}, {"01/13/2026", std::nullopt},  {"00/01/2026", std::nullopt},
      {"01/00/2026", std::nullopt}, {"01/01/0000", std::nullopt},  {"  /  /    ", std::nullopt},
      {"04/  /    ", std::nullopt}, {"30/11/26  ", "30/11/2026"},  {"1/1/30", "01/01/1930"},
      {"31/12/29", "31/12/2029"},   {"29/02/00  ", "29/02/2000"},  {"04/12/026 ", std::nullopt},
      {"04/12/6   ", std::nullopt}, {"1 2/05/2026", std::nullopt}, {"04/12/2026/1", std::nullopt},
      {"-4/12/2026", std::nullopt}, {"04.12.2026", std::nullopt},  {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(dayFirstDate(c.text), c.date) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kov

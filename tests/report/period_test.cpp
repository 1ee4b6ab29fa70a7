#include "cores/report/period.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace kov {
namespace {

TEST(Period, KeysOfDayFirstDates) {
  // clang-format off
  const std::pair<std::string, std::string> rows[] = {
      {"31/12/2026", "20261231"}, {"  /  /    ", "        "}, {"05/  /    ", "      05"}, {"12/05/20", "200512"},
      {"12/0", "012"}, {"1", "1"}, {"", ""}, {"31-12-2026xyz", "20261231"}};
  // clang-format on
  for (const auto& [date, key] : rows) EXPECT_EQ(RovesciaData(date), key) << '"' << date << '"';
}

TEST(Period, DGivesTodayDigitsSlashAndBackspacePassAnythingElseBeeps) {
  for (int code = -1; code <= 256; ++code) {
    test::FakePlatform platform;
    platform.clock = {2027, 3, 9, 23, 59, 59};
    auto key = static_cast<std::int16_t>(code);
    std::string date;
    Filtra_Tasto_Data(platform, key, date);
    const bool today = code == 'd' || code == 'D';
    const bool passes = today || (code >= '0' && code <= '9') || code == '/' || code == 8;
    EXPECT_EQ(date, today ? "09/03/2027" : "") << code;
    EXPECT_EQ(key, passes ? code : 0) << code;
    EXPECT_EQ(platform.beeps, passes ? 0 : 1) << code;
  }
}

TEST(Period, DayFirstDatesOfTheCalendarAndNothingElse) {
  const std::optional<std::string> no;
  // clang-format off
  const std::pair<std::string, std::optional<std::string>> rows[] = {
      {"04/12/2026", "04/12/2026"}, {"4 /1 /2026", "04/01/2026"}, {" 4/ 1/2026", "04/01/2026"}, {"01/01/2026", "01/01/2026"},
      {"29/02/2024", "29/02/2024"}, {"29/02/2000", "29/02/2000"}, {"31/12/9999", "31/12/9999"}, {"29/02/2023", no},
      {"29/02/1900", no}, {"31/04/2026", no}, {"01/13/2026", no}, {"00/01/2026", no}, {"01/00/2026", no}, {"01/01/0000", no},
      {"  /  /    ", no}, {"04/  /    ", no}, {"30/11/26  ", "30/11/2026"}, {"1/1/30", "01/01/1930"}, {"31/12/29", "31/12/2029"},
      {"29/02/00  ", "29/02/2000"}, {"04/12/026 ", no}, {"04/12/6   ", no}, {"1 2/05/2026", no}, {"04/12/2026/1", no},
      {"-4/12/2026", no}, {"04.12.2026", no}, {"", no}};
  // clang-format on
  for (const auto& [text, date] : rows) EXPECT_EQ(dayFirstDate(text), date) << '"' << text << '"';
}

}  // namespace
}  // namespace kov

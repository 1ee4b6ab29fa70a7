#include "cores/report/period.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

// The date keys and the key filter are checked through the date boxes of the window.
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

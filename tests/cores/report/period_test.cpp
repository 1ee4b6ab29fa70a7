// The dates a date box's text names, day first, as the workstations read them, and the
// calendar's ready-made periods. The keys typed into the boxes are checked through the window.
#include "cores/report/period.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

struct Text {
  const char* name;
  std::string text;
  std::optional<std::string> date{};  // none: no date
};

const Text kTexts[] = {
    {.name = "Plain", .text = "04/12/2026", .date = "04/12/2026"},
    {.name = "SpacesAfter", .text = "4 /1 /2026", .date = "04/01/2026"},
    {.name = "LeapDay", .text = "29/02/2024", .date = "29/02/2024"},
    {.name = "LeapDayOf2000", .text = "29/02/2000", .date = "29/02/2000"},
    {.name = "LeapDayOfACommonYear", .text = "29/02/2023"},
    {.name = "LeapDayOf1900", .text = "29/02/1900"},
    {.name = "April31", .text = "31/04/2026"},
    {.name = "Month13", .text = "01/13/2026"},
    {.name = "Day0", .text = "00/01/2026"},
    {.name = "Month0", .text = "01/00/2026"},
    {.name = "Year0", .text = "01/01/0000"},
    {.name = "Untouched", .text = "  /  /    "},
    {.name = "TwoDigitYear30", .text = "1/1/30", .date = "01/01/1930"},
    {.name = "TwoDigitYear29", .text = "31/12/29", .date = "31/12/2029"},
    {.name = "ThreeDigitYear", .text = "04/12/026 "},
    {.name = "OneDigitYear", .text = "04/12/6   "},
    {.name = "SpaceInsideTheDay", .text = "1 2/05/2026"},
    {.name = "AThirdSlash", .text = "04/12/2026/1"},
    {.name = "NegativeDay", .text = "-4/12/2026"},
    {.name = "Dots", .text = "04.12.2026"},
    {.name = "ThreeDigitDay", .text = "001/12/2026"},
};

TEST(Period, DayFirstDatesOfTheCalendarAndNothingElse) {
  for (const Text& row : kTexts) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(dayFirstDate(row.text), row.date);
  }
}

struct Preset {
  const char* name;
  PeriodPreset preset;
  DateTime today;
  DayPeriod period;
};

const Preset kPresets[] = {
    {.name = "LastMonthInJanuary",
     .preset = PeriodPreset::LastMonth,
     .today = {2027, 1, 31},
     .period = {"01/12/2026", "31/12/2026"}},
    {.name = "ThisFebruaryOfALeapYear",
     .preset = PeriodPreset::ThisMonth,
     .today = {2028, 2, 1},
     .period = {"01/02/2028", "29/02/2028"}},
    {.name = "LastYearInDecember",
     .preset = PeriodPreset::LastYear,
     .today = {2026, 12, 4},
     .period = {"01/01/2025", "31/12/2025"}},
};

TEST(Period, PresetsRunFromTheFirstDayToTheLast) {
  for (const Preset& row : kPresets) {
    SCOPED_TRACE(row.name);
    const DayPeriod period = presetPeriod(row.preset, row.today);
    EXPECT_EQ(period.from + " " + period.to, row.period.from + " " + row.period.to);
  }
}

}  // namespace
}  // namespace kov

// The dates a date box's text names: day first, as the workstations read them. The keys typed
// into the boxes and the calendar's presets are checked through the window.
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
    {.name = "SpacesBefore", .text = " 4/ 1/2026", .date = "04/01/2026"},
    {.name = "FirstDayOfTheYear", .text = "01/01/2026", .date = "01/01/2026"},
    {.name = "LeapDay", .text = "29/02/2024", .date = "29/02/2024"},
    {.name = "LeapDayOf2000", .text = "29/02/2000", .date = "29/02/2000"},
    {.name = "LastDayThereIs", .text = "31/12/9999", .date = "31/12/9999"},
    {.name = "LeapDayOfACommonYear", .text = "29/02/2023"},
    {.name = "LeapDayOf1900", .text = "29/02/1900"},
    {.name = "April31", .text = "31/04/2026"},
    {.name = "Month13", .text = "01/13/2026"},
    {.name = "Day0", .text = "00/01/2026"},
    {.name = "Month0", .text = "01/00/2026"},
    {.name = "Year0", .text = "01/01/0000"},
    {.name = "Untouched", .text = "  /  /    "},
    {.name = "PartlyTyped", .text = "04/  /    "},
    {.name = "TwoDigitYear26", .text = "30/11/26  ", .date = "30/11/2026"},
    {.name = "TwoDigitYear30", .text = "1/1/30", .date = "01/01/1930"},
    {.name = "TwoDigitYear29", .text = "31/12/29", .date = "31/12/2029"},
    {.name = "TwoDigitYear00", .text = "29/02/00  ", .date = "29/02/2000"},
    {.name = "ThreeDigitYear", .text = "04/12/026 "},
    {.name = "OneDigitYear", .text = "04/12/6   "},
    {.name = "SpaceInsideTheDay", .text = "1 2/05/2026"},
    {.name = "AThirdSlash", .text = "04/12/2026/1"},
    {.name = "NegativeDay", .text = "-4/12/2026"},
    {.name = "Dots", .text = "04.12.2026"},
    {.name = "Empty", .text = ""},
    {.name = "ThreeDigitDay", .text = "001/12/2026"},
};

TEST(Period, DayFirstDatesOfTheCalendarAndNothingElse) {
  for (const Text& row : kTexts) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(dayFirstDate(row.text), row.date);
  }
}

}  // namespace
}  // namespace kov

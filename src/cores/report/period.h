// The report period: the period keys, the key filter of the date boxes, the date
// conversion applied when a date box is left and the ready-made periods. No Qt here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cores/shared/platform.h"
#include "runtime/datetime.h"

namespace kov {

// The period key of a "dd/mm/yyyy" text: characters 7-10, 4-5 and 1-2 joined, so that keys
// compare as texts in calendar order. A shorter text gives what it holds (an empty text an
// empty key) and the separators are not looked at; nothing here can fail.
std::string RovesciaData(std::string_view date);

// The key filter of the date boxes, on a classic key code: d or D writes today's date
// "dd/mm/yyyy" into `date` and lets the key go on (the box's mask refuses the letter);
// digits, "/" and Backspace go on; any other key beeps and becomes 0, discarded.
void Filtra_Tasto_Data(Platform& platform, std::int16_t& KeyAscii, std::string& date);

// A date box's text as "dd/MM/yyyy" when it reads as a date, day first: day and month of
// one or two digits, a year of four or of two (00-29 are 2000-2029, 30-99 are 1930-1999),
// "/" between them, spaces around each part allowed (the mask leaves them where nothing was
// typed). Anything else, such as the untouched "  /  /    ", a year of three digits, 31/04
// or month 13, gives nothing and the text stays.
std::optional<std::string> dayFirstDate(std::string_view text);

// The periods the date boxes can be filled with in one step.
enum class PeriodPreset { LastMonth, ThisMonth, LastYear };

struct DayPeriod {
  std::string from, to;  // "dd/mm/yyyy" each
};

// The first and last day of the month before `today`'s, of `today`'s month, or of the year
// before `today`'s.
DayPeriod presetPeriod(PeriodPreset preset, const DateTime& today);

}  // namespace kov

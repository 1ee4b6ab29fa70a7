// The report period over any key and any date-box text: the key filter, the day-first date
// conversion and the period keys, each checked against the calendar of the standard library.
//
// Input: a key code (2 bytes), today as days from 1 January 1970 (2 bytes), then two texts
// split at the first line feed.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>

#include "fuzz_platform.h"
#include "cores/report/period.h"

namespace {

using std::chrono::year_month_day;

// The calendar date a text names, read by a rule of its own: day and month of one or two
// digits, a four-digit year from 1 or a two-digit one in 1930 to 2029, "/" between them,
// spaces around each part.
std::optional<year_month_day> calendarDate(const std::string& text) {
  static const std::regex form(R"( *([0-9]{1,2}) */ *([0-9]{1,2}) */ *([0-9]{4}|[0-9]{2}) *)");
  std::smatch parts;
  if (!std::regex_match(text, parts, form)) return std::nullopt;
  int year = std::stoi(parts[3]);
  if (parts[3].length() == 2) year += year >= 30 ? 1900 : 2000;
  const year_month_day date{std::chrono::year{year},
                            std::chrono::month{static_cast<unsigned>(std::stoi(parts[2]))},
                            std::chrono::day{static_cast<unsigned>(std::stoi(parts[1]))}};
  if (!date.ok() || date.year() == std::chrono::year{0}) return std::nullopt;
  return date;
}

// The key of a calendar date, yyyymmdd, written here without the program's helpers.
std::string keyOf(const year_month_day& date) {
  char key[16];
  std::snprintf(key, sizeof key, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return key;
}

// A date box's text: converted, it is a real date in dd/MM/yyyy, the one the text names,
// and converts to itself; left alone, the text names no date. Returns the date.
std::optional<year_month_day> checkConversion(const std::string& text) {
  const std::optional<std::string> converted = kov::dayFirstDate(text);
  const std::optional<year_month_day> named = calendarDate(text);
  if (converted.has_value() != named.has_value()) std::abort();
  if (!converted) return std::nullopt;
  const std::string& date = *converted;
  if (date.size() != 10 || date[2] != '/' || date[5] != '/') std::abort();
  if (calendarDate(date) != named || kov::dayFirstDate(date) != date) std::abort();
  if (kov::RovesciaData(date) != keyOf(*named)) std::abort();
  return named;
}

// The key of any text: eight characters from a text of ten or more, fewer from a shorter
// one; the characters of a ten-character text come back with its separators.
void checkKey(const std::string& text) {
  const std::string key = kov::RovesciaData(text);
  if (key.size() > 8 || (key.size() == 8) != (text.size() >= 10)) std::abort();
  if (text.size() < 10) return;
  const std::string rebuilt =
      key.substr(6, 2) + text[2] + key.substr(4, 2) + text[5] + key.substr(0, 4);
  if (rebuilt != text.substr(0, 10)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  if (size < 4 || size > 64) return 0;
  std::int16_t key = 0;
  std::int16_t dayNumber = 0;
  std::memcpy(&key, data, 2);
  std::memcpy(&dayNumber, data + 2, 2);
  const year_month_day today{std::chrono::sys_days{std::chrono::days{dayNumber}}};
  platform.clock = {static_cast<int>(today.year()), static_cast<int>(unsigned{today.month()}),
                    static_cast<int>(unsigned{today.day()})};

  // The key filter: d and D write today's date, a text the conversion keeps as it is; the
  // keys a date box takes pass silently; any other is discarded with one beep.
  const std::int16_t typed = key;
  std::string written;
  platform.beeps = 0;
  kov::Filtra_Tasto_Data(platform, key, written);
  const bool dateKey = typed == 'd' || typed == 'D';
  const bool boxKey = (typed >= '0' && typed <= '9') || typed == '/' || typed == 8;
  if (dateKey != !written.empty() || (dateKey && checkConversion(written) != today)) std::abort();
  if (dateKey || boxKey ? key != typed || platform.beeps != 0 : key != 0 || platform.beeps != 1) {
    std::abort();
  }

  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::size_t split = rest.find('\n');
  const std::string first = rest.substr(0, split);
  const std::string second = split == std::string::npos ? "" : rest.substr(split + 1);
  checkKey(first);
  checkKey(second);
  const auto start = checkConversion(first);
  const auto end = checkConversion(second);
  // Keys of real dates compare as texts in calendar order.
  if (start && end) {
    const std::string startKey = kov::RovesciaData(*kov::dayFirstDate(first));
    const std::string endKey = kov::RovesciaData(*kov::dayFirstDate(second));
    if ((startKey < endKey) != (*start < *end) || (startKey == endKey) != (*start == *end)) {
      std::abort();
    }
  }
  return 0;
}

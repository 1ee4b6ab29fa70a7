#include "period.h"

#include <array>

#include "runtime/text.h"

namespace kov {
namespace {

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kSlash = 47;

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int month, int year) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// The number a part holds when it is 1 to `maxDigits` digits with spaces only around them.
std::optional<int> numberIn(std::string_view part, std::size_t maxDigits) {
  const std::string_view digits = trimSpaces(part);
  if (digits.empty() || digits.size() > maxDigits) {
    return std::nullopt;
  }
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A year of four digits, or of two: 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999,
// as the workstations' own date conversion reads them.
std::optional<int> yearIn(std::string_view part) {
  const std::size_t digits = trimSpaces(part).size();
  const auto year = numberIn(part, 4);
  if (!year || (digits != 2 && digits != 4)) return std::nullopt;
  if (digits == 4) return year;
  return *year < 30 ? 2000 + *year : 1900 + *year;
}

}  // namespace

std::string RovesciaData(std::string_view date) {
  std::string key(mid(date, 7, 4));
  key += mid(date, 4, 2);
  key += mid(date, 1, 2);
  return key;
}

void Filtra_Tasto_Data(Platform& platform, std::int16_t& KeyAscii, std::string& date) {
  const bool passes =
      (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == kSlash || KeyAscii == kBackspace;
  if (KeyAscii == 'd' || KeyAscii == 'D') {
    date = formatDate(platform.now());
  } else if (!passes) {
    platform.beep();
    KeyAscii = 0;
  }
}

std::optional<std::string> dayFirstDate(std::string_view text) {
  const std::size_t first = text.find('/');
  const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto day = numberIn(text.substr(0, first), 2);
  const auto month = numberIn(text.substr(first + 1, second - first - 1), 2);
  const auto year = yearIn(text.substr(second + 1));
  if (!day || !month || !year || *year == 0 || *month < 1 || *month > 12 || *day < 1 ||
      *day > daysIn(*month, *year)) {
    return std::nullopt;
  }
  return formatDate(DateTime{*year, *month, *day});
}

DayPeriod presetPeriod(PeriodPreset preset, const DateTime& today) {
  switch (preset) {
    case PeriodPreset::LastYear:
      return {formatDate({today.year - 1, 1, 1}), formatDate({today.year - 1, 12, 31})};
    case PeriodPreset::LastMonth: {
      const bool january = today.month == 1;
      return presetPeriod(PeriodPreset::ThisMonth, {january ? today.year - 1 : today.year,
                                                    january ? 12 : today.month - 1, 1});
    }
    case PeriodPreset::ThisMonth:
      break;
  }
  return {formatDate({today.year, today.month, 1}),
          formatDate({today.year, today.month, daysIn(today.month, today.year)})};
}

}  // namespace kov

// Dates and times of day as the program writes them into its files.
#pragma once

#include <string>

namespace kov {

struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "dd/MM/yyyy".
std::string formatDate(const DateTime& at);
// "HH:mm:ss" on a 24-hour clock.
std::string formatTime(const DateTime& at);

}  // namespace kov

#include "datetime.h"

#include <cstdio>

namespace kov {

std::string formatDate(const DateTime& at) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", at.day % 100, at.month % 100, at.year % 10000);
  return text;
}

std::string formatTime(const DateTime& at) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", at.hour % 100, at.minute % 100,
                at.second % 100);
  return text;
}

}  // namespace kov

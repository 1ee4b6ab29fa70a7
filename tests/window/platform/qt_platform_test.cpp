// The date and time of the clock, and the date proposed in the comment box, in the regional
// forms of the workstation: the short date with a four-digit year, the time with its seconds
// and without the time zone. The C locale is a machine without regional settings.
#include "window/platform/qt_platform.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

struct Region {
  const char* name;
  QLocale locale;
  std::string date, time;
};

const Region kRegions[] = {
    {.name = "ItalianOffice",
     .locale = QLocale(QLocale::Italian, QLocale::Italy),
     .date = "04/12/2026",
     .time = "09:05:03"},
    {
        .name = "AmericanOffice",
        .locale = QLocale(QLocale::English, QLocale::UnitedStates),
        .date = "12/4/2026",
        .time = "9:05:03 AM",
    },
    {.name = "ChineseOffice",
     .locale = QLocale(QLocale::Chinese, QLocale::China),
     .date = "2026/12/4",
     .time = "09:05:03"},
    {.name = "NoRegionalSettings",
     .locale = QLocale::c(),
     .date = "04/12/2026",
     .time = "09:05:03"},
};

TEST(QtPlatform, GivesTheRegionalDateAndTime) {
  for (const Region& row : kRegions) {
    SCOPED_TRACE(row.name);
    QtPlatform platform(row.locale);
    const DateTime at{2026, 12, 4, 9, 5, 3};
    EXPECT_EQ(platform.regionalDate(at), row.date);
    EXPECT_EQ(platform.regionalTime(at), row.time);
  }
}

}  // namespace
}  // namespace kov

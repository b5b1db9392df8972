// MS-DOS dates and the clamped Unix times of the extended-timestamp block.
#include "core/zip_time.h"

#include <gtest/gtest.h>

namespace {

TEST(ZipTime, DosDateAndTimeWithTheEndsOfTheirRange) {
  struct Case {
    archive_fs::CivilTime local;
    std::uint16_t date, time;
  } cases[] = {
      {{2026, 12, 11, 13, 19, 36}, 0x5D8B, 0x6A72},
      {{1980, 1, 1, 0, 0, 0}, 0x0021, 0x0000},
      {{1980, 1, 1, 0, 0, 1}, 0x0021, 0x0000},      // odd seconds round down to two-second steps
      {{2107, 12, 31, 23, 59, 59}, 0xFF9F, 0xBF7D},
      {{1979, 12, 31, 23, 59, 59}, 0x0021, 0x0000},  // before the range: its first moment
      {{1601, 6, 1, 12, 0, 0}, 0x0021, 0x0000},
      {{2108, 1, 1, 0, 0, 0}, 0xFF9F, 0xBF7D},      // after it: its last moment
      {{2000, 2, 29, 12, 30, 58}, 0x285D, 0x63DD},
  };
  for (const Case& c : cases) {
    zip::DosDateTime d = zip::dosDateTimeOf(c.local);
    EXPECT_EQ(d.date, c.date) << c.local.year << "-" << c.local.month << "-" << c.local.day;
    EXPECT_EQ(d.time, c.time) << c.local.hour << ":" << c.local.minute << ":" << c.local.second;
  }
}

TEST(ZipTime, UnixTimesKeepTheirTimeOfDayWhenClamped) {
  struct Case {
    std::int64_t seconds;
    std::uint32_t stored;
  } cases[] = {
      {0, 0},
      {1765545534, 1765545534},
      {2145916799, 2145916799},           // 2037-12-31 23:59:59
      {2145916800, 2145830400},           // 2038-01-01 00:00:00 -> 2037-12-31 00:00:00
      {2145916800 + 3723, 2145830400 + 3723},
      {4102444800 + 45296, 2145830400 + 45296},  // 2100-01-01 12:34:56
      {-1, 86399},                        // 1969-12-31 23:59:59 -> 1970-01-01 23:59:59
      {-86400 * 365 + 3600, 3600},        // 1969-01-01 01:00:00
      {-11644473600, 0},                  // 1601-01-01 00:00:00
  };
  for (const Case& c : cases) EXPECT_EQ(zip::timestampOf(c.seconds), c.stored) << c.seconds;
}

}  // namespace

// The times an archive entry carries: MS-DOS date and time, and 32-bit Unix times.
#pragma once

#include <cstdint>

#include "core/archive_fs.h"

namespace zip {

struct DosDateTime {
  std::uint16_t time = 0;  // hour << 11 | minute << 5 | second / 2
  std::uint16_t date = 0;  // (year - 1980) << 9 | month << 5 | day
};

// A local calendar time in MS-DOS form. Years before 1980 become 1980-01-01 00:00:00 and years
// after 2107 become 2107-12-31 23:59:58, the ends of what the form can hold.
DosDateTime dosDateTimeOf(const archive_fs::CivilTime& local);

// Seconds since 1970 as the extended-timestamp block holds them: a date before 1970 becomes
// 1970-01-01 and one after 2037 becomes 2037-12-31, each keeping its time of day.
std::uint32_t timestampOf(std::int64_t seconds);

}  // namespace zip

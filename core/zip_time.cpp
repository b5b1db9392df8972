// MS-DOS dates and clamped Unix times for archive entries.
#include "core/zip_time.h"

namespace zip {
namespace {

constexpr int kDosFirstYear = 1980;
constexpr int kDosLastYear = 2107;  // 7 bits of years from 1980
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kFirstSecondOf2038 = 2'145'916'800;     // 2038-01-01 00:00:00 UTC
constexpr std::int64_t kFirstSecondOfLastDay = 2'145'830'400;  // 2037-12-31 00:00:00 UTC

DosDateTime pack(int year, int month, int day, int hour, int minute, int second) {
  DosDateTime out;
  out.time = static_cast<std::uint16_t>(hour << 11 | minute << 5 | second / 2);
  out.date = static_cast<std::uint16_t>((year - kDosFirstYear) << 9 | month << 5 | day);
  return out;
}

}  // namespace

DosDateTime dosDateTimeOf(const archive_fs::CivilTime& local) {
  if (local.year < kDosFirstYear) return pack(kDosFirstYear, 1, 1, 0, 0, 0);
  if (local.year > kDosLastYear) return pack(kDosLastYear, 12, 31, 23, 59, 58);
  return pack(local.year, local.month, local.day, local.hour, local.minute, local.second);
}

std::uint32_t timestampOf(std::int64_t seconds) {
  std::int64_t timeOfDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
  if (seconds < 0) return static_cast<std::uint32_t>(timeOfDay);
  if (seconds >= kFirstSecondOf2038) return static_cast<std::uint32_t>(kFirstSecondOfLastDay + timeOfDay);
  return static_cast<std::uint32_t>(seconds);
}

}  // namespace zip

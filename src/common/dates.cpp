#include "common/dates.h"

#include <cmath>
#include <cstdint>

namespace common {

namespace {

// Days since 1 March of year 0 to a civil date (the proleptic Gregorian calendar).
void CivilFromDays(std::int64_t days, int* year, int* month, int* day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  *day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  *month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

}  // namespace

std::string FormatDateEnUs(double date) {
  // Date values count whole days from the epoch and the fraction as the time of that day, also
  // for negative values: -1.25 is 29 December 1899, 6:00 AM.
  double wholeDays = std::trunc(date);
  double seconds = std::nearbyint(std::fabs(date - wholeDays) * 86400.0);
  if (seconds >= 86400.0) {
    seconds -= 86400.0;
    wholeDays += date < 0 ? -1 : 1;
  }
  // Day 0 of the date values is 30 December 1899: 25569 days before 1 January 1970.
  int year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(static_cast<std::int64_t>(wholeDays) - 25569, &year, &month, &day);
  const std::string dateText =
      std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);

  const int total = static_cast<int>(seconds);
  const int hours = total / 3600;
  const int minutes = total / 60 % 60;
  const int secs = total % 60;
  auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  const std::string timeText = std::to_string(hours % 12 == 0 ? 12 : hours % 12) + ":" +
                               two(minutes) + ":" + two(secs) + (hours < 12 ? " AM" : " PM");
  if (wholeDays == 0) return timeText;
  if (total == 0) return dateText;
  return dateText + " " + timeText;
}

}  // namespace common

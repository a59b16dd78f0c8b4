#include "civil_time.h"

#include <cstdio>
#include <ctime>

namespace defserver {

namespace {

constexpr Seconds kSecondsPerDay = 86400;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar, counted from 1 March
// so that the leap day falls at the end of each shifted year.
Seconds DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const Seconds era = (year >= 0 ? year : year - 399) / 400;
  const Seconds yearOfEra = year - era * 400;
  const Seconds dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const Seconds dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool ReadNumber(std::string_view text, size_t position, size_t width, int* value) {
  if (position + width > text.size()) return false;
  int result = 0;
  for (size_t i = position; i < position + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
  }
  *value = result;
  return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool IsValidCivilTime(const CivilTime& time) {
  return IsValidDate(time.year, time.month, time.day) && time.hour >= 0 && time.hour < 24 &&
         time.minute >= 0 && time.minute < 60 && time.second >= 0 && time.second < 60;
}

Seconds ToSeconds(const CivilTime& time) {
  return DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 +
         time.minute * 60 + time.second;
}

CivilTime ToCivil(Seconds seconds) {
  Seconds days = seconds / kSecondsPerDay;
  Seconds rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  days += 719468;
  const Seconds era = (days >= 0 ? days : days - 146096) / 146097;
  const Seconds dayOfEra = days - era * 146097;
  const Seconds yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const Seconds dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const Seconds monthIndex = (5 * dayOfYear + 2) / 153;
  CivilTime time;
  time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
  time.hour = static_cast<int>(rest / 3600);
  time.minute = static_cast<int>(rest / 60 % 60);
  time.second = static_cast<int>(rest % 60);
  return time;
}

std::string FormatStored(Seconds seconds) {
  const CivilTime time = ToCivil(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

std::optional<Seconds> ParseStored(std::string_view text) {
  if (text.size() != 10 && text.size() != 19) return std::nullopt;
  CivilTime time;
  if (!ReadNumber(text, 0, 4, &time.year) || text[4] != '-' ||
      !ReadNumber(text, 5, 2, &time.month) || text[7] != '-' ||
      !ReadNumber(text, 8, 2, &time.day)) {
    return std::nullopt;
  }
  if (text.size() == 19 && (text[10] != ' ' || !ReadNumber(text, 11, 2, &time.hour) ||
                            text[13] != ':' || !ReadNumber(text, 14, 2, &time.minute) ||
                            text[16] != ':' || !ReadNumber(text, 17, 2, &time.second))) {
    return std::nullopt;
  }
  if (!IsValidCivilTime(time)) return std::nullopt;
  return ToSeconds(time);
}

std::string FormatClientDate(Seconds seconds) {
  const CivilTime time = ToCivil(seconds);
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  char text[40];
  std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", time.month, time.day, time.year,
                hour12, time.minute, time.second, time.hour < 12 ? "AM" : "PM");
  return text;
}

Seconds LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  CivilTime time;
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  time.second = local.tm_sec < 60 ? local.tm_sec : 59;  // a leap second
  return ToSeconds(time);
}

}  // namespace defserver

#include "scheduler/schedule.h"

#include <cmath>
#include <cstdio>

#include "common/dates.h"

namespace scheduler {

namespace {

constexpr int kSecondsPerDay = 86400;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int TwoDigitsAt(const std::string& text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// "HH:MM:SS" on the 24-hour clock, exactly as TimeText writes it.
std::optional<int> ReadOwnTime(const std::string& text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  for (std::size_t at : {0, 3, 6}) {
    if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) return std::nullopt;
  }
  const int hours = TwoDigitsAt(text, 0);
  const int minutes = TwoDigitsAt(text, 3);
  const int seconds = TwoDigitsAt(text, 6);
  if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
  return hours * 3600 + minutes * 60 + seconds;
}

// "YYYY-MM-DD", exactly as DateText writes it.
std::optional<std::int64_t> ReadOwnDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (std::size_t at : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(text[at])) return std::nullopt;
  }
  const int year = TwoDigitsAt(text, 0) * 100 + TwoDigitsAt(text, 2);
  const std::optional<double> date =
      common::DateSerial(year, TwoDigitsAt(text, 5), TwoDigitsAt(text, 8));
  if (!date) return std::nullopt;
  return static_cast<std::int64_t>(*date);
}

}  // namespace

Moment MomentOf(double date) {
  // The whole days count from the epoch and the fraction is the time of that day, also for
  // negative values (-1.25 is 29 December 1899, 6:00). Milliseconds are rounded first, so that
  // 14:30:00 held as 0.604166... is not read as 14:29:59.
  Moment moment;
  const double wholeDays = std::trunc(date);
  moment.day = static_cast<std::int64_t>(wholeDays);
  const long long ms = std::llround(std::fabs(date - wholeDays) * 86400000.0);
  moment.second = static_cast<int>(ms / 1000);
  if (moment.second >= kSecondsPerDay) {
    moment.second -= kSecondsPerDay;
    moment.day += date < 0 ? -1 : 1;
  }
  return moment;
}

int WeekdayIndex(std::int64_t day) {
  // Day 0, 30 December 1899, was a Saturday (index 5).
  return static_cast<int>(((day + 5) % 7 + 7) % 7);
}

bool IsDue(const Schedule& schedule, double now) {
  const Moment moment = MomentOf(now);
  if (!schedule.time || *schedule.time != moment.second) return false;
  if (schedule.day >= 0 && schedule.day <= 6) return WeekdayIndex(moment.day) == schedule.day;
  if (schedule.day == kDaily) return true;
  if (schedule.day == kDateAndTime) return schedule.date && *schedule.date == moment.day;
  return false;
}

std::string TimeText(std::optional<double> pickerValue) {
  if (!pickerValue) return kNull;
  const int second = MomentOf(*pickerValue).second;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
  return text;
}

std::string DateText(std::optional<double> pickerValue) {
  if (!pickerValue) return kNull;
  int year = 0;
  int month = 0;
  int day = 0;
  common::DateParts(static_cast<double>(MomentOf(*pickerValue).day), &year, &month, &day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

std::optional<int> ReadTime(const std::string& stored, platform::Clock& clock) {
  if (stored == kNull) return std::nullopt;
  if (auto own = ReadOwnTime(stored)) return own;
  const std::optional<double> value = clock.ParseDate(stored);
  if (!value) return std::nullopt;
  return MomentOf(*value).second;
}

std::optional<std::int64_t> ReadDate(const std::string& stored, platform::Clock& clock) {
  if (stored == kNull) return std::nullopt;
  if (auto own = ReadOwnDate(stored)) return own;
  const std::optional<double> value = clock.ParseDate(stored);
  if (!value) return std::nullopt;
  return MomentOf(*value).day;
}

std::optional<int> ReadDay(const std::string& stored) {
  std::size_t at = stored.find_first_not_of(' ');
  const std::size_t end = stored.find_last_not_of(' ');
  if (at == std::string::npos) return std::nullopt;
  bool negative = false;
  if (stored[at] == '-' || stored[at] == '+') negative = stored[at++] == '-';
  if (at > end) return std::nullopt;
  long value = 0;
  for (; at <= end; ++at) {
    if (!IsDigit(stored[at]) || value > 1000000) return std::nullopt;
    value = value * 10 + (stored[at] - '0');
  }
  return static_cast<int>(negative ? -value : value);
}

Schedule ReadSchedule(const std::string& day, const std::string& time, const std::string& date,
                      platform::Clock& clock) {
  Schedule schedule;
  schedule.day = ReadDay(day).value_or(-1);
  schedule.time = ReadTime(time, clock);
  schedule.date = ReadDate(date, clock);
  return schedule;
}

std::optional<double> TimePickerValue(const std::string& stored, double today,
                                      platform::Clock& clock) {
  const std::optional<int> time = ReadTime(stored, clock);
  if (!time) return std::nullopt;
  return static_cast<double>(MomentOf(today).day) + static_cast<double>(*time) / kSecondsPerDay;
}

std::optional<double> DatePickerValue(const std::string& stored, platform::Clock& clock) {
  const std::optional<std::int64_t> date = ReadDate(stored, clock);
  if (!date) return std::nullopt;
  return static_cast<double>(*date);
}

bool Scheduler::StartDue(const Schedule& schedule, double now) {
  if (!IsDue(schedule, now)) return false;
  const std::int64_t second = MomentOf(now).Absolute();
  if (lastStart_ == second) return false;
  lastStart_ = second;
  return true;
}

}  // namespace scheduler

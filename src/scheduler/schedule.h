#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system.h"

namespace scheduler {

// The "Run on:" choices by their index: 0 Monday to 6 Sunday, then these three.
inline constexpr int kDaily = 7;
inline constexpr int kDateAndTime = 8;
inline constexpr int kNever = 9;

// The marker stored for a picker without a value.
inline constexpr const char* kNull = "Null";

// A date value taken apart: its day number (days since 30 December 1899) and its time of day in
// whole seconds (a fraction of a second is cut off: 14:29:59.9 is still 14:29:59).
struct Moment {
  std::int64_t day = 0;
  int second = 0;
  // The second itself, counted from the epoch, to tell one second from every other.
  std::int64_t Absolute() const { return day * 86400 + second; }
};
Moment MomentOf(double date);

// Monday 0 to Sunday 6, the order of the "Run on:" list. It is worked out from the day number,
// not from the weekday's name, so it is the same in every language the system speaks.
int WeekdayIndex(std::int64_t day);

// What the scheduled scan waits for. A missing time or date never matches.
struct Schedule {
  // The "Run on:" index; anything outside 0 to 8 is never due.
  int day = kDaily;
  std::optional<int> time;           // second of the day
  std::optional<std::int64_t> date;  // day number; only Date & Time looks at it
};

// True when the schedule falls on this very second.
bool IsDue(const Schedule& schedule, double now);

// The texts the schedule is stored as: a time as "HH:MM:SS" on the 24-hour clock, a date as
// "YYYY-MM-DD", both the same in every locale, or the "Null" marker for a picker without a
// value. A time picker's date part and a date picker's time part are not kept.
std::string TimeText(std::optional<double> pickerValue);
std::string DateText(std::optional<double> pickerValue);

// A stored text as a time of day or a day. Besides the forms above, a text written in the
// system's own date format (as earlier versions stored the pickers' values) is read through the
// clock's locale; "Null" and anything unreadable give nullopt, which never matches.
std::optional<int> ReadTime(const std::string& stored, platform::Clock& clock);
std::optional<std::int64_t> ReadDate(const std::string& stored, platform::Clock& clock);
// The stored "Run on:" index; nullopt when the text is no whole number.
std::optional<int> ReadDay(const std::string& stored);

// The stored texts as one schedule: day (default "7"), time and date.
Schedule ReadSchedule(const std::string& day, const std::string& time, const std::string& date,
                      platform::Clock& clock);

// A picker's value for a stored time or date: the time on the day of `today`, or the date at
// midnight; nullopt when the text is "Null" or unreadable.
std::optional<double> TimePickerValue(const std::string& stored, double today,
                                      platform::Clock& clock);
std::optional<double> DatePickerValue(const std::string& stored, platform::Clock& clock);

// Starts each due second once. A scheduled scan with nothing to find can end within the second in
// which it began; the timer then finds the schedule due again, and without this a second scan
// (and a second automatic removal) would start at once.
class Scheduler {
 public:
  // True when the schedule is due now and no scan was started in this second before; the second
  // is then taken.
  bool StartDue(const Schedule& schedule, double now);

 private:
  std::optional<std::int64_t> lastStart_;
};

}  // namespace scheduler

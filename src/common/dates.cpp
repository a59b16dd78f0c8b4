#include "common/dates.h"

#include <cmath>
#include <cstdint>
#include <vector>

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

// Days from 1 January 1970 to a civil date.
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Numbers separated by one kind of separator; false when anything else is in the text.
bool SplitNumbers(const std::string& text, char separator, std::vector<int>* numbers,
                  std::vector<std::size_t>* widths) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    const std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
    if (piece.empty() || piece.size() > 4) return false;
    int value = 0;
    for (char c : piece) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    numbers->push_back(value);
    widths->push_back(piece.size());
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

// Month first ("3/16/2006", en-US) or day first ("16.03.2006", de-DE); a four-digit first
// number makes the text year-first ("2006-03-16").
enum class DayOrder { MonthFirst, DayFirst };

std::optional<double> ReadDatePart(const std::string& text, char separator, DayOrder order) {
  std::vector<int> n;
  std::vector<std::size_t> widths;
  if (!SplitNumbers(text, separator, &n, &widths) || n.size() != 3) return std::nullopt;
  int year = n[2];
  int month = order == DayOrder::MonthFirst ? n[0] : n[1];
  int day = order == DayOrder::MonthFirst ? n[1] : n[0];
  if (widths[0] == 4) {
    year = n[0];
    month = n[1];
    day = n[2];
  } else if (widths[2] <= 2) {
    year += year >= 30 ? 1900 : 2000;
  }
  return DateSerial(year, month, day);
}

// A day and a time of day as one date value. Before the epoch the whole days count down while
// the fraction still counts the time of that day up (-1.25 is 29 December 1899, 6:00 AM), so the
// time goes the other way.
double WithTime(double day, double time) { return day < 0 ? day - time : day + time; }

// "h:mm", "h:mm:ss", with "AM"/"PM" given apart (meridiem: 0 none, 1 AM, 2 PM).
std::optional<double> ReadTimePart(const std::string& text, int meridiem) {
  std::vector<int> n;
  std::vector<std::size_t> widths;
  if (!SplitNumbers(text, ':', &n, &widths) || n.size() < 2 || n.size() > 3) return std::nullopt;
  int hours = n[0];
  const int minutes = n[1];
  const int seconds = n.size() == 3 ? n[2] : 0;
  if (minutes > 59 || seconds > 59) return std::nullopt;
  if (meridiem != 0) {
    if (hours < 1 || hours > 12) return std::nullopt;
    hours = hours % 12 + (meridiem == 2 ? 12 : 0);
  } else if (hours > 23) {
    return std::nullopt;
  }
  return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

}  // namespace

std::optional<double> ParseDateEnUs(const std::string& text) {
  // Tokens apart at blanks; "PM" may also stick to the time ("4:15PM").
  std::vector<std::string> tokens;
  std::string token;
  for (char c : text + " ") {
    if (c == ' ' || c == '\t') {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
    } else {
      token += c;
    }
  }
  int meridiem = 0;
  std::optional<double> date;
  std::optional<double> time;
  std::string timeText;
  for (std::string& t : tokens) {
    std::string upper;
    for (char c : t) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (upper.size() > 2 && (upper.ends_with("AM") || upper.ends_with("PM")) &&
        upper.find(':') != std::string::npos) {
      if (meridiem != 0) return std::nullopt;
      meridiem = upper.ends_with("AM") ? 1 : 2;
      t.resize(t.size() - 2);
      upper.resize(upper.size() - 2);
    }
    if (upper == "AM" || upper == "PM") {
      if (meridiem != 0) return std::nullopt;
      meridiem = upper == "AM" ? 1 : 2;
    } else if (t.find(':') != std::string::npos) {
      if (!timeText.empty()) return std::nullopt;
      timeText = t;
    } else {
      if (date) return std::nullopt;
      date = ReadDatePart(t, t.find('/') != std::string::npos ? '/' : '-', DayOrder::MonthFirst);
      if (!date) return std::nullopt;
    }
  }
  if (!timeText.empty()) {
    time = ReadTimePart(timeText, meridiem);
    if (!time) return std::nullopt;
  } else if (meridiem != 0) {
    return std::nullopt;
  }
  if (!date && !time) return std::nullopt;
  return WithTime(date.value_or(0), time.value_or(0));
}

namespace {

// A date value's calendar day and its time of day in whole seconds (rounded to the nearest).
// Date values count whole days from the epoch and the fraction as the time of that day, also for
// negative values: -1.25 is 29 December 1899, 6:00 AM.
struct SplitValue {
  double wholeDays;
  int year, month, day;
  int seconds;
};

SplitValue Split(double date) {
  double wholeDays = std::trunc(date);
  double seconds = std::nearbyint(std::fabs(date - wholeDays) * 86400.0);
  if (seconds >= 86400.0) {
    seconds -= 86400.0;
    wholeDays += date < 0 ? -1 : 1;
  }
  SplitValue split{wholeDays, 0, 0, 0, static_cast<int>(seconds)};
  // Day 0 of the date values is 30 December 1899: 25569 days before 1 January 1970.
  CivilFromDays(static_cast<std::int64_t>(wholeDays) - 25569, &split.year, &split.month,
                &split.day);
  return split;
}

std::string TwoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

std::string FormatDateEnUs(double date) {
  const SplitValue split = Split(date);
  const std::string dateText = std::to_string(split.month) + "/" + std::to_string(split.day) + "/" +
                               std::to_string(split.year);
  const int hours = split.seconds / 3600;
  const std::string timeText = std::to_string(hours % 12 == 0 ? 12 : hours % 12) + ":" +
                               TwoDigits(split.seconds / 60 % 60) + ":" +
                               TwoDigits(split.seconds % 60) + (hours < 12 ? " AM" : " PM");
  if (split.wholeDays == 0) return timeText;
  if (split.seconds == 0) return dateText;
  return dateText + " " + timeText;
}

std::string FormatDateDeDe(double date) {
  const SplitValue split = Split(date);
  const std::string dateText =
      TwoDigits(split.day) + "." + TwoDigits(split.month) + "." + std::to_string(split.year);
  const std::string timeText = TwoDigits(split.seconds / 3600) + ":" +
                               TwoDigits(split.seconds / 60 % 60) + ":" +
                               TwoDigits(split.seconds % 60);
  if (split.wholeDays == 0) return timeText;
  if (split.seconds == 0) return dateText;
  return dateText + " " + timeText;
}

std::optional<double> ParseDateDeDe(const std::string& text) {
  std::optional<double> date;
  std::optional<double> time;
  std::size_t start = 0;
  while (start < text.size()) {
    if (text[start] == ' ' || text[start] == '\t') {
      ++start;
      continue;
    }
    std::size_t end = text.find_first_of(" \t", start);
    if (end == std::string::npos) end = text.size();
    const std::string token = text.substr(start, end - start);
    start = end;
    if (token.find(':') != std::string::npos) {
      if (time) return std::nullopt;
      time = ReadTimePart(token, 0);
      if (!time) return std::nullopt;
    } else {
      if (date) return std::nullopt;
      date =
          ReadDatePart(token, token.find('.') != std::string::npos ? '.' : '-', DayOrder::DayFirst);
      if (!date) return std::nullopt;
    }
  }
  if (!date && !time) return std::nullopt;
  return WithTime(date.value_or(0), time.value_or(0));
}

std::optional<double> DateSerial(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return static_cast<double>(DaysFromCivil(year, month, day) + 25569);
}

void DateParts(double date, int* year, int* month, int* day) {
  const SplitValue split = Split(date);
  *year = split.year;
  *month = split.month;
  *day = split.day;
}

}  // namespace common

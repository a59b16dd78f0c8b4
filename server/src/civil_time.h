#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace defserver {

// A wall-clock moment in the one time zone the definitions are published in, counted in seconds
// from 1 January 1970, 00:00:00. Publish dates carry no zone: the client shows them with a fixed
// zone label and compares them with what it stored, so converting them would only shift them.
using Seconds = std::int64_t;

struct CivilTime {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// False for a month or day that the calendar does not have (30 February) and for years outside
// 1900 to 9999, which keeps the stored text form fixed-width and so ordered as text.
bool IsValidDate(int year, int month, int day);
bool IsValidCivilTime(const CivilTime& time);

Seconds ToSeconds(const CivilTime& time);
CivilTime ToCivil(Seconds seconds);

// The stored form, "2006-03-16 16:15:00": fixed width, so text order is time order.
std::string FormatStored(Seconds seconds);
// Reads the stored form; "2006-03-16" alone is midnight. Anything else is nullopt.
std::optional<Seconds> ParseStored(std::string_view text);

// The form the client's date requests answer in: "3/16/2006 4:15:00 PM", midnight as
// "3/16/2006 12:00:00 AM".
std::string FormatClientDate(Seconds seconds);

// The machine's local time now, whole seconds.
Seconds LocalNow();

}  // namespace defserver

#pragma once

#include <optional>
#include <string>

namespace common {

// A date value (days since 30 December 1899, the time of day as the fraction) in the general
// date format of English (United States): "3/16/2006 9:05:07 AM"; midnight shows the date alone
// ("3/16/2006"), and a value within day 0 the time alone ("9:05:07 AM"). Times round to the
// nearest second.
std::string FormatDateEnUs(double date);

// Reads a date as English (United States) writes it: "3/16/2006", "3/16/2006 4:15:00 PM",
// "3/16/2006 16:15", a year-first "2006-03-16", or a time alone ("4:15 PM", which lies in day 0).
// Two-digit years 30 to 99 are 19xx, the others 20xx. nullopt when the text is no such date.
std::optional<double> ParseDateEnUs(const std::string& text);

// The same two for German (Germany): "16.03.2006 09:05:07" (24-hour clock, no AM/PM), midnight
// as the date alone, a value within day 0 as the time alone. Read: "16.03.2006", "16.3.06",
// "16.03.2006 16:15", "16:15:00".
std::string FormatDateDeDe(double date);
std::optional<double> ParseDateDeDe(const std::string& text);

// A day of the calendar and the date value of its midnight; nullopt for a day that does not
// exist (30 February) or a year outside 100 to 9999.
std::optional<double> DateSerial(int year, int month, int day);
// The calendar day of a date value (its time of day left out).
void DateParts(double date, int* year, int* month, int* day);

}  // namespace common

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

}  // namespace common

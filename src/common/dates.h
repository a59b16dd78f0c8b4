#pragma once

#include <string>

namespace common {

// A date value (days since 30 December 1899, the time of day as the fraction) in the general
// date format of English (United States): "3/16/2006 9:05:07 AM"; midnight shows the date alone
// ("3/16/2006"), and a value within day 0 the time alone ("9:05:07 AM"). Times round to the
// nearest second.
std::string FormatDateEnUs(double date);

}  // namespace common

#pragma once

#include <optional>
#include <string_view>

#include "civil_time.h"

namespace defserver {

// Where a client's definitions date may lie, as far as its text tells: from earliest to latest
// inclusive. A text without seconds leaves the seconds open; a text with the date alone is
// midnight exactly, because the client writes a midnight date without its time.
struct DateReading {
  Seconds earliest = 0;
  Seconds latest = 0;
  bool operator==(const DateReading&) const = default;
};

// The client sends its definitions date in its user's general date format, unescaped, so any
// locale's form can arrive: "3/16/2006", "3/16/2006 4:15:00 PM", "16.03.2006 16:15:00",
// "2006-03-16", "16/03/2006 16:15", "5/04/2006", "16-3-2006", "3/16/06".
//
// Dotted and dashed dates with the year last are day first. Slashed ones are month first, the
// form the server's own dates are written in, unless a number is written with a leading zero:
// the month-first form of the United States pads nothing, while the day-first locales that use
// slashes pad the month. When that reading makes no date the other one is taken. nullopt when
// the text is no date at all (or a year outside 1900 to 9999).
std::optional<DateReading> ParseClientDate(std::string_view text);

}  // namespace defserver

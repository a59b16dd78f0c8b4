#include <cmath>

#include "common/text.h"
#include "scan/scan_context.h"

namespace scan {

namespace {

// Removed from status lines, in this order (the list has "fuck" twice; the second pass finds
// nothing, as the first took every occurrence).
constexpr const char* kFilteredWords[] = {
    "fuck",   "shit",   "asshole", "cock",  "slut", "whore",   "blowjob", "anal",    "bastard",
    "fuck",   "fag",    "cum",     "pussy", "suck", "lesbian", "faggot",  "dick",    "bitch",
    "pecker", "nigger", "kike",    "kyke",  "cunt", "tits",    "titty",   "titties", "boob",
    "clit",   "spic",   "fart",    "piss",  "butt", "boner",   "racist",  "douche",  "beaver",
    "dike",   "jap",    "wop",     "sex",   "porn", "incest"};

}  // namespace

int Percent(double part, double whole) {
  if (whole == 0) return -1;
  const double value = std::nearbyint(part / whole * 100.0);
  if (!std::isfinite(value) || value < -32768.0 || value > 32767.0) return -1;
  return static_cast<int>(value);
}

std::string FilterStatusText(const std::string& text) {
  std::string filtered = text;
  for (const char* word : kFilteredWords) filtered = common::ReplaceAllNoCase(filtered, word, "");
  return filtered;
}

}  // namespace scan

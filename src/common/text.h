#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Letter case in the ANSI code page the program's text is kept in (Windows-1252 rules: the
// ASCII letters and the accented Latin letters change case, other bytes stay).
char UpperChar(char c);
char LowerChar(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// The text with its first character in upper case.
std::string UpperFirst(std::string text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// Position of the first occurrence of what at or after from, letter case ignored; npos if none.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);

// Every occurrence of what replaced, from left to right without re-reading the replacement, so
// "\\\\" with "\\" -> "\" becomes "\\". An empty what changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);
std::string ReplaceAllNoCase(std::string_view text, std::string_view what, std::string_view with);

// Blanks (spaces only, not tabs) removed from both ends.
std::string Trim(std::string_view text);

// A whole number in decimal digits, the separator put between each group of three from the
// right ("12,345" with ",").
std::string GroupDigits(long long value, std::string_view separator);
// The number a caption shows, read as Val reads one: the leading digits after blanks, 0 when
// there are none. Digits past a trillion are ignored.
long long LeadingNumber(std::string_view text);

// The pieces between separators. An empty text has no pieces; otherwise there is one more
// piece than separators, so "a|" gives "a" and "".
std::vector<std::string> Split(std::string_view text, std::string_view separator);
// Piece index of a split, or "" when there are not that many: a missing field reads as empty.
const std::string& Piece(const std::vector<std::string>& pieces, std::size_t index);

}  // namespace common

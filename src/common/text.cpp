#include "common/text.h"

namespace common {
namespace {

const std::string kEmpty;

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

char UpperChar(char c) {
  const unsigned char b = Byte(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
  switch (b) {
    case 0x9A:
      return static_cast<char>(0x8A);  // s caron
    case 0x9C:
      return static_cast<char>(0x8C);  // oe
    case 0x9E:
      return static_cast<char>(0x8E);  // z caron
    case 0xFF:
      return static_cast<char>(0x9F);  // y diaeresis
  }
  return c;
}

char LowerChar(char c) {
  const unsigned char b = Byte(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  switch (b) {
    case 0x8A:
      return static_cast<char>(0x9A);
    case 0x8C:
      return static_cast<char>(0x9C);
    case 0x8E:
      return static_cast<char>(0x9E);
    case 0x9F:
      return static_cast<char>(0xFF);
  }
  return c;
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperChar(c);
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerChar(c);
  return result;
}

std::string UpperFirst(std::string text) {
  if (!text.empty()) text[0] = UpperChar(text[0]);
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  if (what.empty()) return from <= text.size() ? from : std::string_view::npos;
  for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
    if (EqualsNoCase(text.substr(i, what.size()), what)) return i;
  }
  return std::string_view::npos;
}

namespace {

template <class Find>
std::string Replace(std::string_view text, std::string_view what, std::string_view with,
                    Find find) {
  if (what.empty()) return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = find(text, what, from); at != std::string_view::npos;
       at = find(text, what, from)) {
    result.append(text.substr(from, at - from));
    result.append(with);
    from = at + what.size();
  }
  result.append(text.substr(from));
  return result;
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
  return Replace(text, what, with, [](std::string_view t, std::string_view w, std::size_t from) {
    return t.find(w, from);
  });
}

std::string ReplaceAllNoCase(std::string_view text, std::string_view what, std::string_view with) {
  return Replace(text, what, with, [](std::string_view t, std::string_view w, std::size_t from) {
    return FindNoCase(t, w, from);
  });
}

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

long long LeadingNumber(std::string_view text) {
  long long number = 0;
  for (char c : Trim(text)) {
    if (c < '0' || c > '9' || number > 1000000000000LL) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, from)) {
    pieces.emplace_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  pieces.emplace_back(text.substr(from));
  return pieces;
}

const std::string& Piece(const std::vector<std::string>& pieces, std::size_t index) {
  return index < pieces.size() ? pieces[index] : kEmpty;
}

std::string GroupDigits(long long value, std::string_view separator) {
  // Through unsigned, so that the smallest number has a magnitude too.
  const unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
  const std::string digits = std::to_string(magnitude);
  std::string grouped = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace common

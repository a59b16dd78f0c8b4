#include "query.h"

#include <cctype>

namespace defserver {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view RawQuery(std::string_view target) {
  const size_t question = target.find('?');
  return question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
}

std::string DecodeQueryText(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::optional<std::map<std::string, std::string>> ParseQuery(std::string_view query) {
  std::map<std::string, std::string> parameters;
  while (!query.empty()) {
    const size_t ampersand = query.find('&');
    const std::string_view part = query.substr(0, ampersand);
    query = ampersand == std::string_view::npos ? std::string_view() : query.substr(ampersand + 1);
    if (part.empty()) continue;
    const size_t equals = part.find('=');
    std::string name = DecodeQueryText(part.substr(0, equals));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.empty()) return std::nullopt;
    std::string value =
        equals == std::string_view::npos ? std::string() : DecodeQueryText(part.substr(equals + 1));
    if (!parameters.emplace(std::move(name), std::move(value)).second) return std::nullopt;
  }
  return parameters;
}

}  // namespace defserver

#include "entry_rules.h"

#include <algorithm>

namespace defserver {

namespace {

constexpr size_t kMaxEntryLength = 1024;

// Characters an entry cannot hold, and why.
std::optional<std::string> ForbiddenCharacter(unsigned char c) {
  if (c < 32 || c == 127) return "a control character";
  switch (c) {
    case 191:
    case 201:
    case 204:
    case 255:
      // Stored as codes that a line of the client's file cannot keep (LF, CR) or that do not
      // decode back to themselves.
      return "character code " + std::to_string(c) + ", which has no stored form";
    case '<':
      return "\"<\", which is stored as \"|\", the separator of the update text";
    case 252:
      return "character code 252, which is stored as \"=\", a separator of the update text";
    case 223:
      return "character code 223, which is stored as a blank that the client trims off records";
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> EntryProblem(Kind kind, std::string_view text) {
  if (text.size() > kMaxEntryLength) {
    return "longer than " + std::to_string(kMaxEntryLength) + " characters";
  }
  for (char c : text) {
    if (std::optional<std::string> problem = ForbiddenCharacter(static_cast<unsigned char>(c))) {
      return "holds " + *problem;
    }
  }
  if (ClientKey(text).empty()) return "has no name before its first \"=\"";
  if (kind == Kind::kRegistry) {
    const std::optional<RegistryParts> parts = SplitRegistryEntry(text);
    if (!parts || parts->definition.empty()) {
      return "is no registry entry of the form hive^key^value=threat name|type";
    }
  }
  if (kind == Kind::kSafety) {
    const size_t bar = text.find('|');
    const std::string_view type = text.substr(0, bar);
    // The client files every record whose type word holds an "S" as a protected location.
    const bool letters = std::all_of(type.begin(), type.end(), [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    if (bar == std::string_view::npos || !letters ||
        type.find_first_of("sS") == std::string_view::npos) {
      return "has no type word with an \"S\" before its first \"|\" (SDIR, SFILE, ...)";
    }
  }
  return std::nullopt;
}

std::optional<RegistryParts> SplitRegistryEntry(std::string_view text) {
  const size_t bar = text.find('|');
  const std::string_view first = text.substr(0, bar);
  const size_t equals = first.rfind('=');
  if (equals == std::string_view::npos) return std::nullopt;
  RegistryParts parts;
  parts.definition = std::string(first.substr(0, equals));
  parts.threat = std::string(first.substr(equals + 1));
  if (bar != std::string_view::npos) parts.extra = std::string(text.substr(bar + 1));
  return parts;
}

std::string RegistryLocation(const RegistryParts& parts) {
  std::string location = parts.definition;
  if (!location.empty() && location.back() == '^') location.pop_back();
  return location;
}

std::string AddedLine(Kind kind, std::string_view text) {
  if (kind != Kind::kRegistry) return std::string(text);
  const std::optional<RegistryParts> parts = SplitRegistryEntry(text);
  if (!parts) return std::string(text);
  return RegistryLocation(*parts) + "^=" + parts->threat + "|" + parts->extra;
}

std::string ClientKey(std::string_view line) {
  return LowerAnsi(line.substr(0, line.find('=')));
}

std::vector<std::string> ClientKeys(Kind kind, std::string_view text) {
  std::vector<std::string> keys = {ClientKey(text)};
  std::string added = ClientKey(AddedLine(kind, text));
  if (added != keys.front()) keys.push_back(std::move(added));
  return keys;
}

std::string LowerAnsi(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    const unsigned char code = static_cast<unsigned char>(c);
    if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) {
      c = static_cast<char>(code + 0x20);
    } else if (code == 0x8A || code == 0x8C || code == 0x8E) {  // S, OE, Z with caron
      c = static_cast<char>(code + 0x10);
    } else if (code == 0x9F) {  // Y with diaeresis
      c = static_cast<char>(0xFF);
    }
  }
  return lower;
}

}  // namespace defserver

#include "update_records.h"

#include "definitions/line_codec.h"
#include "entry_rules.h"

namespace defserver {

namespace {

using definitions::ScrambleText;

std::string ScrambleKeepingSeparators(std::string_view text) {
  std::string sent = ScrambleText(text);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '|' || text[i] == '=') sent[i] = text[i];
  }
  return sent;
}

std::string_view SafetyTypeWord(std::string_view entry) {
  return entry.substr(0, entry.find('|'));
}

std::string AddedEntry(Kind kind, std::string_view entry) {
  switch (kind) {
    case Kind::kFile:
    case Kind::kExecutable:
    case Kind::kDirectory:
      return ScrambleKeepingSeparators(entry);
    case Kind::kSafety: {
      // The client writes the type word and its "|" itself, from the record's header.
      const size_t bar = entry.find('|');
      return ScrambleKeepingSeparators(bar == std::string_view::npos ? std::string_view()
                                                                     : entry.substr(bar + 1));
    }
    case Kind::kCookie:
      return ScrambleText(entry);
    case Kind::kRegistry: {
      // Read by the client as name=threat|location|extra; it writes location, "^=", threat,
      // "|", extra and drops the name. The name is the entry's own key, which no deletion in
      // the same update can carry, so it never cancels one.
      const std::optional<RegistryParts> parts = SplitRegistryEntry(entry);
      if (!parts) return ScrambleText(entry);
      return ScrambleText(entry.substr(0, entry.find('='))) + "=" + ScrambleText(parts->threat) +
             "|" + ScrambleText(RegistryLocation(*parts)) + "|" + ScrambleText(parts->extra);
    }
  }
  return std::string();
}

}  // namespace

Record AddRecord(Kind kind, std::string_view entry) {
  Record record;
  record.operation = Operation::kAdd;
  record.kind = kind;
  record.typeWord = kind == Kind::kSafety ? SafetyTypeWord(entry) : TypeWord(kind);
  record.text = std::string(entry);
  return record;
}

Record DeleteRecord(Kind kind, std::string_view key, std::string_view entry) {
  Record record;
  record.operation = Operation::kDelete;
  record.kind = kind;
  record.typeWord = kind == Kind::kSafety ? SafetyTypeWord(entry) : TypeWord(kind);
  record.text = std::string(key);
  return record;
}

std::string EncodeRecord(const Record& record) {
  std::string sent = ScrambleText(record.typeWord);
  if (record.operation == Operation::kAdd) {
    sent += "|ADD[DEF]";
    sent += AddedEntry(record.kind, record.text);
  } else {
    // Without "=" the whole text is the key; nothing in it may read as a separator.
    sent += "|DEL[DEF]";
    sent += ScrambleText(record.text);
  }
  sent += "[BR]";
  return sent;
}

std::string EncodeUpdate(const std::vector<Record>& records) {
  std::string text;
  for (const Record& record : records) text += EncodeRecord(record);
  return text;
}

}  // namespace defserver

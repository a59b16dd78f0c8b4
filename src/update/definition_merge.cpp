#include "update/definition_merge.h"

#include <iterator>
#include <unordered_map>
#include <unordered_set>

#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/line_codec.h"

namespace update {
namespace {

constexpr const char* kSafetyFile = "Safety.dat";

// The six target files in the order the merge walks them.
constexpr const char* kTargets[] = {
    definitions::kFileDefinitionFile,      definitions::kExeDefinitionFile,
    definitions::kRegistryDefinitionFile,  definitions::kBlockedCookiesFile,
    definitions::kDirectoryDefinitionFile, kSafetyFile};
enum Target { kFile = 0, kExe, kRegistry, kCookies, kDirectory, kSafety };

bool BelongsTo(int target, const std::string& type) {
  switch (target) {
    case kFile:
      return type == "FILE" || type == "EXE" || type == "DLL";
    case kExe:
      return type == "EXE";
    case kRegistry:
      return type == "REG";
    case kCookies:
      return type == "COOK";
    case kDirectory:
      return type == "DIR";
    default:
      return type.find_first_of("Ss") != std::string::npos;
  }
}

// The entry as the file and folder definitions store it: its plain "|" and "=" scrambled too.
std::string StoredEntry(const std::string& entry) {
  static const std::string bar = definitions::ScrambleText("|");
  static const std::string equals = definitions::ScrambleText("=");
  return common::ReplaceAll(common::ReplaceAll(entry, "|", bar), "=", equals);
}

std::string AddedLine(int target, const UpdateRecord& record) {
  switch (target) {
    case kRegistry: {
      // "name=threat|location|extra" becomes "location^=threat|extra"; the name is not kept.
      const auto pieces = common::Split(record.entry, "|");
      const auto names = common::Split(common::Piece(pieces, 0), "=");
      return common::Piece(pieces, 1) + definitions::ScrambleText("^=") + common::Piece(names, 1) +
             definitions::ScrambleText("|") + common::Piece(pieces, 2);
    }
    case kCookies:
      return record.entry;
    case kSafety:
      return definitions::ScrambleText(record.type + "|") + StoredEntry(record.entry);
    default:
      return StoredEntry(record.entry);
  }
}

// A definition's key: its decoded text before the first "=", in lower case.
std::string KeyOf(const std::string& decoded) {
  return common::LowerCase(decoded.substr(0, decoded.find('=')));
}

std::string DecodedLower(const std::string& sent) {
  return common::LowerCase(definitions::DecodeDefinitionLine(sent));
}

bool IsBlank(const std::string& line) {
  return common::Trim(line).empty();
}

bool IsRecordSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string TrimRecord(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsRecordSpace(text[begin])) ++begin;
  while (end > begin && IsRecordSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::optional<std::vector<UpdateRecord>> ParseUpdateText(const std::string& text) {
  std::vector<UpdateRecord> records;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = common::FindNoCase(text, "[BR]", start);
    if (end == std::string::npos) end = text.size();
    // Line breaks between records are no part of them.
    const std::string piece = TrimRecord(text.substr(start, end - start));
    start = end + 4;
    if (piece.empty()) continue;
    const std::size_t def = piece.find("[DEF]");
    if (def == std::string::npos) return std::nullopt;
    const std::string header = piece.substr(0, def);
    const std::size_t bar = header.find('|');
    if (bar == std::string::npos) return std::nullopt;
    UpdateRecord record;
    record.type = definitions::DecodeDefinitionLine(header.substr(0, bar));
    record.operation = header.substr(bar + 1);
    record.entry = piece.substr(def + 5);
    records.push_back(std::move(record));
  }
  return records;
}

void DefinitionMerge::Status(const std::string& text) {
  if (observer_.showStatus) observer_.showStatus(text);
}

void DefinitionMerge::LetEventsRun() {
  if (observer_.letEventsRun) observer_.letEventsRun();
}

std::string DefinitionMerge::MergeInto(int target, const std::string& oldContent,
                                       const std::vector<UpdateRecord>& records,
                                       std::int32_t* changes, bool* changed) {
  std::string content = oldContent;
  // A last line without its ending would swallow the first line added.
  if (!content.empty() && content.back() != '\n') content += "\r\n";
  // Pending deletions: the entry as received, decoded in lower case, with the key it removes. A
  // hash map keeps both the cancellation and the rewrite linear in the size of the file.
  std::unordered_map<std::string, std::string> pending;
  for (const UpdateRecord& record : records) {
    if (!BelongsTo(target, record.type)) continue;
    if (record.operation == "ADD") {
      content += AddedLine(target, record) + "\r\n";
      ++*changes;
      *changed = true;
      // Adding a definition again takes back its deletion earlier in the same update. Letter
      // case is compared on the decoded text: the stored form of a letter has no case.
      const std::size_t equals = record.entry.find('=');
      if (equals != std::string::npos) {
        pending.erase(DecodedLower(record.entry.substr(0, equals)));
      }
    } else if (record.operation == "DEL") {
      const std::string& entry = record.entry;
      pending.emplace(DecodedLower(entry),
                      KeyOf(definitions::DecodeDefinitionLine(entry.substr(0, entry.find('=')))));
    }
  }
  Status("Applying new updates...");
  LetEventsRun();
  if (pending.empty()) return content;

  ++*changes;
  *changed = true;
  std::unordered_set<std::string> deletedKeys;
  for (const auto& [entry, key] : pending) deletedKeys.insert(key);
  std::string kept;
  kept.reserve(content.size());
  std::int64_t count = 0;
  for (const std::string& line : common::SplitLines(content)) {
    if (++count % 100 == 0) {
      Status("Removing outdated definitions: checking entry " + std::to_string(count));
      LetEventsRun();
    }
    if (IsBlank(line)) continue;
    if (deletedKeys.count(KeyOf(definitions::DecodeDefinitionLine(line))) != 0) continue;
    kept += line;
    kept += "\r\n";
  }
  return kept;
}

MergeResult DefinitionMerge::MergeDefinitionUpdate(const std::string& updateText) {
  MergeResult result;
  if (updateText.size() > kMaxUpdateTextBytes) return result;
  const auto records = ParseUpdateText(updateText);
  if (!records) return result;
  // Nothing to merge (a failed download reads as no text): the files stay as they are.
  if (records->empty()) {
    result.complete = true;
    return result;
  }

  result.complete = true;
  const std::string temp = definitions::DataFilePath(dataFolder_, definitions::kTempFile);
  for (int target = 0; target < static_cast<int>(std::size(kTargets)); ++target) {
    const std::string path = definitions::DataFilePath(dataFolder_, kTargets[target]);
    const std::optional<std::string> old = files_.ReadAll(path);
    if (!old && files_.GetAttributes(path)) {
      // There but unreadable (locked): rewriting it from nothing would lose its definitions.
      result.complete = false;
      continue;
    }
    std::int32_t changes = 0;
    bool changed = false;
    const std::string content = MergeInto(target, old.value_or(""), *records, &changes, &changed);
    if (!changed) {
      // Every target file exists after a merge, as appending to it would have made it.
      if (!old && !files_.WriteAll(path, "")) result.complete = false;
      continue;
    }
    // The new file is written whole beside the old one (temp.dat starts empty every time) and
    // then takes its place in one step.
    if (files_.WriteAll(temp, content) && files_.ReplaceFile(temp, path)) {
      result.changes += changes;
    } else {
      files_.DeleteFile(temp);
      result.complete = false;
    }
  }
  return result;
}

}  // namespace update

#include "removal/quarantine_index.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/hives.h"
#include "removal/quarantine.h"

namespace removal {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kItemTag = "ITEM";
constexpr const char* kStateTag = "STATE";
constexpr std::size_t kItemFields = 11;
constexpr std::size_t kStateFields = 4;
// Registry backups are numbered; a quarantine never holds this many.
constexpr int kMaxRegistryFiles = 100000;

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '\t':
        out += "%09";
        break;
      case '\r':
        out += "%0D";
        break;
      case '\n':
        out += "%0A";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      return std::nullopt;
    }
    out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return out;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string DateNumber(double date) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", date);
  return text;
}

std::optional<double> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return value;
}

std::optional<long> ParseId(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return std::stol(text);
}

std::optional<ItemState> StateFromName(const std::string& name) {
  for (ItemState state : {ItemState::Quarantined, ItemState::Restored, ItemState::Purged}) {
    if (StateName(state) == name) return state;
  }
  return std::nullopt;
}

// What identifies a removal in both records. A file's stored name is enough: the quarantine
// never gives a name to a copy while an entry of that name is there, so a log record naming the
// stored copy of an index item is that item's own record, or one whose copy is gone (even when
// a crash tore its location line).
std::string MatchKey(const QuarantineEntry& entry) {
  const bool registry =
      entry.kind == ItemKind::RegistryValue || entry.kind == ItemKind::RegistryKey;
  const std::string value = entry.kind == ItemKind::RegistryKey ? "All Values" : entry.value;
  return common::LowerCase(registry ? "R\t" + entry.location + "\t" + value : "F\t" + entry.stored);
}

// A whole key's record names its hive by number; the index by name.
std::string HiveNamed(const std::string& keyText) {
  const std::size_t separator = keyText.find('\\');
  if (separator == std::string::npos) return keyText;
  const auto hive = definitions::ParseHiveNumber(keyText.substr(0, separator));
  if (!hive) return keyText;
  const std::string name = definitions::HiveNameFromHandle(*hive);
  return name.empty() ? keyText : name + keyText.substr(separator);
}

}  // namespace

std::string KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::File:
      return "File";
    case ItemKind::Folder:
      return "Folder";
    case ItemKind::Cookie:
      return "Cookie";
    case ItemKind::RegistryValue:
      return "RegistryValue";
    case ItemKind::RegistryKey:
      return "RegistryKey";
  }
  return "";
}

std::optional<ItemKind> KindFromName(const std::string& name) {
  for (ItemKind kind : {ItemKind::File, ItemKind::Folder, ItemKind::Cookie, ItemKind::RegistryValue,
                        ItemKind::RegistryKey}) {
    if (KindName(kind) == name) return kind;
  }
  return std::nullopt;
}

std::string StateName(ItemState state) {
  switch (state) {
    case ItemState::Quarantined:
      return "Quarantined";
    case ItemState::Restored:
      return "Restored";
    case ItemState::Purged:
      return "Purged";
  }
  return "";
}

QuarantineIndex::QuarantineIndex(platform::Machine& machine, const Quarantine& quarantine)
    : machine_(machine), quarantine_(quarantine) {}

std::string QuarantineIndex::Path() const {
  return common::JoinPath(quarantine_.Folder(), kFileName);
}

std::vector<QuarantineEntry> QuarantineIndex::ReadIndex(long* highestId) {
  *highestId = 0;
  std::vector<QuarantineEntry> entries;
  std::map<std::string, std::size_t> byId;
  const auto text = machine_.files.ReadAll(Path());
  if (!text) return entries;
  for (const std::string& line : Lines(*text)) {
    std::vector<std::string> fields = SplitFields(line);
    bool readable = true;
    for (std::string& field : fields) {
      const auto plain = Unescape(field);
      if (!plain)
        readable = false;
      else
        field = *plain;
    }
    if (!readable) continue;
    if (fields.size() == kItemFields && fields[0] == kItemTag) {
      const auto id = ParseId(fields[1]);
      const auto when = ParseNumber(fields[2]);
      const auto kind = KindFromName(fields[4]);
      if (!id || !when || !kind || byId.count(fields[1]) != 0 ||
          (fields[10] != "0" && fields[10] != "1")) {
        continue;
      }
      QuarantineEntry entry;
      entry.id = fields[1];
      entry.when = *when;
      entry.whenText = fields[3];
      entry.kind = *kind;
      entry.threat = fields[5];
      entry.location = fields[6];
      entry.value = fields[7];
      entry.stored = fields[8];
      entry.registryFile = fields[9];
      entry.fromLog = fields[10] == "1";
      if (entry.location.empty()) continue;
      *highestId = std::max(*highestId, *id);
      byId[entry.id] = entries.size();
      entries.push_back(std::move(entry));
    } else if (fields.size() == kStateFields && fields[0] == kStateTag) {
      const auto found = byId.find(fields[1]);
      const auto state = StateFromName(fields[3]);
      if (found == byId.end() || !state || !ParseNumber(fields[2])) continue;
      entries[found->second].state = *state;
    }
  }
  return entries;
}

std::vector<QuarantineEntry> QuarantineIndex::ReadLog() {
  std::vector<QuarantineEntry> entries;
  const auto text = machine_.files.ReadAll(quarantine_.LogPath());
  if (!text) return entries;
  const std::vector<std::string> lines = Lines(*text);
  constexpr const char* kFileMark = " - File: ";
  constexpr const char* kKeyMark = " - Key: ";
  constexpr const char* kLocationMark = " - Location: ";
  constexpr const char* kValueMark = "Value: ";
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& first = lines[i];
    const std::string& second = lines[i + 1];
    QuarantineEntry entry;
    entry.fromLog = true;
    std::size_t mark = std::string::npos;
    if ((mark = first.find(kFileMark)) != std::string::npos &&
        second.rfind(kLocationMark, 0) == 0) {
      entry.stored = first.substr(mark + std::string(kFileMark).size());
      entry.location = second.substr(std::string(kLocationMark).size());
      entry.kind = ItemKind::File;
    } else if ((mark = first.find(kKeyMark)) != std::string::npos &&
               second.rfind(kValueMark, 0) == 0) {
      const std::string keyText = first.substr(mark + std::string(kKeyMark).size());
      const std::string valueText = second.substr(std::string(kValueMark).size());
      // Only a whole key's record names its hive by number.
      const bool wholeKey =
          valueText == "All Values" &&
          definitions::ParseHiveNumber(keyText.substr(0, keyText.find('\\'))).has_value();
      entry.kind = wholeKey ? ItemKind::RegistryKey : ItemKind::RegistryValue;
      entry.location = HiveNamed(keyText);
      entry.value = wholeKey ? "" : valueText;
    } else {
      continue;
    }
    if (entry.location.empty()) continue;
    entry.whenText = first.substr(0, mark);
    entry.when = machine_.clock.ParseDate(entry.whenText).value_or(0);
    entries.push_back(std::move(entry));
    ++i;
  }
  return entries;
}

std::vector<QuarantineEntry> QuarantineIndex::List() {
  long highestId = 0;
  std::vector<QuarantineEntry> entries = ReadIndex(&highestId);
  highestId_ = highestId;
  std::set<std::string> known;
  for (const QuarantineEntry& entry : entries) {
    known.insert(MatchKey(entry));
    if (entry.kind == ItemKind::RegistryKey) {
      // A key entry's removal also records its default value, which the key's data holds.
      QuarantineEntry defaultValue = entry;
      defaultValue.kind = ItemKind::RegistryValue;
      defaultValue.value.clear();
      known.insert(MatchKey(defaultValue));
    }
  }
  for (QuarantineEntry& entry : ReadLog()) {
    if (known.count(MatchKey(entry)) != 0) continue;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string QuarantineIndex::Add(QuarantineEntry entry) {
  if (!highestId_) {
    long highestId = 0;
    ReadIndex(&highestId);
    highestId_ = highestId;
  }
  entry.id = std::to_string(*highestId_ + 1);
  if (entry.whenText.empty()) {
    entry.when = machine_.clock.Now();
    entry.whenText = machine_.clock.FormatDate(entry.when);
  }
  const std::vector<std::string> fields = {kItemTag,
                                           entry.id,
                                           DateNumber(entry.when),
                                           entry.whenText,
                                           KindName(entry.kind),
                                           entry.threat,
                                           entry.location,
                                           entry.value,
                                           entry.stored,
                                           entry.registryFile,
                                           entry.fromLog ? "1" : "0"};
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + Escape(field);
  if (!AppendLine(line)) return "";
  highestId_ = *highestId_ + 1;
  // A state of its own when it enters as anything but quarantined (a log item being restored).
  if (entry.state != ItemState::Quarantined && !SetState(entry.id, entry.state)) return "";
  return entry.id;
}

bool QuarantineIndex::SetState(const std::string& id, ItemState state) {
  const std::string line = std::string(kStateTag) + "\t" + Escape(id) + "\t" +
                           DateNumber(machine_.clock.Now()) + "\t" + StateName(state);
  return AppendLine(line);
}

bool QuarantineIndex::AppendLine(const std::string& line) {
  platform::Files& files = machine_.files;
  // A line torn by a crash must not swallow the next one: it is ended first, and skipped as
  // damaged when read. An index whose size is where this program's last whole line ended needs
  // no look, its last byte being that line's end; any other size (another writer, a crash
  // before this start, an append that failed) has the last byte read.
  std::string text = line + kCrLf;
  const auto size = files.FileSize(Path());
  const bool endsInOwnLine = size && ownLinesEnd_ == *size;
  if (size && *size > 0 && !endsInOwnLine &&
      files.ReadAt(Path(), *size - 1, 1).value_or("\n") != "\n") {
    text = kCrLf + text;
  }
  const bool appended = static_cast<bool>(files.Append(Path(), text));
  ownLinesEnd_ =
      appended ? std::optional<std::uint64_t>(size.value_or(0) + text.size()) : std::nullopt;
  return appended;
}

std::optional<std::string> QuarantineIndex::SaveRegistryData(const std::string& regText) {
  for (int number = lastRegistryFile_ + 1; number <= kMaxRegistryFiles; ++number) {
    const std::string name = "Registry " + std::to_string(number) + ".reg";
    const std::string path = common::JoinPath(quarantine_.Folder(), name);
    if (machine_.files.GetAttributes(path).has_value()) continue;
    lastRegistryFile_ = number;
    if (machine_.files.WriteAll(path, regText)) return name;
    // A part of the data is no backup; it must not be taken for one later.
    machine_.files.DeleteFile(path);
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace removal

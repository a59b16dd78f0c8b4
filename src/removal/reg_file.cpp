#include "removal/reg_file.h"

#include <cstdio>
#include <vector>

#include "common/text.h"
#include "definitions/hives.h"

namespace removal {
namespace {

constexpr const char* kCrLf = "\r\n";
// The editor keeps hex lines, with the "\" that continues them, within 80 columns.
constexpr std::size_t kHexLineWidth = 80;

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string NamePart(const std::string& name) {
  return name.empty() ? "@" : Quoted(name);
}

// The string is given back exactly by its quoted form.
bool PlainString(const std::vector<std::uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

std::string HexPart(std::string line, const std::vector<std::uint8_t>& data) {
  std::string text;
  char hex[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (line.size() + 4 > kHexLineWidth) {
      text += line + "\\" + kCrLf;
      line = "  ";
    }
    std::snprintf(hex, sizeof hex, "%02x", data[i]);
    line += hex;
    if (i + 1 < data.size()) line += ',';
  }
  return text + line;
}

std::string ValueLine(const std::string& name, std::uint32_t type,
                      const std::vector<std::uint8_t>& data) {
  const std::string start = NamePart(name) + "=";
  if (type == platform::kRegSz && PlainString(data)) {
    return start + Quoted(std::string(data.begin(), data.end() - 1));
  }
  if (type == platform::kRegDword && data.size() == 4) {
    const std::uint32_t value =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", value);
    return start + text;
  }
  if (type == platform::kRegBinary) return HexPart(start + "hex:", data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
  return HexPart(start + prefix, data);
}

// A line break in a name has no spelling in the file; such data cannot be kept.
bool Writable(const std::string& name) {
  return name.find_first_of("\r\n") == std::string::npos;
}

bool ReadValueLine(platform::Registry& registry, platform::RegKey key, const std::string& name,
                   std::string* text) {
  if (!Writable(name)) return false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (registry.QueryValue(key, name, &type, &data) != platform::kErrorSuccess) return false;
  *text += ValueLine(name, type, data) + kCrLf;
  return true;
}

bool ExportTree(platform::Registry& registry, platform::RegKey parent, const std::string& path,
                const std::string& shownPath, std::string* text) {
  const platform::ScopedKey key = platform::OpenScopedKey(
      registry, parent, path, platform::kKeyQueryValue | platform::kKeyEnumerateSubKeys);
  if (!key.IsOpen()) return false;
  *text += "[" + shownPath + "]" + kCrLf;
  std::string name;
  for (std::uint32_t index = 0;
       registry.EnumValue(key.Get(), index, &name) == platform::kErrorSuccess; ++index) {
    if (!ReadValueLine(registry, key.Get(), name, text)) return false;
  }
  *text += kCrLf;
  // Names first: the tree is read, not changed, but a key is only walked once it is listed.
  std::vector<std::string> children;
  for (std::uint32_t index = 0;
       registry.EnumKey(key.Get(), index, &name) == platform::kErrorSuccess; ++index) {
    children.push_back(name);
  }
  for (const std::string& child : children) {
    if (!Writable(child) || !ExportTree(registry, key.Get(), child, shownPath + "\\" + child, text))
      return false;
  }
  return true;
}

std::string Header() {
  return std::string(kRegFileHeader) + kCrLf + kCrLf;
}

// Reads a quoted text at text[*pos] (the opening quote), undoing the escapes.
bool ReadQuoted(const std::string& text, std::size_t* pos, std::string* out) {
  if (*pos >= text.size() || text[*pos] != '"') return false;
  out->clear();
  for (std::size_t i = *pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      *pos = i + 1;
      return true;
    }
    if (c == '\\') {
      if (++i >= text.size()) return false;
      *out += text[i];
    } else {
      *out += c;
    }
  }
  return false;
}

bool ReadHexBytes(const std::string& text, std::vector<std::uint8_t>* data) {
  data->clear();
  std::string digits;
  auto flush = [&]() {
    if (digits.empty()) return true;
    if (digits.size() > 2) return false;
    data->push_back(static_cast<std::uint8_t>(std::stoul(digits, nullptr, 16)));
    digits.clear();
    return true;
  };
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c))) {
      digits += c;
    } else if (c == ',') {
      if (digits.empty() || !flush()) return false;
    } else if (c != ' ' && c != '\t') {
      return false;
    }
  }
  return flush();
}

bool ReadData(const std::string& text, std::uint32_t* type, std::vector<std::uint8_t>* data) {
  if (!text.empty() && text[0] == '"') {
    std::size_t pos = 0;
    std::string value;
    if (!ReadQuoted(text, &pos, &value) || !common::Trim(text.substr(pos)).empty()) return false;
    *type = platform::kRegSz;
    data->assign(value.begin(), value.end());
    data->push_back(0);
    return true;
  }
  const std::string lower = common::LowerCase(text);
  if (lower.rfind("dword:", 0) == 0) {
    const std::string digits = common::Trim(text.substr(6));
    if (digits.empty() || digits.size() > 8) return false;
    for (char c : digits) {
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    const std::uint32_t value = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
    *type = platform::kRegDword;
    *data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return true;
  }
  if (lower.rfind("hex:", 0) == 0) {
    *type = platform::kRegBinary;
    return ReadHexBytes(text.substr(4), data);
  }
  if (lower.rfind("hex(", 0) == 0) {
    const std::size_t close = lower.find("):");
    if (close == std::string::npos || close == 4 || close > 12) return false;
    const std::string digits = lower.substr(4, close - 4);
    for (char c : digits) {
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    *type = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
    return ReadHexBytes(text.substr(close + 2), data);
  }
  return false;
}

// The file's lines with the continuations of hex data joined.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string pending;
  bool continuing = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (continuing) {
      std::size_t first = line.find_first_not_of(" \t");
      line = first == std::string::npos ? "" : line.substr(first);
    }
    pending += line;
    const std::string trimmed = common::Trim(pending);
    continuing = !trimmed.empty() && trimmed.back() == '\\' && trimmed[0] != '[';
    if (continuing) {
      pending = trimmed.substr(0, trimmed.size() - 1);
      if (start > text.size()) lines.push_back(pending);
      continue;
    }
    lines.push_back(pending);
    pending.clear();
  }
  return lines;
}

struct KeyName {
  platform::RegKey hive = 0;
  std::string path;
};

std::optional<KeyName> SplitKeyName(const std::string& text) {
  const std::size_t separator = text.find('\\');
  const auto hive = HiveFromName(text.substr(0, separator));
  if (!hive) return std::nullopt;
  return KeyName{*hive, separator == std::string::npos ? "" : text.substr(separator + 1)};
}

}  // namespace

std::optional<platform::RegKey> HiveFromName(const std::string& name) {
  for (int code = 0; code <= 5; ++code) {
    const auto hive = definitions::HiveFromCode(code);
    if (hive && common::LowerCase(name) == common::LowerCase(hive->name)) return hive->handle;
  }
  return std::nullopt;
}

std::optional<std::string> ExportRegistryKey(platform::Registry& registry, platform::RegKey hive,
                                             const std::string& key) {
  std::string text = Header();
  const std::string hiveName = definitions::HiveNameFromHandle(hive);
  if (hiveName.empty() || !Writable(key) ||
      !ExportTree(registry, hive, key, hiveName + "\\" + key, &text)) {
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> ExportRegistryValue(platform::Registry& registry, platform::RegKey hive,
                                               const std::string& key, const std::string& name) {
  const std::string hiveName = definitions::HiveNameFromHandle(hive);
  if (hiveName.empty()) return std::nullopt;
  const platform::ScopedKey opened =
      platform::OpenScopedKey(registry, hive, key, platform::kKeyQueryValue);
  if (!opened.IsOpen()) return std::nullopt;
  std::string text = Header() + "[" + hiveName + "\\" + key + "]" + kCrLf;
  if (!ReadValueLine(registry, opened.Get(), name, &text)) return std::nullopt;
  return text + kCrLf;
}

bool ImportRegFile(platform::Registry& registry, const std::string& text) {
  const std::vector<std::string> lines = LogicalLines(text);
  std::size_t index = 0;
  while (index < lines.size() && common::Trim(lines[index]).empty()) ++index;
  if (index == lines.size() || common::Trim(lines[index]) != kRegFileHeader) return false;
  bool allApplied = true;
  platform::ScopedKey key;
  bool inKey = false;  // values after a header that failed are skipped, not written elsewhere
  for (++index; index < lines.size(); ++index) {
    const std::string line = common::Trim(lines[index]);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      key.Close();
      inKey = false;
      if (line.back() != ']') {
        allApplied = false;
        continue;
      }
      const bool remove = line.size() > 1 && line[1] == '-';
      const auto name = SplitKeyName(line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2)));
      if (!name || name->path.empty()) {
        allApplied = false;
        continue;
      }
      if (remove) {
        const long error = registry.DeleteTree(name->hive, name->path);
        if (error != platform::kErrorSuccess && error != platform::kErrorFileNotFound) {
          allApplied = false;
        }
        continue;
      }
      platform::RegKey handle = 0;
      if (registry.CreateKey(name->hive, name->path, &handle) != platform::kErrorSuccess) {
        allApplied = false;
        continue;
      }
      key = platform::ScopedKey(registry, handle);
      inKey = true;
      continue;
    }
    std::string name;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, &pos, &name)) {
      allApplied = false;
      continue;
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (!inKey || pos >= line.size() || line[pos] != '=') {
      allApplied = false;
      continue;
    }
    const std::string data = common::Trim(line.substr(pos + 1));
    if (data == "-") {
      const long error = registry.DeleteValue(key.Get(), name);
      if (error != platform::kErrorSuccess && error != platform::kErrorFileNotFound) {
        allApplied = false;
      }
      continue;
    }
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    if (!ReadData(data, &type, &bytes) ||
        registry.SetValue(key.Get(), name, type, bytes) != platform::kErrorSuccess) {
      allApplied = false;
    }
  }
  return allApplied;
}

}  // namespace removal

#include "fake_client.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "definitions/line_codec.h"

namespace defserver::testing {

namespace {

using definitions::DecodeDefinitionLine;
using definitions::ScrambleText;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos;
       start = at + separator.size()) {
    pieces.emplace_back(text.substr(start, at - start));
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string Trim(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ScrambleSeparators(std::string entry) {
  std::string out;
  for (char c : entry)
    out += c == '|' || c == '=' ? ScrambleText(std::string(1, c)) : std::string(1, c);
  return out;
}

struct Target {
  std::string file;
  std::function<bool(const std::string&)> takes;
  std::function<std::string(const std::string& type, const std::string& entry)> line;
};

std::string Piece(const std::vector<std::string>& pieces, size_t index) {
  return index < pieces.size() ? pieces[index] : "";
}

}  // namespace

void FakeClient::Install(const std::map<std::string, std::vector<std::string>>& plainFiles) {
  for (const auto& [file, lines] : plainFiles) {
    for (const std::string& line : lines) stored_[file].push_back(ScrambleText(line));
  }
}

int FakeClient::Merge(std::string_view update) {
  // Records split at "[BR]" in any case, trimmed, empty ones skipped.
  std::string lowered = Lower(std::string(update));
  std::vector<std::string> records;
  size_t start = 0;
  for (size_t at; (at = lowered.find("[br]", start)) != std::string::npos; start = at + 4) {
    records.push_back(Trim(std::string(update.substr(start, at - start))));
  }
  records.push_back(Trim(std::string(update.substr(start))));

  const auto exact = [](std::vector<std::string> words) {
    return [words](const std::string& type) {
      return std::find(words.begin(), words.end(), type) != words.end();
    };
  };
  const auto fileLine = [](const std::string&, const std::string& entry) {
    return ScrambleSeparators(entry);
  };
  const std::vector<Target> targets = {
      {"FileDefinition.dat", exact({"FILE", "EXE", "DLL"}), fileLine},
      {"ExeDefinition.dat", exact({"EXE"}), fileLine},
      {"RegistryDefinition.dat", exact({"REG"}),
       [](const std::string&, const std::string& entry) {
         const std::vector<std::string> pieces = Split(entry, "|");
         const std::string threat = Piece(Split(Piece(pieces, 0), "="), 1);
         return Piece(pieces, 1) + ScrambleText("^=") + threat + ScrambleText("|") +
                Piece(pieces, 2);
       }},
      {"BlockedCookies.dat", exact({"COOK"}),
       [](const std::string&, const std::string& entry) { return entry; }},
      {"DirectoryDefinition.dat", exact({"DIR"}), fileLine},
      {"Safety.dat",
       [](const std::string& type) { return type.find_first_of("sS") != std::string::npos; },
       [](const std::string& type, const std::string& entry) {
         return ScrambleText(type + "|") + ScrambleSeparators(entry);
       }},
  };

  int changes = 0;
  for (const Target& target : targets) {
    std::vector<std::string>& lines = stored_[target.file];
    std::vector<std::string> pending;
    for (const std::string& record : records) {
      if (record.empty()) continue;
      const size_t def = record.find("[DEF]");
      const std::string header = record.substr(0, def);
      const std::string entry = def == std::string::npos ? "" : record.substr(def + 5);
      const std::vector<std::string> headerPieces = Split(header, "|");
      const std::string type = DecodeDefinitionLine(headerPieces[0]);
      const std::string operation = Piece(headerPieces, 1);
      if (!target.takes(type)) continue;
      if (operation == "ADD") {
        lines.push_back(target.line(type, entry));
        ++changes;
        const size_t equals = entry.find('=');
        if (equals != std::string::npos) {
          const std::string name = Lower(entry.substr(0, equals));
          std::erase_if(pending, [&](const std::string& p) { return Lower(p) == name; });
        }
      } else if (operation == "DEL") {
        pending.push_back(entry);
      }
    }
    if (pending.empty()) continue;
    ++changes;
    // The pending deletions are kept as one text, each followed by "|", and read back from it.
    std::string joined;
    for (const std::string& p : pending) joined += p + "|";
    std::vector<std::string> keys;
    for (const std::string& p : Split(joined, "|")) {
      if (!p.empty()) keys.push_back(Lower(DecodeDefinitionLine(p.substr(0, p.find('=')))));
    }
    std::erase_if(lines, [&](const std::string& line) {
      const std::string plain = DecodeDefinitionLine(line);
      const std::string key = Lower(plain.substr(0, plain.find('=')));
      return line.empty() || std::find(keys.begin(), keys.end(), key) != keys.end();
    });
  }
  return changes;
}

std::vector<std::string> FakeClient::Lines(const std::string& file) const {
  std::vector<std::string> lines;
  const auto found = stored_.find(file);
  if (found == stored_.end()) return lines;
  for (const std::string& line : found->second) lines.push_back(DecodeDefinitionLine(line));
  return lines;
}

}  // namespace defserver::testing

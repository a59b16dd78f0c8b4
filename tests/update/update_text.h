#pragma once

#include <string>
#include <vector>

#include "common/text.h"
#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "platform/files.h"

namespace update_test {

// An entry as the server sends it: stored form, with "|" and "=" left plain.
inline std::string SentEntry(const std::string& plain) {
  std::string sent;
  for (char c : plain) {
    sent +=
        (c == '|' || c == '=') ? std::string(1, c) : definitions::ScrambleText(std::string(1, c));
  }
  return sent;
}

// One record of an update text.
inline std::string Record(const std::string& type, const std::string& operation,
                          const std::string& sentEntry) {
  return definitions::ScrambleText(type) + "|" + operation + "[DEF]" + sentEntry + "[BR]";
}

// A definition file made of plain lines, stored scrambled ("" stays a blank line).
inline std::string StoredFile(const std::vector<std::string>& plainLines) {
  std::string content;
  for (const std::string& line : plainLines) content += definitions::ScrambleText(line) + "\r\n";
  return content;
}

// A stored file decoded line by line, for assertions.
inline std::vector<std::string> DecodedLines(platform::Files& files, const std::string& path) {
  std::vector<std::string> lines;
  for (const std::string& line :
       common::ReadLines(files, path).value_or(std::vector<std::string>{}))
    lines.push_back(definitions::DecodeDefinitionLine(line));
  return lines;
}

}  // namespace update_test

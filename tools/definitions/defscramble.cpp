// defscramble: turns the plain-text starter definitions into the stored definition files and
// back, for people who write or read definitions.
//
//   defscramble scramble <plain.txt> <file.dat>   writes the stored form
//   defscramble unscramble <file.dat>             prints the decoded lines
//   defscramble verify <plain folder> <data folder>
//                                                 checks that every stored file of the data
//                                                 folder holds exactly the entries of its plain
//                                                 file
//
// In a plain file, empty lines and lines that start with "#" are notes and are left out; every
// other line is one entry. The build scrambles the starter set with
// tools/definitions/scramble.cmake, which follows the same rules.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "definitions/line_codec.h"

namespace {

// The definition files of the starter set, by the name of their plain source.
constexpr const char* kNames[] = {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                                  "ExeDefinition",  "BlockedCookies",      "Safety"};

bool ReadFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  *bytes = text.str();
  return true;
}

std::vector<std::string> PlainEntries(const std::string& text) {
  std::vector<std::string> entries;
  for (const std::string& line : common::SplitLines(text)) {
    if (!line.empty() && line[0] != '#') entries.push_back(line);
  }
  return entries;
}

// The plain entries scrambled, one per line ending in CR LF; false (with a message) for an
// entry that holds a character that cannot be stored in a line.
bool Scramble(const std::string& source, const std::string& text, std::string* stored) {
  int lineNumber = 0;
  for (const std::string& line : common::SplitLines(text)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    for (char c : line) {
      const int code = static_cast<unsigned char>(c);
      if (code == 191 || code == 201 || code == 204 || code == 255) {
        std::cerr << source << ":" << lineNumber << ": character code " << code
                  << " cannot be stored\n";
        return false;
      }
    }
    *stored += definitions::ScrambleText(line) + "\r\n";
  }
  return true;
}

int ScrambleCommand(const std::string& input, const std::string& output) {
  std::string text;
  std::string stored;
  if (!ReadFile(input, &text)) {
    std::cerr << "cannot read " << input << "\n";
    return 1;
  }
  if (!Scramble(input, text, &stored)) return 1;
  std::ofstream out(output, std::ios::binary);
  out << stored;
  if (!out) {
    std::cerr << "cannot write " << output << "\n";
    return 1;
  }
  return 0;
}

int UnscrambleCommand(const std::string& input) {
  std::string bytes;
  if (!ReadFile(input, &bytes)) {
    std::cerr << "cannot read " << input << "\n";
    return 1;
  }
  for (const std::string& line : common::SplitLines(bytes)) {
    std::cout << definitions::DecodeDefinitionLine(line) << "\n";
  }
  return 0;
}

int VerifyCommand(const std::string& plainFolder, const std::string& dataFolder) {
  int failures = 0;
  for (const char* name : kNames) {
    const std::string plainPath = plainFolder + "/" + name + ".txt";
    const std::string storedPath = dataFolder + "/" + name + ".dat";
    std::string plain;
    std::string stored;
    if (!ReadFile(plainPath, &plain) || !ReadFile(storedPath, &stored)) {
      std::cerr << "cannot read " << plainPath << " or " << storedPath << "\n";
      ++failures;
      continue;
    }
    std::vector<std::string> decoded;
    for (const std::string& line : common::SplitLines(stored)) {
      decoded.push_back(definitions::DecodeDefinitionLine(line));
    }
    if (decoded != PlainEntries(plain) || stored.size() < 2 ||
        stored.compare(stored.size() - 2, 2, "\r\n") != 0) {
      std::cerr << storedPath << " does not hold the entries of " << plainPath << "\n";
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "scramble") return ScrambleCommand(args[1], args[2]);
  if (args.size() == 2 && args[0] == "unscramble") return UnscrambleCommand(args[1]);
  if (args.size() == 3 && args[0] == "verify") return VerifyCommand(args[1], args[2]);
  std::cerr << "usage: defscramble scramble <plain.txt> <file.dat>\n"
               "       defscramble unscramble <file.dat>\n"
               "       defscramble verify <plain folder> <data folder>\n";
  return 2;
}

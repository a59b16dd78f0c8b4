#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace common {

// Reads an 8-bit text file line by line without holding more than a block of it. A line ends
// at CR LF or at a lone LF (files edited elsewhere); a CR elsewhere is part of the line. A last
// line without an ending still counts, an ending at the very end adds no empty line, so
// "a\r\nb" and "a\r\nb\r\n" both read as two lines and an empty file as none.
class LineReader {
 public:
  LineReader(platform::Files& files, std::string path);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The file could be opened for reading.
  bool IsOpen() const { return open_; }
  // The next line without its ending; false at the end of the file or when reading fails.
  bool ReadLine(std::string* line);

 private:
  bool Fill();

  platform::Files& files_;
  std::string path_;
  bool open_ = false;
  bool atEnd_ = false;
  std::uint64_t offset_ = 0;
  std::string buffer_;
  std::size_t position_ = 0;
};

// Every line of the file, as LineReader reads them; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(platform::Files& files, const std::string& path);

// The lines joined, each followed by CR LF, as every text file the program writes ends its lines.
std::string JoinLines(const std::vector<std::string>& lines);

// The text split into lines at CR LF or LF, as LineReader would read it from a file.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace common

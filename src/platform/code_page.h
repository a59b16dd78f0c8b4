#pragma once

#include <string>

namespace platform {

// The system's 8-bit (ANSI) code page, in which the program keeps all its text, and UTF-8, in
// which the language file is stored.
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // UTF-8 to the ANSI code page. Characters the code page lacks become "?", and so does every
  // byte sequence that is not UTF-8.
  virtual std::string FromUtf8(const std::string& utf8) = 0;
  // The ANSI code page to UTF-8.
  virtual std::string ToUtf8(const std::string& ansi) = 0;
};

}  // namespace platform

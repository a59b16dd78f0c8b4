#pragma once

#include "platform/code_page.h"

namespace platform::win32 {

// The system's ANSI code page (CP_ACP) and UTF-8 through the system's conversions, which put
// the closest letter (or "?") for a character the code page lacks.
class Win32CodePage : public AnsiCodePage {
 public:
  std::string FromUtf8(const std::string& utf8) override;
  std::string ToUtf8(const std::string& ansi) override;
};

}  // namespace platform::win32

#pragma once

#include <string>

#include "platform/code_page.h"

namespace platform::sim {

// Windows-1252, the ANSI code page of a Western European or US English Windows.
class SimCodePage : public AnsiCodePage {
 public:
  std::string FromUtf8(const std::string& utf8) override;
  std::string ToUtf8(const std::string& ansi) override;
};

}  // namespace platform::sim

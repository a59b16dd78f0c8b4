#pragma once

#include "platform/clipboard.h"

namespace platform::win32 {

// The clipboard through user32, opened for each call and closed before it returns.
class Win32Clipboard : public Clipboard {
 public:
  bool Clear(std::uintptr_t owner) override;
  bool SetText(const std::string& text, std::uintptr_t owner) override;
};

}  // namespace platform::win32

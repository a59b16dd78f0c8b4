#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The clipboard of the user's session, text only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard. owner is the native window that takes the clipboard over (0 for
  // none). False when the clipboard could not be opened (another program has it open).
  virtual bool Clear(std::uintptr_t owner) = 0;
  // Replaces whatever the clipboard holds with this 8-bit text (CF_TEXT). False when the
  // clipboard could not be opened or the text not put there.
  virtual bool SetText(const std::string& text, std::uintptr_t owner) = 0;
};

}  // namespace platform

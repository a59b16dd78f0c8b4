#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace platform::sim {

// The session's clipboard, shared by every simulated process: the text it holds, if any.
class SimClipboard : public Clipboard {
 public:
  bool Clear(std::uintptr_t owner) override {
    if (busy_) return false;
    text_.reset();
    return true;
  }
  bool SetText(const std::string& text, std::uintptr_t owner) override {
    if (busy_) return false;
    text_ = text;
    return true;
  }

  // The text on the clipboard; nullopt when it holds none.
  const std::optional<std::string>& Text() const { return text_; }
  // Another program holds the clipboard open, so it cannot be opened.
  void SetBusy(bool busy) { busy_ = busy; }

 private:
  std::optional<std::string> text_;
  bool busy_ = false;
};

}  // namespace platform::sim

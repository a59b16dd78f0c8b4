#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "ui/win32/gdi.h"

namespace ui {
class Control;
}

namespace ui::win32 {

// The fonts controls are drawn with: the system's message font (what dialogs use), and the
// bold, italic, underlined and resized variants the program asks for, each made once.
class FontCache {
 public:
  explicit FontCache(int dpiY);
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // points == 0 keeps the message font's size.
  HFONT Get(bool bold, bool italic, bool underline, int points);
  HFONT For(const Control& control);

 private:
  int dpiY_;
  LOGFONTA base_{};
  std::map<std::tuple<bool, bool, bool, int>, FontHandle> fonts_;
};

}  // namespace ui::win32

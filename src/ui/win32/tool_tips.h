#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace ui::win32 {

// The tips of one form's controls: one tooltip window, owned by the form's window (so it goes
// with it), made when the first control asks for a tip. A tool is a control's window; the
// tooltip watches its mouse messages itself.
class ToolTips {
 public:
  ToolTips() = default;
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Gives the control's window this tip, changes it, or takes it away (empty text).
  void Set(HWND form, HWND control, const std::string& text);
  // The tooltip window, or nullptr while no control has a tip.
  HWND Window() const { return tip_; }

 private:
  HWND tip_ = nullptr;
  std::set<HWND> tools_;
};

}  // namespace ui::win32

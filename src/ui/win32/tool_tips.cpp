#include "ui/win32/tool_tips.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// Wide enough for a sentence on one line; a longer tip wraps instead of leaving the screen.
constexpr int kMaxTipWidth = 400;

TTTOOLINFOA ToolFor(HWND form, HWND control, const std::string& text) {
  TTTOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  // The tooltip copies the text.
  info.lpszText = const_cast<char*>(text.c_str());
  return info;
}

}  // namespace

void ToolTips::Set(HWND form, HWND control, const std::string& text) {
  if (form == nullptr || control == nullptr) return;
  const bool known = tools_.count(control) != 0;
  if (text.empty() && !known) return;
  if (tip_ == nullptr) {
    tip_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE)), nullptr);
    if (tip_ == nullptr) return;
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  }
  TTTOOLINFOA info = ToolFor(form, control, text);
  if (text.empty()) {
    SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(control);
  } else if (known) {
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  } else if (SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
    tools_.insert(control);
  }
}

}  // namespace ui::win32

#include "ui/win32/text_date_peers.h"

#include <oleauto.h>

#include <string>

namespace ui::win32 {

namespace {

std::string WindowText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

HWND TextBoxPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style = WS_TABSTOP | WS_GROUP;
  if (box_.multiLine) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (box_.scrollBars) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (box_.locked) style |= ES_READONLY;
  switch (control_.GetAlignment()) {
    case Alignment::Right:
      style |= ES_RIGHT;
      break;
    case Alignment::Center:
      style |= ES_CENTER;
      break;
    case Alignment::Left:
      break;
  }
  if (!box_.maxLength) {
    return CreateChild(WS_EX_CLIENTEDGE, "EDIT", box_.Text(), style, parent, bounds);
  }
  // The limit goes before the text, which SyncState puts in once the window is made.
  HWND hwnd = CreateChild(WS_EX_CLIENTEDGE, "EDIT", "", style, parent, bounds);
  if (hwnd != nullptr) {
    SendMessageA(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(*box_.maxLength), 0);
  }
  return hwnd;
}

void TextBoxPeer::SyncState() {
  // While the model takes the user's typing, the window already shows it.
  if (fromWindow_ || WindowText(hwnd_) == box_.Text()) return;
  ScopedFlag setting(setting_);
  SetWindowTextA(hwnd_, box_.Text().c_str());
}

bool TextBoxPeer::OnCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (setting_) return true;
  std::string text = WindowText(hwnd_);
  ScopedFlag from(fromWindow_);
  Guarded([&] { box_.SetText(text); });
  return true;
}

std::optional<SYSTEMTIME> DateToSystemTime(double date) {
  SYSTEMTIME time{};
  if (!VariantTimeToSystemTime(date, &time)) return std::nullopt;
  return time;
}

std::optional<double> SystemTimeToDate(const SYSTEMTIME& time) {
  SYSTEMTIME copy = time;
  copy.wMilliseconds = 0;  // the conversion refuses some values with milliseconds
  double date = 0;
  if (!SystemTimeToVariantTime(&copy, &date)) return std::nullopt;
  return date;
}

HWND DatePickerPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style = WS_TABSTOP | WS_GROUP;
  switch (picker_.Format()) {
    case DateFormat::LongDate:
      style |= DTS_LONGDATEFORMAT;
      break;
    case DateFormat::ShortDate:
      style |= DTS_SHORTDATEFORMAT;
      break;
    case DateFormat::Time:
      style |= DTS_TIMEFORMAT;
      break;
  }
  if (picker_.checkBox) style |= DTS_SHOWNONE;
  HWND window = CreateChild(0, DATETIMEPICK_CLASSA, "", style, parent, bounds);
  if (window != nullptr && !picker_.customFormat.empty()) {
    SendMessageA(window, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(picker_.customFormat.c_str()));
  }
  return window;
}

void DatePickerPeer::SyncState() {
  if (fromWindow_) return;  // the window already shows the user's change
  ScopedFlag setting(setting_);
  std::optional<SYSTEMTIME> time;
  if (picker_.Value()) time = DateToSystemTime(*picker_.Value());
  if (time) {
    SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&*time));
  } else if (picker_.checkBox) {
    // An unticked picker keeps showing a date: the one the model last had, put in first. Wine
    // refuses GDT_NONE without a time to point at, though it does not read it.
    SYSTEMTIME shown{};
    if (auto last = DateToSystemTime(picker_.Shown())) {
      shown = *last;
      SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    } else {
      GetLocalTime(&shown);
    }
    SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&shown));
  }
}

bool DatePickerPeer::OnNotify(NMHDR& header, LRESULT* result) {
  if (header.code != DTN_DATETIMECHANGE) return false;
  *result = 0;
  if (setting_) return true;
  auto& change = reinterpret_cast<NMDATETIMECHANGE&>(header);
  std::optional<double> value;
  if (change.dwFlags == GDT_VALID) {
    value = SystemTimeToDate(change.st);
    if (!value) return true;
  }
  ScopedFlag from(fromWindow_);
  Guarded([&] { picker_.UserSetValue(value); });
  return true;
}

}  // namespace ui::win32

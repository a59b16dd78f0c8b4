#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/tray.h"
#include "ui/form.h"
#include "ui/host.h"

namespace app {

// The notify-icon record as the program fills it. It persists between calls: a tip change
// reuses what the last ShowIcon stored.
struct TrayIconRecord {
  std::uint32_t size = 88;  // the record's size in its 88-byte form
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::string icon;
  // The text, a NUL, cut to 64 bytes and padded with spaces: a text of 64 or more characters
  // loses its terminator.
  std::array<char, 64> tip{};
};

// The tip field for a text (see TrayIconRecord::tip).
std::array<char, 64> TipField(const std::string& text);
// What the shell shows of a tip field: the text up to its NUL, at most 63 characters, because
// the shell always ends the field there.
std::string ShownTip(const std::array<char, 64>& field);

// The tray icon. One record serves every window that uses it, so bRunningInTray describes the
// window shown or removed last. Failures of the shell are not looked at.
class clsTray {
 public:
  static constexpr std::uint32_t kIconId = 1;
  static constexpr std::uint32_t kFlags =
      platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  // The icon reports its mouse events as WM_MOUSEMOVE, with the event in the x position.
  static constexpr std::uint32_t kCallbackMessage = 512;

  clsTray(platform::Tray& tray, ui::Host& host) : tray_(tray), host_(host) {}

  // True after ShowIcon, false after RemoveIcon, whatever the shell answered.
  bool bRunningInTray = false;

  // Adds the window's icon with its caption as the tip.
  void ShowIcon(ui::Form& sysTrayForm);
  // Deletes the window's icon.
  void RemoveIcon(ui::Form& sysTrayForm);
  // Changes the tip of the window's icon; does nothing unless bRunningInTray.
  void ChangeToolTip(ui::Form& sysTrayForm, const std::string& strNewTip);
  // Adds the icon of the record again after the task bar was made anew, which loses its icons;
  // does nothing unless bRunningInTray.
  void RestoreIcon();

  const TrayIconRecord& Record() const { return record_; }

 private:
  void Notify(std::uint32_t message);

  platform::Tray& tray_;
  ui::Host& host_;
  TrayIconRecord record_;
};

}  // namespace app

#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Shell_NotifyIconA messages and record flags.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// The notify-icon record. The icon is the owner window's own icon resource.
struct NotifyIcon {
  std::uintptr_t window = 0;  // owner window, which receives the callback message
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::string iconResource;
  std::string tip;
};

// The notification area ("tray") of the task bar.
class Tray {
 public:
  virtual ~Tray() = default;
  // Shell_NotifyIconA: adds, modifies or deletes the icon of (window, id). False when the shell
  // refused (an icon added twice, a change or removal of an icon that is not there).
  virtual bool NotifyIcon(std::uint32_t message, const platform::NotifyIcon& icon) = 0;
};

}  // namespace platform

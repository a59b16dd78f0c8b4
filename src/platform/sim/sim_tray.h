#pragma once

#include <map>
#include <utility>

#include "platform/tray.h"

namespace platform::sim {

// The simulated notification area: the icons it shows, by owner window and id.
class SimTray : public Tray {
 public:
  bool NotifyIcon(std::uint32_t message, const platform::NotifyIcon& icon) override {
    const auto key = std::make_pair(icon.window, icon.id);
    const bool present = icons_.count(key) != 0;
    switch (message) {
      case kNimAdd:
        if (present) return false;
        icons_[key] = icon;
        return true;
      case kNimModify:
        if (!present) return false;
        if (icon.flags & kNifTip) icons_[key].tip = icon.tip;
        if (icon.flags & kNifIcon) icons_[key].iconResource = icon.iconResource;
        if (icon.flags & kNifMessage) icons_[key].callbackMessage = icon.callbackMessage;
        return true;
      case kNimDelete:
        return icons_.erase(key) != 0;
      default:
        return false;
    }
  }

  const std::map<std::pair<std::uintptr_t, std::uint32_t>, platform::NotifyIcon>& Icons() const {
    return icons_;
  }

 private:
  std::map<std::pair<std::uintptr_t, std::uint32_t>, platform::NotifyIcon> icons_;
};

}  // namespace platform::sim

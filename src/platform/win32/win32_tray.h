#pragma once

#include "platform/tray.h"

namespace platform::win32 {

class Win32Tray : public Tray {
 public:
  bool NotifyIcon(std::uint32_t message, const platform::NotifyIcon& icon) override;
};

}  // namespace platform::win32

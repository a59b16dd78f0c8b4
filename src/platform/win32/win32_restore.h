#pragma once

#include "platform/restore.h"

namespace platform::win32 {

// System Restore through srclient.dll, loaded from the system folder for each request and freed
// after it, so that a system without System Restore (Windows 2000, Server 2003) only refuses.
class Win32Restore : public Restore {
 public:
  RestorePointResult SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                     std::int64_t sequence,
                                     const std::string& description) override;
};

}  // namespace platform::win32

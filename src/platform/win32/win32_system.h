#pragma once

#include "platform/system.h"

namespace platform::win32 {

// The operating system's version and the running executable's own file and version block.
class Win32System : public System {
 public:
  bool GetVersion(OsVersion* version) override;
  OwnVersionInfo GetOwnVersionInfo() override;
  std::string ProgramFolder() override;
  std::string ExeName() override;
};

}  // namespace platform::win32

#pragma once

#include "platform/shell_folders.h"

namespace platform::win32 {

// The user's shell folders through shell32.
class Win32ShellFolders : public ShellFolders {
 public:
  std::optional<std::string> SpecialFolderPath(int csidl) override;
  std::optional<std::string> SpecialFolderLocationPath(int csidl) override;
};

}  // namespace platform::win32

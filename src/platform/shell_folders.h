#pragma once

#include <optional>
#include <string>

namespace platform {

// The user's special folders by CSIDL number.
class ShellFolders {
 public:
  virtual ~ShellFolders() = default;
  // SHGetSpecialFolderPathA: the folder's path without trailing "\", or nullopt when the
  // constant names no folder on this machine.
  virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
  // SHGetSpecialFolderLocation followed by SHGetPathFromIDList.
  virtual std::optional<std::string> SpecialFolderLocation(int csidl) = 0;
  // The system drive's root, such as "C:\".
  virtual std::string SystemDriveRoot() = 0;
};

}  // namespace platform

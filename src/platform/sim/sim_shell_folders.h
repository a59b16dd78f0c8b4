#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/shell_folders.h"
#include "platform/sim/sim_files.h"

namespace platform::sim {

// The shell folders of a Windows XP user: the profile under "C:\Documents and Settings\<user>",
// the shared folders under "All Users", "C:\WINDOWS", "C:\WINDOWS\system32", "C:\Program Files".
// As under Wine, the Recycle Bin (10) and the non-localized Startup folders (29, 30) have no
// path. Every folder of the table exists in the machine's file system from the start.
class SimShellFolders : public ShellFolders {
 public:
  SimShellFolders(SimFiles& files, const std::string& userName);

  std::optional<std::string> SpecialFolderPath(int csidl) override;
  std::optional<std::string> SpecialFolderLocationPath(int csidl) override;

  // Set-up for tests: the constant names this folder (made in the file system too), or no
  // folder at all for nullopt.
  void SetFolder(int csidl, std::optional<std::string> path);

 private:
  SimFiles& files_;
  std::map<int, std::string> folders_;
};

}  // namespace platform::sim

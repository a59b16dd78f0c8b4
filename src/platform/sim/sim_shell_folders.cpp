#include "platform/sim/sim_shell_folders.h"

#include <utility>

namespace platform::sim {

SimShellFolders::SimShellFolders(SimFiles& files, const std::string& userName) : files_(files) {
  const std::string profile = "C:\\Documents and Settings\\" + userName;
  const std::string allUsers = "C:\\Documents and Settings\\All Users";
  const std::string local = profile + "\\Local Settings";
  folders_ = {
      {kCsidlDesktop, profile + "\\Desktop"},
      {kCsidlPrograms, profile + "\\Start Menu\\Programs"},
      {kCsidlPersonal, profile + "\\My Documents"},
      {kCsidlFavorites, profile + "\\Favorites"},
      {kCsidlStartup, profile + "\\Start Menu\\Programs\\Startup"},
      {kCsidlRecent, profile + "\\Recent"},
      {kCsidlSendTo, profile + "\\SendTo"},
      {kCsidlStartMenu, profile + "\\Start Menu"},
      {kCsidlDesktopDirectory, profile + "\\Desktop"},
      {kCsidlFonts, "C:\\WINDOWS\\Fonts"},
      {kCsidlTemplates, profile + "\\Templates"},
      {kCsidlCommonStartMenu, allUsers + "\\Start Menu"},
      {kCsidlCommonPrograms, allUsers + "\\Start Menu\\Programs"},
      {kCsidlCommonStartup, allUsers + "\\Start Menu\\Programs\\Startup"},
      {kCsidlCommonDesktopDirectory, allUsers + "\\Desktop"},
      {kCsidlAppData, profile + "\\Application Data"},
      {kCsidlLocalAppData, local + "\\Application Data"},
      {kCsidlCommonFavorites, allUsers + "\\Favorites"},
      {kCsidlInternetCache, local + "\\Temporary Internet Files"},
      {kCsidlCookies, profile + "\\Cookies"},
      {kCsidlHistory, local + "\\History"},
      {kCsidlCommonAppData, allUsers + "\\Application Data"},
      {kCsidlWindows, "C:\\WINDOWS"},
      {kCsidlSystem, "C:\\WINDOWS\\system32"},
      {kCsidlProgramFiles, "C:\\Program Files"},
      {kCsidlProfile, profile},
      {kCsidlProgramFilesCommon, "C:\\Program Files\\Common Files"},
      {kCsidlCommonTemplates, allUsers + "\\Templates"},
      {kCsidlCommonDocuments, allUsers + "\\Documents"},
  };
  for (const auto& [csidl, path] : folders_) files_.AddFolder(path);
}

std::optional<std::string> SimShellFolders::SpecialFolderPath(int csidl) {
  const auto it = folders_.find(csidl);
  if (it == folders_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> SimShellFolders::SpecialFolderLocationPath(int csidl) {
  return SpecialFolderPath(csidl);
}

void SimShellFolders::SetFolder(int csidl, std::optional<std::string> path) {
  if (!path) {
    folders_.erase(csidl);
    return;
  }
  files_.AddFolder(*path);
  folders_[csidl] = std::move(*path);
}

}  // namespace platform::sim

#pragma once

#include <optional>
#include <string>

namespace platform {

// Shell folder constants (CSIDL) the program asks for.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlPrograms = 2;
inline constexpr int kCsidlPersonal = 5;
inline constexpr int kCsidlFavorites = 6;
inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlRecent = 8;
inline constexpr int kCsidlSendTo = 9;
inline constexpr int kCsidlBitBucket = 10;
inline constexpr int kCsidlStartMenu = 11;
inline constexpr int kCsidlDesktopDirectory = 16;
inline constexpr int kCsidlFonts = 20;
inline constexpr int kCsidlTemplates = 21;
inline constexpr int kCsidlCommonStartMenu = 22;
inline constexpr int kCsidlCommonPrograms = 23;
inline constexpr int kCsidlCommonStartup = 24;
inline constexpr int kCsidlCommonDesktopDirectory = 25;
inline constexpr int kCsidlAppData = 26;
inline constexpr int kCsidlLocalAppData = 28;
inline constexpr int kCsidlAltStartup = 29;
inline constexpr int kCsidlCommonAltStartup = 30;
inline constexpr int kCsidlCommonFavorites = 31;
inline constexpr int kCsidlInternetCache = 32;
inline constexpr int kCsidlCookies = 33;
inline constexpr int kCsidlHistory = 34;
inline constexpr int kCsidlCommonAppData = 35;
inline constexpr int kCsidlWindows = 36;
inline constexpr int kCsidlSystem = 37;
inline constexpr int kCsidlProgramFiles = 38;
inline constexpr int kCsidlProfile = 40;
inline constexpr int kCsidlProgramFilesCommon = 43;
inline constexpr int kCsidlCommonTemplates = 45;
inline constexpr int kCsidlCommonDocuments = 46;

// The user's special folders by CSIDL number. Paths come back as the shell gives them: without
// a trailing "\" except at a drive root.
class ShellFolders {
 public:
  virtual ~ShellFolders() = default;
  // SHGetSpecialFolderPathA without creating the folder; nullopt when the call fails (the
  // constant names no folder, or a virtual folder such as the Recycle Bin).
  virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
  // SHGetSpecialFolderLocation (owned by the desktop window) followed by SHGetPathFromIDList;
  // nullopt when either fails.
  virtual std::optional<std::string> SpecialFolderLocationPath(int csidl) = 0;
};

}  // namespace platform

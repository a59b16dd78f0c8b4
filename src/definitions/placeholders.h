#pragma once

#include <string>
#include <string_view>

#include "platform/shell_folders.h"

namespace definitions {

// A path placeholder of the definitions: a bracketed token and the shell folder it stands for.
struct Placeholder {
  const char* token;
  int csidl;
  // "[user]" and "[alluser]" match only as written; every other token in any letter case.
  bool exactCase;
  // "[user]" and "[alluser]" are the Start menu folders with every "\Start Menu" taken out,
  // which leaves the profile folders.
  bool stripStartMenu;
};

// The placeholders in the order they are expanded.
inline constexpr Placeholder kPlaceholders[] = {
    {"[startsp]", platform::kCsidlAltStartup, false, false},
    {"[appdata]", platform::kCsidlAppData, false, false},
    {"[recycle]", platform::kCsidlBitBucket, false, false},
    {"[comstar]", platform::kCsidlCommonAltStartup, false, false},
    {"[comapp]", platform::kCsidlCommonAppData, false, false},
    // "[desktop]" is the shared desktop and "[comdesk]" the user's own: stored definitions
    // rely on this pairing, however odd the names.
    {"[desktop]", platform::kCsidlCommonDesktopDirectory, false, false},
    {"[comdocs]", platform::kCsidlCommonDocuments, false, false},
    {"[comfav]", platform::kCsidlCommonFavorites, false, false},
    {"[comprog]", platform::kCsidlCommonPrograms, false, false},
    {"[comstam]", platform::kCsidlCommonStartMenu, false, false},
    {"[comtemp]", platform::kCsidlCommonTemplates, false, false},
    {"[cookies]", platform::kCsidlCookies, false, false},
    {"[comdesk]", platform::kCsidlDesktopDirectory, false, false},
    {"[favorit]", platform::kCsidlFavorites, false, false},
    {"[fonts]", platform::kCsidlFonts, false, false},
    {"[history]", platform::kCsidlHistory, false, false},
    {"[netcach]", platform::kCsidlInternetCache, false, false},
    {"[progs]", platform::kCsidlPrograms, false, false},
    {"[progfil]", platform::kCsidlProgramFiles, false, false},
    {"[comprogfil]", platform::kCsidlProgramFilesCommon, false, false},
    {"[personl]", platform::kCsidlPersonal, false, false},
    {"[recent]", platform::kCsidlRecent, false, false},
    {"[sendto]", platform::kCsidlSendTo, false, false},
    {"[startup]", platform::kCsidlStartup, false, false},
    {"[strtmnu]", platform::kCsidlStartMenu, false, false},
    {"[system]", platform::kCsidlSystem, false, false},
    {"[templat]", platform::kCsidlTemplates, false, false},
    {"[windir]", platform::kCsidlWindows, false, false},
    {"[user]", platform::kCsidlStartMenu, true, true},
    {"[alluser]", platform::kCsidlCommonStartMenu, true, true},
};

// The token for the system drive root; replaced (as written only) before the placeholders.
inline constexpr std::string_view kDriveToken = "[drive]";

// The name of the data folder below the user's application data folder.
inline constexpr const char* kDataFolderName = "AntiSpywareDAT";

// The folder the system reports for the constant, ending in "\"; "" when it has none.
std::string GetSpecialFolder(platform::ShellFolders& shellFolders, int csidl);

// The first three characters of the user's Programs menu folder ("C:\"); "" when the shell
// cannot locate it.
std::string GetSystemDriveRoot(platform::ShellFolders& shellFolders);

// The folder a placeholder stands for ("" when the system has none).
std::string PlaceholderFolder(platform::ShellFolders& shellFolders, const Placeholder& placeholder);

// Replaces every placeholder in the text, in table order, and returns the result. A token whose
// folder is unknown is replaced by nothing. Folders are asked for only when their token occurs.
std::string& ExpandPathPlaceholders(platform::ShellFolders& shellFolders, std::string& text);

// Every "\\" collapsed to one "\", in one pass from the left.
std::string CollapseBackslashes(std::string_view path);

// A location of a definition made real: "[drive]" replaced by the drive root, the placeholders
// expanded, "\\" collapsed.
std::string ExpandLocation(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                           std::string_view location);

// The data folder: the expansion of "[appdata]AntiSpywareDAT", without a final "\".
std::string DataFolderPath(platform::ShellFolders& shellFolders);

}  // namespace definitions

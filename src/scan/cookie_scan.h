#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/shell_folders.h"
#include "scan/scan_context.h"

namespace scan {

// What `GetCookieHost` answers when no host is found.
inline constexpr const char* kNoCookieHost = "False";

// `GetShellFolderPath`: the folder of a shell folder constant as the shell gives it (without a
// final "\"), cut before any NUL; "" when the system has none.
std::string GetShellFolderPath(platform::ShellFolders& shellFolders, int csidl);

// `ScanCookieFolder`: every file of the folder whose host is blocked by BlockedCookies.dat is
// reported, queued for deletion and counted as a threat, unless its path is excluded.
void ScanCookieFolder(ScanContext& context, const std::string& folder);

// `GetCookieFileDomain`: a cookie file is named user "@" site "[" number "]" ".txt"; the site
// part of the file name: the text after the first "@", cut before the first "(" or, when there
// is none, before the first "["; with neither, before the last ".". "" for a name without "@".
// Only the file name counts, so an "@" in a folder name cannot be taken for the site's.
std::string GetCookieFileDomain(const std::string& path);

// `GetCookieHost`: reads the cookie file as comma-separated input fields (line ends end a field
// too, quotes hold commas) and returns, from the first field that holds the site and a "/"
// after it, the text from the site up to that "/" (the host without sub-hosts in front).
// kNoCookieHost when the name has no site, the file is missing or unreadable, or no field
// qualifies. Yields after every field read.
std::string GetCookieHost(platform::Files& files, const std::string& path,
                          const std::function<void()>& yield);

// The host as it is compared: its last "."-separated part dropped (the top-level part of a
// domain), then a leading "www." (letter case ignored).
std::string ReduceCookieHost(const std::string& host);

// `IsBlockedCookie`: some entry that contains the host (letter case counts) equals it, letter
// case ignored, once the entry's last "."-separated part and its first "*" are taken out. An
// empty host is never blocked.
bool IsBlockedCookie(const std::vector<std::string>& blocked, const std::string& host);

}  // namespace scan

#pragma once

#include <string>

#include "platform/files.h"

namespace common {

// The text after the last "\" of a path; the whole text when there is none.
std::string GetFileName(const std::string& path);

// The program's test for a file: the directory search for normal files finds the path, and the
// name of the first entry it returns equals the path's last part (letter case ignored). So a
// folder, a hidden or system file and a path with wildcards all count as absent, as does any
// path the search cannot take.
bool FileExists(platform::Files& files, const std::string& path);

// True when Windows finds nothing at all at the path: neither file nor folder, hidden or not,
// by its long or its short name. Asking for the attributes costs a fraction of a directory
// search, and where this holds no search can find anything either. False for a path with
// wildcards, and whenever the answer is any other failure (a name the system refuses, a path
// it may not look into): the search decides those.
bool NothingAt(platform::Files& files, const std::string& path);

// The folder exists; hidden folders are found too.
bool FolderExists(platform::Files& files, const std::string& path);

// folder & "\" & name, without doubling a "\" that the folder already ends in (a drive root).
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace common

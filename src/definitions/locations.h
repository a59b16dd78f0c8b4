#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace definitions {

// The one spelling of a location that everything after a definition's look-up works with: the
// protection test, the existence test, the row shown, the backup and the deletion. Windows
// resolves a name before it acts on it, so a test of the text as written ("[progfil]\.",
// "C:/Program Files", "C:\PROGRA~1", "C:\Program Files.") would protect one spelling and delete
// another.

// A file or folder: the full path as Windows resolves it and, when it exists, its long form;
// no final "\" but at a drive root. A bare name (no separator) stays as written: it names a file
// of the current folder, which the removal never touches.
std::string CanonicalFilePath(platform::Files& files, const std::string& path);

// A key below its hive as the registry reads it: blanks around it and around its separators'
// run trimmed, every run of "\" one, no "\" at either end.
std::string CanonicalKeyPath(std::string_view key);

// The lower-case forms under which a registry location (hive name "\" key ...) is the same
// place: HKEY_CLASSES_ROOT is the merged view of the machine's and the user's Software\Classes,
// each HKEY_USERS\<user> is that user's HKEY_CURRENT_USER, HKEY_CURRENT_CONFIG is the current
// hardware profile, every ControlSetNNN is what CurrentControlSet points at, and the
// Wow6432Node keys hold the 32-bit programs' copies of the software keys.
std::vector<std::string> RegistryForms(std::string_view location);

}  // namespace definitions

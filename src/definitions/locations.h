#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// CanonicalFilePath of files that a search has just found, each folder's long form asked of the
// file system once. The long form is made part by part, so a file's is its folder's with the
// file's own long name after it; a scan meets its files in a few folders, and asking for every
// file's whole long form searched each folder on its way again.
class FoundFileSpellings {
 public:
  explicit FoundFileSpellings(platform::Files& files) : files_(files) {}

  // The canonical spelling of path, whose search found a file named foundName (the name as
  // the file system keeps it). Only when the name as written is that name byte for byte, so
  // that it is the file's long name in its own letters; nullopt otherwise, and for what is
  // not a plain path under a drive's folders: the caller then spells it with CanonicalFilePath
  // and tests it again.
  std::optional<std::string> Of(const std::string& path, const std::string& foundName);

 private:
  platform::Files& files_;
  // A folder's full path to its long form (nullopt: it has none).
  std::unordered_map<std::string, std::optional<std::string>> folders_;
};

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

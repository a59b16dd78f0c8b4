#pragma once

#include <string>
#include <string_view>

#include "platform/shell_folders.h"

namespace definitions {

// Separators of the decoded line syntax.
inline constexpr std::string_view kFieldSeparator = "|";
inline constexpr std::string_view kNameSeparator = "=";
inline constexpr std::string_view kRegistrySeparator = "^";

// An entry of FileDefinition.dat or DirectoryDefinition.dat, decoded and made real for this
// machine. Field 0 is name "=" threat name, field 1 the location, field 2 the type; further
// fields are ignored and missing ones read as empty.
struct FileDefinition {
  std::string name;
  std::string threatName;
  std::string location;  // "[drive]", placeholders and "\\" resolved; empty without a "|"
  std::string type;
  std::string path;          // where the file or folder is looked for
  bool hasLocation = false;  // the line has a "|"
};

// A file entry: the name trimmed of blanks; the path is location "\" name with "\\" collapsed,
// or the bare name (relative to the current folder) when the location is empty.
FileDefinition ParseFileDefinition(platform::ShellFolders& shellFolders,
                                   const std::string& driveRoot, std::string_view decodedLine);

// A folder entry: the name with CR, LF and tabs taken out (it is only shown); the path is the
// location itself. An entry without a "|" names no folder (hasLocation is false).
FileDefinition ParseDirectoryDefinition(platform::ShellFolders& shellFolders,
                                        const std::string& driveRoot, std::string_view decodedLine);

}  // namespace definitions

#include "definitions/definition_entries.h"

#include "common/text.h"
#include "definitions/placeholders.h"

namespace definitions {
namespace {

FileDefinition ParseCommon(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                           std::string_view decodedLine) {
  FileDefinition entry;
  const auto fields = common::Split(decodedLine, kFieldSeparator);
  const auto names = common::Split(common::Piece(fields, 0), kNameSeparator);
  entry.name = common::Piece(names, 0);
  entry.threatName = common::Piece(names, 1);
  entry.hasLocation = fields.size() > 1;
  if (entry.hasLocation) entry.location = ExpandLocation(shellFolders, driveRoot, fields[1]);
  entry.type = common::Piece(fields, 2);
  return entry;
}

}  // namespace

FileDefinition ParseFileDefinition(platform::ShellFolders& shellFolders,
                                   const std::string& driveRoot, std::string_view decodedLine) {
  FileDefinition entry = ParseCommon(shellFolders, driveRoot, decodedLine);
  entry.name = common::Trim(entry.name);
  entry.path =
      entry.location.empty() ? entry.name : CollapseBackslashes(entry.location + "\\" + entry.name);
  return entry;
}

FileDefinition ParseDirectoryDefinition(platform::ShellFolders& shellFolders,
                                        const std::string& driveRoot,
                                        std::string_view decodedLine) {
  FileDefinition entry = ParseCommon(shellFolders, driveRoot, decodedLine);
  std::string shown;
  for (char c : entry.name) {
    if (c != '\r' && c != '\n' && c != '\t') shown += c;
  }
  entry.name = shown;
  entry.path = entry.location;
  return entry;
}

}  // namespace definitions

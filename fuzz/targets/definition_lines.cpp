// One line of a definition file of any kind, as the scans and the protected-path list read it:
// the line decoded, then taken as a file, folder, Safety.dat or registry line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "definitions/definition_entries.h"
#include "definitions/hives.h"
#include "definitions/line_codec.h"
#include "definitions/locations.h"
#include "definitions/placeholders.h"
#include "definitions/protected_paths.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_shell_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::sim::SimFiles files;
  static platform::sim::SimShellFolders shellFolders(files, "User");
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string driveRoot = "C:\\";

  // The starter set and updates hold scrambled lines; a line may also arrive plain.
  for (const std::string& decoded : {definitions::DecodeDefinitionLine(line), line}) {
    definitions::ParseFileDefinition(shellFolders, driveRoot, decoded);
    definitions::ParseDirectoryDefinition(shellFolders, driveRoot, decoded);
    definitions::SafetyEntryPath(shellFolders, driveRoot, decoded);
    const std::string_view location = std::string_view(decoded).substr(0, decoded.rfind('='));
    definitions::RegistryForms(location);
    definitions::CanonicalKeyPath(location);
    definitions::ParseHiveCode(location.substr(0, location.find('^')));
    definitions::HiveNameFromCodeText(location.substr(0, location.find('^')));
    definitions::ParseHiveNumber(location);
    std::string expanded = decoded;
    definitions::ExpandPathPlaceholders(shellFolders, expanded);
    definitions::CollapseBackslashes(decoded);
  }
  definitions::ScrambleText(line);
  return 0;
}

#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace removal {

// Registry data as a REGEDIT4 file: the text the registry editor exports and imports, readable
// by a person and exact for every value type. ANSI text, CR LF line ends, because the program
// reads and writes the registry through the ANSI calls: a string's bytes go into the file as
// they are stored.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Vendor]
//   @="default value"
//   "Path"="C:\\Program Files\\Vendor \"quoted\""
//   "Count"=dword:0000002a
//   "Data"=hex:01,02,03
//   "Expand"=hex(2):25,54,45,4d,50,25,00
//
// A string is written in quotes only when the quotes give back exactly its bytes (one
// terminating zero, no other zero, no line break in it); any other string, a DWORD whose data is
// not 4 bytes and every other type are written as hex(type), which the editor takes as raw
// bytes. Long hex runs are continued on the next line after ",\", indented by two blanks.
inline constexpr const char* kRegFileHeader = "REGEDIT4";

// The key with all its values and sub-keys, depth first; nullopt when the key cannot be opened
// or read.
std::optional<std::string> ExportRegistryKey(platform::Registry& registry, platform::RegKey hive,
                                             const std::string& key);
// One value (the key's default value for an empty name) under its key's header; nullopt when
// the value is not there.
std::optional<std::string> ExportRegistryValue(platform::Registry& registry, platform::RegKey hive,
                                               const std::string& key, const std::string& name);

// Writes every key and value of the file into the registry, creating keys as needed; "[-key]"
// deletes a key and "name"=- a value, as the editor does. True when the text is a REGEDIT4 file
// and every line of it was applied; a line that cannot be read or written is skipped and the
// rest is still applied.
bool ImportRegFile(platform::Registry& registry, const std::string& text);

// The hive of a root key's name ("HKEY_LOCAL_MACHINE"); nullopt for anything else.
std::optional<platform::RegKey> HiveFromName(const std::string& name);

}  // namespace removal

#pragma once

#include <map>
#include <string>
#include <vector>

#include "definition_kind.h"

namespace defserver {

// A definition set: the entries of each kind, in the order of their files.
using DefinitionSet = std::map<Kind, std::vector<std::string>>;

// Reads a plain-text definition set from a folder: the six files FileDefinition.txt,
// DirectoryDefinition.txt, RegistryDefinition.txt, ExeDefinition.txt, BlockedCookies.txt and
// Safety.txt, one entry per line, read as 8-bit text. Empty lines and lines that start with "#"
// are notes; a CR before a line's end is dropped; a line that appears twice is one entry.
// Every file must be there (a missing file would otherwise read as the removal of all its
// entries) and every entry must be publishable; otherwise false, and *errors names each problem
// as "file:line: ...".
bool ReadDefinitionFolder(const std::string& folder, DefinitionSet* set,
                          std::vector<std::string>* errors);

}  // namespace defserver

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition_kind.h"

namespace defserver {

// What the server needs to know about one definition entry, the plain text of one line of a
// definition file, to send it to a client and later take it back.

// Why the entry cannot be published, or nullopt when it can. An entry must survive the trip:
// its stored form has to fit in a line of the client's file, and nothing in it may turn into
// the separators of the update text.
std::optional<std::string> EntryProblem(Kind kind, std::string_view text);

// A registry entry, "hive^key^value=threat name|extra": the definition is the text before the
// last "=" of the part before the first "|" (a value name may itself hold "=").
struct RegistryParts {
  std::string definition;
  std::string threat;
  std::string extra;
};
std::optional<RegistryParts> SplitRegistryEntry(std::string_view text);

// Where the client's line for a registry entry starts: the definition without one final "^".
std::string RegistryLocation(const RegistryParts& parts);

// The plain line the client holds after an update added the entry. The same as the entry except
// for registry entries: the client builds their line from a location and always writes "^="
// after it, so a definition with a value name gains one empty "^" field; one that ends in "^"
// (the key itself) is sent without it and comes out exactly as written.
std::string AddedLine(Kind kind, std::string_view text);

// The client deletes by key: the lower-case text of a line before its first "=".
std::string ClientKey(std::string_view line);

// The keys under which a client may hold the entry: the key of the line as the starter set
// installs it and that of the line an update adds (one key unless the two lines differ).
std::vector<std::string> ClientKeys(Kind kind, std::string_view text);

// Lower case as the client's ANSI code page (Windows-1252) has it, so that keys compare as the
// client compares them.
std::string LowerAnsi(std::string_view text);

}  // namespace defserver

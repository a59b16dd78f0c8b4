#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace defserver {

// The program names of a submission. The client sends the names of the programs it sees
// running, each scrambled like a definition line, joined by "|", or one typed name followed by
// "|"; nothing is escaped. Empty names are left out. nullopt for a payload that is no list of
// names: a name that decodes to control characters (plain text sent unscrambled does), a name
// longer than a path can be, or more names than a machine runs.
std::optional<std::vector<std::string>> ParseSubmission(std::string_view payload);

}  // namespace defserver

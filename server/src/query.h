#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace defserver {

// The query of a request target ("/path?a=1&b=2"): the text after the first "?", empty when
// there is none.
std::string_view RawQuery(std::string_view target);

// Percent escapes ("%20") decoded; a "%" that starts no escape stays itself, and "+" stays "+":
// the client escapes nothing, and a scrambled name may hold either character.
std::string DecodeQueryText(std::string_view text);

// The parameters of a query, names in lower case (the client's server matched them without
// regard to case), values decoded. nullopt when a name is empty or appears twice: which value
// was meant cannot be told.
std::optional<std::map<std::string, std::string>> ParseQuery(std::string_view query);

}  // namespace defserver

#pragma once

#include <string>

#include "platform/registry.h"

namespace update {

// The machine-wide key under which an administrator points the program at other servers:
// HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<product>\Settings.
std::string ServerSettingsKey(const std::string& companyName, const std::string& productName);

// The definition server's base address ("http://host[:port]", no "/" at the end): the value
// "DefinitionServer" of that key when it holds one, else the address the program was built with.
std::string DefinitionServer(platform::Registry& registry, const std::string& companyName,
                             const std::string& productName);
// The same for the language server, value "LanguageServer".
std::string LanguageServer(platform::Registry& registry, const std::string& companyName,
                           const std::string& productName);

}  // namespace update

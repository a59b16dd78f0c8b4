#pragma once

#include <string>

#include "platform/registry.h"

namespace removal {

// Creates hive\key when needed and writes the value: a number as REG_DWORD, anything else as
// REG_SZ of the trimmed text. Failures are ignored.
void SetRegistryValue(platform::Registry& registry, platform::RegKey hive, const std::string& key,
                      const std::string& name, const std::string& value);
// Deletes the value hive\key\name; failures are ignored.
void DeleteRegistryValue(platform::Registry& registry, platform::RegKey hive,
                         const std::string& key, const std::string& name);

}  // namespace removal

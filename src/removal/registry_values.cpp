#include "removal/registry_values.h"

#include <cmath>
#include <cstdlib>

#include "common/text.h"

namespace removal {

namespace {

// A value that reads wholly as a number that fits 32 bits is stored as one.
bool AsNumber(const std::string& text, std::uint32_t* number) {
  const std::string trimmed = common::Trim(text);
  if (trimmed.empty()) return false;
  char* end = nullptr;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0) {
    return false;
  }
  *number = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::nearbyint(value)));
  return true;
}

}  // namespace

void SetRegistryValue(platform::Registry& registry, platform::RegKey hive, const std::string& key,
                      const std::string& name, const std::string& value) {
  platform::RegKey handle = 0;
  if (registry.CreateKey(hive, key, &handle) != platform::kErrorSuccess) return;
  platform::ScopedKey opened(registry, handle);
  std::uint32_t number = 0;
  if (AsNumber(value, &number)) {
    registry.SetDword(handle, name, number);
  } else {
    registry.SetString(handle, name, common::Trim(value));
  }
}

void DeleteRegistryValue(platform::Registry& registry, platform::RegKey hive,
                         const std::string& key, const std::string& name) {
  const platform::ScopedKey opened =
      platform::OpenScopedKey(registry, hive, key, platform::kKeySetValue);
  if (opened.IsOpen()) registry.DeleteValue(opened.Get(), name);
}

}  // namespace removal

#include "platform/registry.h"

#include <algorithm>

namespace platform {

bool ReadStringValue(Registry& registry, RegKey key, const std::string& name, std::string* value) {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
  if (registry.QueryValue(key, name, &type, &data) != kErrorSuccess) return false;
  if (type != kRegSz && type != kRegExpandSz) return false;
  // RegSetValueExA stores as many bytes as the writer said: usually the text and one zero, but a
  // value may lack the zero or carry several. The text ends at the first zero either way.
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  value->assign(data.begin(), end);
  return true;
}

}  // namespace platform

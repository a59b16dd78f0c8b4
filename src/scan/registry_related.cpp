#include "scan/registry_related.h"

#include "definitions/hives.h"

namespace scan {

std::optional<platform::RegKey> HiveCodes::GetHiveFromCode(std::string_view codeText) {
  const auto code = definitions::ParseHiveCode(codeText);
  const auto hive = code ? definitions::HiveFromCode(*code) : std::nullopt;
  currentHiveName_ = hive ? hive->name : "";
  if (!hive) return std::nullopt;
  return hive->handle;
}

bool RegKeyExists(platform::Registry& registry, platform::RegKey hive, const std::string& keyPath) {
  return platform::OpenScopedKey(registry, hive, keyPath, kScanKeyAccess).IsOpen();
}

bool RegReadValue(platform::Registry& registry, platform::RegKey hive, const std::string& keyPath,
                  const std::string& valueName, std::string* data) {
  data->clear();
  const platform::ScopedKey key = platform::OpenScopedKey(registry, hive, keyPath, kScanKeyAccess);
  if (!key.IsOpen()) return false;
  RegData value;
  if (RegQueryValue(registry, key.Get(), valueName, &value) != platform::kErrorSuccess) {
    return false;
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    *data = *text;
  } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
    *data = std::to_string(*number);
  }
  return true;
}

long RegQueryValue(platform::Registry& registry, platform::RegKey key, const std::string& valueName,
                   RegData* data) {
  std::uint32_t type = platform::kRegNone;
  std::vector<std::uint8_t> bytes;
  if (registry.QueryValue(key, valueName, &type, &bytes) != platform::kErrorSuccess) {
    return kRegValueNotFound;
  }
  switch (type) {
    case platform::kRegSz:
    case platform::kRegExpandSz: {
      // The stored size counts the terminating zero, which the text leaves out.
      const std::size_t size = bytes.empty() ? 0 : bytes.size() - 1;
      *data = std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
      return platform::kErrorSuccess;
    }
    case platform::kRegDword: {
      // Read into a 32-bit number: data longer than that does not fit the buffer.
      if (bytes.size() > 4) {
        *data = std::monostate{};
        return platform::kErrorMoreData;
      }
      std::uint32_t number = 0;
      for (std::size_t i = 0; i < bytes.size(); ++i) number |= std::uint32_t{bytes[i]} << (8 * i);
      *data = static_cast<std::int32_t>(number);
      return platform::kErrorSuccess;
    }
    default:
      return kRegValueNotFound;
  }
}

}  // namespace scan

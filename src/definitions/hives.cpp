#include "definitions/hives.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/text.h"

namespace definitions {

std::optional<int> ParseHiveCode(std::string_view text) {
  const std::string number = common::Trim(text);
  if (number.empty()) return std::nullopt;
  std::size_t i = 0;
  if (number[i] == '+' || number[i] == '-') ++i;
  bool digits = false;
  bool point = false;
  for (; i < number.size(); ++i) {
    if (number[i] >= '0' && number[i] <= '9') {
      digits = true;
    } else if (number[i] == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits || number.size() > 32) return std::nullopt;
  const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<Hive> HiveFromCode(int code) {
  switch (code) {
    case 0:
      return Hive{platform::kHkeyClassesRoot, "HKEY_CLASSES_ROOT"};
    case 1:
      return Hive{platform::kHkeyCurrentUser, "HKEY_CURRENT_USER"};
    case 2:
      return Hive{platform::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"};
    case 3:
      return Hive{platform::kHkeyUsers, "HKEY_USERS"};
    // Code 4 is the current configuration, whose handle skips HKEY_PERFORMANCE_DATA.
    case 4:
      return Hive{platform::kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"};
    case 5:
      return Hive{platform::kHkeyDynData, "HKEY_DYN_DATA"};
  }
  return std::nullopt;
}

std::string HiveNameFromCodeText(std::string_view text) {
  const auto code = ParseHiveCode(text);
  const auto hive = code ? HiveFromCode(*code) : std::nullopt;
  return hive ? hive->name : "";
}

std::string HiveNameFromHandle(platform::RegKey hive) {
  for (int code = 0; code <= 5; ++code) {
    const auto known = HiveFromCode(code);
    if (known && known->handle == hive) return known->name;
  }
  return "";
}

std::string HiveNumberText(platform::RegKey hive) {
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(hive)));
}

std::optional<platform::RegKey> ParseHiveNumber(std::string_view text) {
  const std::string trimmed = common::Trim(text);
  if (trimmed.empty()) return std::nullopt;
  char* end = nullptr;
  const long long number = std::strtoll(trimmed.c_str(), &end, 10);
  if (*end != '\0' || number < INT32_MIN || number > UINT32_MAX) return std::nullopt;
  return static_cast<platform::RegKey>(static_cast<std::uint32_t>(number));
}

}  // namespace definitions

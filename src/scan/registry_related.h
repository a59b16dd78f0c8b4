#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/registry.h"

namespace scan {

// The access the registry scan opens keys with: query, set value, create sub-key, enumerate,
// notify and create link. The scan only reads, but asking for write access makes a key that the
// user may not change count as absent: such a key could not be removed either.
inline constexpr std::uint32_t kScanKeyAccess = 0x3F;

// RegQueryValue's result for a value that is missing or of a type the scan does not read.
inline constexpr long kRegValueNotFound = -1;

// What RegQueryValue read: nothing, a text (REG_SZ, REG_EXPAND_SZ) or a number (REG_DWORD).
using RegData = std::variant<std::monostate, std::string, std::int32_t>;

// The hive codes of the registry definitions. `GetHiveFromCode` gives a code's root handle and
// keeps its name in `CurrentHiveName` for the texts the caller builds next; one object serves a
// scan.
class HiveCodes {
 public:
  // The code text read as a 16-bit whole number: 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER,
  // 2 HKEY_LOCAL_MACHINE, 3 HKEY_USERS, 4 HKEY_CURRENT_CONFIG (80000005), 5 HKEY_DYN_DATA
  // (80000006). nullopt, with an empty name, for any other number and for a text that is no
  // number.
  std::optional<platform::RegKey> GetHiveFromCode(std::string_view codeText);
  const std::string& CurrentHiveName() const { return currentHiveName_; }

 private:
  std::string currentHiveName_;
};

// `RegKeyExists`: hive\keyPath opens with kScanKeyAccess; the key is closed again.
bool RegKeyExists(platform::Registry& registry, platform::RegKey hive, const std::string& keyPath);

// `RegReadValue`: opens hive\keyPath with kScanKeyAccess and reads the value with RegQueryValue.
// True with the value as text (a number in decimal) when that succeeds; false with data "" when
// the key cannot be opened or the value is missing or of another type. The key is closed in
// every case.
bool RegReadValue(platform::Registry& registry, platform::RegKey hive, const std::string& keyPath,
                  const std::string& valueName, std::string* data);

// `RegQueryValue`: reads a value of an open key by its type. REG_SZ and REG_EXPAND_SZ give the
// stored bytes but the last (the terminating zero as the API stores it; all of them when there
// are none); REG_DWORD gives the number. Returns 0 then, the API's code when reading failed (data
// is then empty), and kRegValueNotFound for a missing value and for every other type (REG_NONE,
// REG_BINARY, REG_MULTI_SZ, ...).
long RegQueryValue(platform::Registry& registry, platform::RegKey key, const std::string& valueName,
                   RegData* data);

}  // namespace scan

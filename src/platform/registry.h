#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/errors.h"

namespace platform {

// A registry key handle as the API passes it: the predefined roots have their fixed values, keys
// opened through a Registry are opaque numbers that must be closed with CloseKey.
using RegKey = std::uintptr_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;
inline constexpr RegKey kHkeyUsers = 0x80000003u;
inline constexpr RegKey kHkeyCurrentConfig = 0x80000005u;
inline constexpr RegKey kHkeyDynData = 0x80000006u;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// The registry as the program uses it. Every call returns the API's error code (0 = success);
// out-parameters are left unchanged when a call fails.
class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA: opens parent\subKey with the access mask. An empty subKey opens the parent
  // itself again.
  virtual long OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
                       RegKey* result) = 0;
  // RegCreateKeyExA with full access: opens the key, creating it and any missing parents.
  virtual long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) = 0;
  // RegCloseKey. Closing a predefined root is a harmless success, as on Windows.
  virtual long CloseKey(RegKey key) = 0;
  // RegQueryValueExA: the value's type and raw data (strings include their terminating zero as
  // the API stores them). An empty name is the key's default value.
  virtual long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                          std::vector<std::uint8_t>* data) = 0;
  // RegSetValueExA with REG_SZ (or REG_EXPAND_SZ when expand is set).
  virtual long SetString(RegKey key, const std::string& name, const std::string& value,
                         bool expand = false) = 0;
  // RegSetValueExA with REG_DWORD.
  virtual long SetDword(RegKey key, const std::string& name, std::uint32_t value) = 0;
  // RegSetValueExA with any type and the raw bytes as given (a string's terminating zero is the
  // caller's to include).
  virtual long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) = 0;
  // RegEnumKeyExA / RegEnumValueA: the name of the sub-key or value at index (the key needs
  // kKeyEnumerateSubKeys or kKeyQueryValue); kErrorNoMoreItems past the last one. The order is
  // the registry's own, and changing the key while enumerating it makes it undefined.
  virtual long EnumKey(RegKey key, std::uint32_t index, std::string* name) = 0;
  virtual long EnumValue(RegKey key, std::uint32_t index, std::string* name) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // SHDeleteKeyA: deletes parent\subKey with all its sub-keys and values.
  virtual long DeleteTree(RegKey parent, const std::string& subKey) = 0;
};

// Owns an open key and closes it once. Move-only.
class ScopedKey {
 public:
  ScopedKey() = default;
  ScopedKey(Registry& registry, RegKey key) : registry_(&registry), key_(key) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ScopedKey(ScopedKey&& other) noexcept { *this = std::move(other); }
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Close();
      registry_ = other.registry_;
      key_ = other.key_;
      other.registry_ = nullptr;
      other.key_ = 0;
    }
    return *this;
  }
  ~ScopedKey() { Close(); }

  bool IsOpen() const { return registry_ != nullptr && key_ != 0; }
  RegKey Get() const { return key_; }
  void Close() {
    if (IsOpen()) registry_->CloseKey(key_);
    registry_ = nullptr;
    key_ = 0;
  }

 private:
  Registry* registry_ = nullptr;
  RegKey key_ = 0;
};

// RegOpenKeyExA with an owner that closes the key: not open when the call failed, whose code
// goes to *error when asked for.
inline ScopedKey OpenScopedKey(Registry& registry, RegKey parent, const std::string& subKey,
                               std::uint32_t access, long* error = nullptr) {
  RegKey key = 0;
  const long result = registry.OpenKey(parent, subKey, access, &key);
  if (error != nullptr) *error = result;
  return result == kErrorSuccess ? ScopedKey(registry, key) : ScopedKey();
}

// Convenience readers over QueryValue; nullopt-like behaviour through the bool result.
// Reads a REG_SZ or REG_EXPAND_SZ value as text (without its terminating zero).
bool ReadStringValue(Registry& registry, RegKey key, const std::string& name, std::string* value);

}  // namespace platform

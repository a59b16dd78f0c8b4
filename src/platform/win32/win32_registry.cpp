#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <utility>

#include "platform/win32/windows_api.h"

#include <shlwapi.h>

namespace platform::win32 {
namespace {

bool IsPredefined(std::uintptr_t value) {
  return value >= kHkeyClassesRoot && value <= kHkeyDynData;
}

// The predefined keys are 32-bit values that the 64-bit headers sign-extend (HKEY_CURRENT_USER is
// 0xFFFFFFFF80000001); RegKey carries them as the plain 32-bit numbers.
HKEY ToHkey(RegKey key) {
  if (IsPredefined(key)) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) {
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  const auto low = static_cast<std::uint32_t>(value);
  const auto extended = static_cast<std::uintptr_t>(static_cast<LONG_PTR>(static_cast<LONG>(low)));
  return (extended == value && IsPredefined(low)) ? low : value;
}

long SetRaw(RegKey key, const std::string& name, DWORD type, const void* data, DWORD size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

}  // namespace

long Win32Registry::OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
                            RegKey* result) {
  HKEY key = nullptr;
  const LONG error = RegOpenKeyExA(ToHkey(parent), subKey.c_str(), 0, access, &key);
  if (error == ERROR_SUCCESS) *result = FromHkey(key);
  return error;
}

long Win32Registry::CreateKey(RegKey parent, const std::string& subKey, RegKey* result) {
  HKEY key = nullptr;
  const LONG error =
      RegCreateKeyExA(ToHkey(parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (error == ERROR_SUCCESS) *result = FromHkey(key);
  return error;
}

long Win32Registry::CloseKey(RegKey key) {
  return RegCloseKey(ToHkey(key));
}

long Win32Registry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                               std::vector<std::uint8_t>* data) {
  std::vector<std::uint8_t> buffer(256);
  // The value may grow between the calls, so ask again until it fits, within reason.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD valueType = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG error =
        RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, buffer.data(), &size);
    if (error == ERROR_MORE_DATA) {
      buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
      continue;
    }
    if (error != ERROR_SUCCESS) return error;
    buffer.resize(size);
    if (type != nullptr) *type = valueType;
    if (data != nullptr) *data = std::move(buffer);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

long Win32Registry::SetString(RegKey key, const std::string& name, const std::string& value,
                              bool expand) {
  // The stored size includes the terminating zero, as readers of REG_SZ expect.
  return SetRaw(key, name, expand ? REG_EXPAND_SZ : REG_SZ, value.c_str(),
                static_cast<DWORD>(value.size() + 1));
}

long Win32Registry::SetDword(RegKey key, const std::string& name, std::uint32_t value) {
  const DWORD data = value;
  return SetRaw(key, name, REG_DWORD, &data, sizeof data);
}

long Win32Registry::SetValue(RegKey key, const std::string& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) {
  return SetRaw(key, name, type, data.data(), static_cast<DWORD>(data.size()));
}

long Win32Registry::EnumKey(RegKey key, std::uint32_t index, std::string* name) {
  // Key names are at most 255 characters.
  char buffer[256];
  DWORD size = sizeof buffer;
  const LONG error =
      RegEnumKeyExA(ToHkey(key), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (error == ERROR_SUCCESS) name->assign(buffer, size);
  return error;
}

long Win32Registry::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  // Value names are at most 16,383 characters.
  std::vector<char> buffer(16384);
  DWORD size = static_cast<DWORD>(buffer.size());
  const LONG error =
      RegEnumValueA(ToHkey(key), index, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr);
  if (error == ERROR_SUCCESS) name->assign(buffer.data(), size);
  return error;
}

long Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::DeleteTree(RegKey parent, const std::string& subKey) {
  // RegDeleteKeyA refuses a key that has sub-keys; SHDeleteKeyA removes the whole tree.
  return static_cast<long>(SHDeleteKeyA(ToHkey(parent), subKey.c_str()));
}

}  // namespace platform::win32

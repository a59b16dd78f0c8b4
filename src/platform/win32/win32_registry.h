#pragma once

#include "platform/registry.h"

namespace platform::win32 {

// The registry through advapi32 and shlwapi. Holds no handles itself: keys it opens belong to the
// caller (see ScopedKey).
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
               RegKey* result) override;
  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override;
  long CloseKey(RegKey key) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                  std::vector<std::uint8_t>* data) override;
  long SetString(RegKey key, const std::string& name, const std::string& value,
                 bool expand = false) override;
  long SetDword(RegKey key, const std::string& name, std::uint32_t value) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) override;
  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override;
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteTree(RegKey parent, const std::string& subKey) override;
};

}  // namespace platform::win32

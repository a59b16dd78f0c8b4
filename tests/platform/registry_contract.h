#pragma once

// What the simulated registry must answer as the real one does. Each check runs on a registry
// and a path below HKEY_CURRENT_USER where it may create keys; what it makes is left for the
// caller to remove. The native tests run them on the simulation, the Wine tests on Windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace registry_contract {

using Bytes = std::vector<std::uint8_t>;
using platform::kHkeyCurrentUser;

// Strings keep their terminating zero, numbers their little-endian bytes; value names ignore
// letter case (the last write wins) and text is read up to the first zero.
inline void ValuesKeepTheBytesAndTypesTheApiStores(platform::Registry& registry,
                                                   const std::string& path) {
  platform::RegKey key = 0;
  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path, &key), 0);
  EXPECT_EQ(registry.SetString(key, "Text", "ab"), 0);
  EXPECT_EQ(registry.SetString(key, "TEXT", "cd"), 0);
  EXPECT_EQ(registry.SetString(key, "Path", "%windir%", true), 0);
  EXPECT_EQ(registry.SetDword(key, "Count", 0x01020304), 0);
  const std::string longText(5000, 'x');
  EXPECT_EQ(registry.SetString(key, "Long", longText), 0);
  registry.CloseKey(key);

  ASSERT_EQ(registry.OpenKey(kHkeyCurrentUser, path, platform::kKeyRead, &key), 0);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(registry.QueryValue(key, "text", &type, &data), 0);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(data, (Bytes{'c', 'd', 0}));
  EXPECT_EQ(registry.QueryValue(key, "Path", &type, &data), 0);
  EXPECT_EQ(type, platform::kRegExpandSz);
  EXPECT_EQ(registry.QueryValue(key, "Count", &type, &data), 0);
  EXPECT_EQ(type, platform::kRegDword);
  EXPECT_EQ(data, (Bytes{4, 3, 2, 1}));
  std::string text;
  EXPECT_TRUE(platform::ReadStringValue(registry, key, "Long", &text));
  EXPECT_EQ(text, longText);
  EXPECT_TRUE(platform::ReadStringValue(registry, key, "Path", &text));
  EXPECT_EQ(text, "%windir%");
  EXPECT_FALSE(platform::ReadStringValue(registry, key, "Count", &text)) << "a number is no text";
  EXPECT_EQ(text, "%windir%");
  EXPECT_EQ(registry.CloseKey(key), 0);
}

inline void MissingKeysAndValuesGiveFileNotFoundAndLeaveOutputsAlone(platform::Registry& registry,
                                                                     const std::string& path) {
  platform::RegKey key = 77;
  EXPECT_EQ(registry.OpenKey(kHkeyCurrentUser, path + "\\Missing", platform::kKeyRead, &key), 2);
  EXPECT_EQ(key, 77u);
  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path, &key), 0);
  std::uint32_t type = 99;
  Bytes data{1, 2};
  EXPECT_EQ(registry.QueryValue(key, "Absent", &type, &data), 2);
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(data, (Bytes{1, 2}));
  EXPECT_EQ(registry.DeleteValue(key, "Absent"), 2);
  EXPECT_EQ(registry.DeleteTree(kHkeyCurrentUser, path + "\\Missing"), 2);
  registry.CloseKey(key);
}

inline void ReadOnlyHandleRefusesValueChangesButNotNewKeysBelow(platform::Registry& registry,
                                                                const std::string& path) {
  platform::RegKey key = 0;
  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path, &key), 0);
  registry.CloseKey(key);
  ASSERT_EQ(registry.OpenKey(kHkeyCurrentUser, path, platform::kKeyRead, &key), 0);
  EXPECT_EQ(registry.SetString(key, "Name", "x"), platform::kErrorAccessDenied);
  EXPECT_EQ(registry.SetDword(key, "Name", 1), platform::kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteValue(key, "Name"), platform::kErrorAccessDenied);
  platform::RegKey child = 0;
  EXPECT_EQ(registry.CreateKey(key, "Vendor\\Product", &child), 0);
  EXPECT_EQ(registry.SetDword(child, "Name", 1), 0);
  registry.CloseKey(child);
  registry.CloseKey(key);
}

// A key deleted with everything below it leaves the handles opened on it dead but closable.
inline void DeleteTreeRemovesEverythingBelowAndStrandsOpenHandles(platform::Registry& registry,
                                                                  const std::string& path) {
  platform::RegKey base = 0;
  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path, &base), 0);
  platform::RegKey deep = 0;
  ASSERT_EQ(registry.CreateKey(base, "Adware\\Settings\\Deep", &deep), 0);
  ASSERT_EQ(registry.SetString(deep, "Url", "http://x"), 0);
  platform::RegKey keep = 0;
  ASSERT_EQ(registry.CreateKey(base, "Keep", &keep), 0);
  registry.CloseKey(keep);

  EXPECT_EQ(registry.DeleteTree(base, "ADWARE"), 0);
  EXPECT_EQ(registry.OpenKey(base, "Adware", platform::kKeyRead, &keep), 2);
  EXPECT_EQ(registry.OpenKey(base, "Keep", platform::kKeyRead, &keep), 0);
  registry.CloseKey(keep);
  EXPECT_EQ(registry.SetString(deep, "Url", "again"), platform::kErrorKeyDeleted);
  EXPECT_EQ(registry.CloseKey(deep), 0);
  registry.CloseKey(base);
}

}  // namespace registry_contract

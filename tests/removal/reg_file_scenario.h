#pragma once

// Registry data through a REGEDIT4 file and back, as the quarantine keeps it: run natively on the
// simulated registry and under Wine on the real one, below a key of the caller's choosing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "removal/reg_file.h"

namespace reg_file_scenario {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// A key with a sub-key tree and a value of every kind the files must keep exactly. Values are
// set in name order, so that Windows' enumeration (the order they were written) and the
// simulation's (name order) agree.
inline void Plant(platform::Registry& registry, platform::RegKey hive, const std::string& path) {
  platform::RegKey key = 0;
  ASSERT_EQ(registry.CreateKey(hive, path, &key), 0);
  const platform::ScopedKey owner(registry, key);
  Bytes blob;
  for (int i = 0; i < 40; ++i) blob.push_back(static_cast<std::uint8_t>(i * 7));
  const std::vector<std::pair<std::string, std::pair<std::uint32_t, Bytes>>> values = {
      {"", {platform::kRegSz, Text(std::string("say \"hi\" to C:\\dir\\\0", 20))}},
      {"Big", {platform::kRegQword, {1, 2, 3, 4, 5, 6, 7, 0x88}}},
      {"Blob", {platform::kRegBinary, blob}},
      {"Count", {platform::kRegDword, {0x2a, 0, 0, 0x80}}},
      {"Empty", {platform::kRegBinary, {}}},
      {"Expand", {platform::kRegExpandSz, Text(std::string("%SystemRoot%\\x\0", 15))}},
      {"Lines", {platform::kRegSz, Text(std::string("a\r\nb\0", 5))}},
      {"Multi", {platform::kRegMultiSz, Text(std::string("a\0bc\0\0", 6))}},
      {"na\"me\\x", {platform::kRegSz, Text(std::string("\0", 1))}},
      {"None", {platform::kRegNone, {9}}},
      {"Short", {platform::kRegDword, {1, 2}}},
      {"Unended", {platform::kRegSz, Text("ab")}},
  };
  for (const auto& [name, value] : values) {
    ASSERT_EQ(registry.SetValue(key, name, value.first, value.second), 0) << name;
  }
  platform::RegKey child = 0;
  ASSERT_EQ(registry.CreateKey(key, "Sub\\Deeper", &child), 0);
  EXPECT_EQ(registry.SetString(child, "Leaf", "green"), 0);
  registry.CloseKey(child);
  ASSERT_EQ(registry.CreateKey(key, "Sub2", &child), 0);
  registry.CloseKey(child);
}

// The exact file for the planted key below HKEY_CURRENT_USER\path.
inline std::string ExpectedFile(const std::string& path) {
  const std::string root = "[HKEY_CURRENT_USER\\" + path;
  return "REGEDIT4\r\n\r\n" + root +
         "]\r\n"
         "@=\"say \\\"hi\\\" to C:\\\\dir\\\\\"\r\n"
         "\"Big\"=hex(b):01,02,03,04,05,06,07,88\r\n"
         "\"Blob\"=hex:00,07,0e,15,1c,23,2a,31,38,3f,46,4d,54,5b,62,69,70,77,7e,85,8c,93,\\\r\n"
         "  9a,a1,a8,af,b6,bd,c4,cb,d2,d9,e0,e7,ee,f5,fc,03,0a,11\r\n"
         "\"Count\"=dword:8000002a\r\n"
         "\"Empty\"=hex:\r\n"
         "\"Expand\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,00\r\n"
         "\"Lines\"=hex(1):61,0d,0a,62,00\r\n"
         "\"Multi\"=hex(7):61,00,62,63,00,00\r\n"
         "\"na\\\"me\\\\x\"=\"\"\r\n"
         "\"None\"=hex(0):09\r\n"
         "\"Short\"=hex(4):01,02\r\n"
         "\"Unended\"=hex(1):61,62\r\n"
         "\r\n" +
         root + "\\Sub]\r\n\r\n" + root + "\\Sub\\Deeper]\r\n\"Leaf\"=\"green\"\r\n\r\n" + root +
         "\\Sub2]\r\n\r\n";
}

// Exported exactly; deleted, imported and exported again, the same text.
inline void KeyRoundTripsThroughItsFile(platform::Registry& registry, const std::string& path) {
  Plant(registry, platform::kHkeyCurrentUser, path);
  const auto text = removal::ExportRegistryKey(registry, platform::kHkeyCurrentUser, path);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, ExpectedFile(path));

  ASSERT_EQ(registry.DeleteTree(platform::kHkeyCurrentUser, path), 0);
  EXPECT_TRUE(removal::ImportRegFile(registry, *text));
  EXPECT_EQ(removal::ExportRegistryKey(registry, platform::kHkeyCurrentUser, path), text);
}

// One value, the default value among them, comes back alone and leaves its neighbours be.
inline void ValueRoundTripsThroughItsFile(platform::Registry& registry, const std::string& path) {
  Plant(registry, platform::kHkeyCurrentUser, path);
  const auto before = removal::ExportRegistryKey(registry, platform::kHkeyCurrentUser, path);
  for (const char* name : {"", "Big", "Blob", "Multi", "Unended"}) {
    const auto value =
        removal::ExportRegistryValue(registry, platform::kHkeyCurrentUser, path, name);
    ASSERT_TRUE(value.has_value()) << name;
    const platform::ScopedKey key =
        platform::OpenScopedKey(registry, platform::kHkeyCurrentUser, path, platform::kKeyWrite);
    ASSERT_EQ(registry.DeleteValue(key.Get(), name), 0) << name;
    EXPECT_TRUE(removal::ImportRegFile(registry, *value)) << *value;
  }
  EXPECT_EQ(removal::ExportRegistryKey(registry, platform::kHkeyCurrentUser, path), before);
  EXPECT_FALSE(removal::ExportRegistryValue(registry, platform::kHkeyCurrentUser, path, "Absent"));
}

}  // namespace reg_file_scenario

#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/windows_api.h"

#include <shlwapi.h>

namespace platform::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::kErrorKeyDeleted;

// Every test works below its own key in HKCU\Software and removes it afterwards.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = "Software\\PlatformTest." + std::to_string(GetCurrentProcessId()) + "." +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path_, &key_), 0);
  }
  void TearDown() override {
    registry.CloseKey(key_);
    SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  }
  std::string Below(const std::string& subKey) const { return path_ + "\\" + subKey; }

  Win32Registry registry;
  std::string path_;
  RegKey key_ = 0;
};

TEST_F(Win32RegistryTest, ValuesKeepTheBytesAndTypesTheApiStores) {
  EXPECT_EQ(registry.SetString(key_, "Text", "ab"), 0);
  EXPECT_EQ(registry.SetString(key_, "TEXT", "cd"), 0);
  EXPECT_EQ(registry.SetString(key_, "Path", "%windir%", true), 0);
  EXPECT_EQ(registry.SetDword(key_, "Count", 0x01020304), 0);
  const std::string longText(5000, 'x');
  EXPECT_EQ(registry.SetString(key_, "Long", longText), 0);

  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kHkeyCurrentUser, "SOFTWARE\\" + path_.substr(9), kKeyRead, &key), 0);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(registry.QueryValue(key, "text", &type, &data), 0);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(data, (Bytes{'c', 'd', 0}));
  EXPECT_EQ(registry.QueryValue(key, "Path", &type, &data), 0);
  EXPECT_EQ(type, kRegExpandSz);
  EXPECT_EQ(registry.QueryValue(key, "Count", &type, &data), 0);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, (Bytes{4, 3, 2, 1}));
  std::string text;
  EXPECT_TRUE(ReadStringValue(registry, key, "Long", &text));
  EXPECT_EQ(text, longText);
  EXPECT_TRUE(ReadStringValue(registry, key, "Path", &text));
  EXPECT_EQ(text, "%windir%");
  EXPECT_EQ(registry.CloseKey(key), 0);
}

TEST_F(Win32RegistryTest, MissingKeysAndValuesGiveFileNotFoundAndLeaveOutputsAlone) {
  RegKey key = 77;
  EXPECT_EQ(registry.OpenKey(kHkeyCurrentUser, Below("Missing"), kKeyRead, &key), 2);
  EXPECT_EQ(key, 77u);
  std::uint32_t type = 99;
  Bytes data{1, 2};
  EXPECT_EQ(registry.QueryValue(key_, "Absent", &type, &data), 2);
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(data, (Bytes{1, 2}));
  EXPECT_EQ(registry.DeleteValue(key_, "Absent"), 2);
  EXPECT_EQ(registry.DeleteTree(kHkeyCurrentUser, Below("Missing")), 2);
}

TEST_F(Win32RegistryTest, ReadOnlyHandleRefusesValueChangesButNotNewKeysBelow) {
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kHkeyCurrentUser, path_, kKeyRead, &key), 0);
  EXPECT_EQ(registry.SetString(key, "Name", "x"), kErrorAccessDenied);
  EXPECT_EQ(registry.SetDword(key, "Name", 1), kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteValue(key, "Name"), kErrorAccessDenied);
  RegKey child = 0;
  EXPECT_EQ(registry.CreateKey(key, "Vendor\\Product", &child), 0);
  EXPECT_EQ(registry.SetDword(child, "Name", 1), 0);
  registry.CloseKey(child);
  registry.CloseKey(key);
}

TEST_F(Win32RegistryTest, DeleteTreeRemovesEverythingBelowAndStrandsOpenHandles) {
  RegKey deep = 0;
  ASSERT_EQ(registry.CreateKey(key_, "Adware\\Settings\\Deep", &deep), 0);
  ASSERT_EQ(registry.SetString(deep, "Url", "http://x"), 0);
  RegKey keep = 0;
  ASSERT_EQ(registry.CreateKey(key_, "Keep", &keep), 0);
  registry.CloseKey(keep);

  EXPECT_EQ(registry.DeleteTree(key_, "ADWARE"), 0);
  EXPECT_EQ(registry.OpenKey(key_, "Adware", kKeyRead, &keep), 2);
  EXPECT_EQ(registry.OpenKey(key_, "Keep", kKeyRead, &keep), 0);
  registry.CloseKey(keep);
  EXPECT_EQ(registry.SetString(deep, "Url", "again"), kErrorKeyDeleted);
  EXPECT_EQ(registry.CloseKey(deep), 0);
}

TEST_F(Win32RegistryTest, HandlesDieOnCloseAndRootsStay) {
  RegKey again = 0;
  ASSERT_EQ(registry.OpenKey(key_, "", kKeyRead, &again), 0);
  EXPECT_NE(again, key_);
  EXPECT_EQ(registry.CloseKey(again), 0);
  EXPECT_EQ(registry.CloseKey(again), kErrorInvalidHandle);
  EXPECT_EQ(registry.CloseKey(kHkeyCurrentUser), 0);
  EXPECT_EQ(registry.OpenKey(kHkeyCurrentUser, path_, kKeyRead, &again), 0);
  registry.CloseKey(again);
  EXPECT_EQ(registry.OpenKey(kHkeyLocalMachine, "Software", kKeyRead, &again), 0);
  registry.CloseKey(again);
}

}  // namespace
}  // namespace platform::win32

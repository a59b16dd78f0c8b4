#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registry_contract.h"
#include "platform/win32/windows_api.h"

#include <shlwapi.h>

namespace platform::win32 {
namespace {

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
  registry_contract::ValuesKeepTheBytesAndTypesTheApiStores(registry, Below("Contract"));
}

TEST_F(Win32RegistryTest, MissingKeysAndValuesGiveFileNotFoundAndLeaveOutputsAlone) {
  registry_contract::MissingKeysAndValuesGiveFileNotFoundAndLeaveOutputsAlone(registry,
                                                                              Below("Contract"));
}

TEST_F(Win32RegistryTest, ReadOnlyHandleRefusesValueChangesButNotNewKeysBelow) {
  registry_contract::ReadOnlyHandleRefusesValueChangesButNotNewKeysBelow(registry,
                                                                         Below("Contract"));
}

TEST_F(Win32RegistryTest, DeleteTreeRemovesEverythingBelowAndStrandsOpenHandles) {
  registry_contract::DeleteTreeRemovesEverythingBelowAndStrandsOpenHandles(registry,
                                                                           Below("Contract"));
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

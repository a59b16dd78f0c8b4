// The quarantine's registry files against the real registry calls.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_registry.h"
#include "platform/win32/windows_api.h"
#include "removal/reg_file_scenario.h"

#include <shlwapi.h>

namespace {

class RegFileWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = "Software\\RegFileTest." + std::to_string(GetCurrentProcessId()) + "." +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }

  platform::win32::Win32Registry registry;
  std::string path_;
};

TEST_F(RegFileWin32Test, KeyRoundTripsThroughItsFile) {
  reg_file_scenario::KeyRoundTripsThroughItsFile(registry, path_);
}

TEST_F(RegFileWin32Test, ValueRoundTripsThroughItsFile) {
  reg_file_scenario::ValueRoundTripsThroughItsFile(registry, path_);
}

}  // namespace

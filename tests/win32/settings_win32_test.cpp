// The settings stores against the real registry: the values land at the locations outside
// programs read them from.
#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "removal/registry_values.h"

#include <shlwapi.h>

namespace {

std::string ReadRaw(HKEY root, const std::string& path, const std::string& name, DWORD* type) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  char data[512] = {};
  DWORD size = sizeof data;
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, type,
                                 reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? std::string(data) : "<no value>";
}

class SettingsWin32Test : public ::testing::Test {
 protected:
  void TearDown() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\VB and VBA Program Settings\\" + app_).c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + company_).c_str());
  }
  platform::win32::Win32Machine real;
  app::Settings settings{real.machine};
  const std::string app_ = "SettingsTest." + std::to_string(GetCurrentProcessId());
  const std::string company_ = "SettingsTestCompany." + std::to_string(GetCurrentProcessId());
};

TEST_F(SettingsWin32Test, PerUserValuesLandUnderTheProgramsKeyAsText) {
  settings.SaveSetting(app_, "OptionAndSettings", "STATUS", "RUNNING");
  settings.SaveSetting(app_, "OptionAndSettings", "STATUS", "STOPPED");
  DWORD type = 0;
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER,
                    "Software\\VB and VBA Program Settings\\" + app_ + "\\OptionAndSettings",
                    "STATUS", &type),
            "STOPPED");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(settings.GetSetting(app_, "OptionAndSettings", "STATUS", "x"), "STOPPED");
  EXPECT_EQ(settings.GetSetting(app_, "Drives", "C:", "True"), "True");
}

TEST_F(SettingsWin32Test, MachineValuesLandUnderTheCompanyAndProgram) {
  settings.SaveMachineSetting(" " + company_ + " ", app_, "Settings", "FirstTime", "Yes");
  DWORD type = 0;
  EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "SOFTWARE\\" + company_ + "\\" + app_ + "\\Settings",
                    "FirstTime", &type),
            "Yes");
  app::SettingError error;
  EXPECT_EQ(settings.GetMachineSetting(company_, app_, "Settings", "FirstTime", "", &error), "Yes");
  EXPECT_EQ(error.number, 0);
  EXPECT_EQ(settings.GetMachineSetting(company_, app_, "Settings", "Missing", "d", &error), "d");
  EXPECT_EQ(error.number, 0);
}

TEST_F(SettingsWin32Test, RegistryValueHelpersWriteTextAndNumbersAndDelete) {
  const std::string key = "SOFTWARE\\" + company_ + "\\Run";
  removal::SetRegistryValue(real.machine.registry, platform::kHkeyLocalMachine, key, "Program",
                            " \"C:\\Program Files\\X\\Program\" ");
  removal::SetRegistryValue(real.machine.registry, platform::kHkeyLocalMachine, key, "Count", "7");
  DWORD type = 0;
  EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, key, "Program", &type),
            "\"C:\\Program Files\\X\\Program\"");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  ReadRaw(HKEY_LOCAL_MACHINE, key, "Count", &type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  removal::DeleteRegistryValue(real.machine.registry, platform::kHkeyLocalMachine, key, "Program");
  EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, key, "Program", &type), "<no value>");
}

}  // namespace

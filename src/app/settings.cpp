#include "app/settings.h"

#include <cmath>
#include <cstdlib>

#include "common/text.h"
#include "platform/desktop.h"
#include "platform/registry.h"

namespace app {

namespace {

std::string PerUserKey(const std::string& appName, const std::string& section) {
  return std::string(kSettingsRoot) + "\\" + appName + "\\" + section;
}

std::string MachineKey(const std::string& companyName, const std::string& appName,
                       const std::string& section) {
  return "SOFTWARE\\" + common::Trim(companyName) + "\\" + common::Trim(appName) + "\\" + common::Trim(section);
}

}  // namespace

std::string Settings::GetSetting(const std::string& appName, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) const {
  platform::Registry& registry = machine_.registry;
  const platform::ScopedKey opened = platform::OpenScopedKey(
      registry, platform::kHkeyCurrentUser, PerUserKey(appName, section), platform::kKeyQueryValue);
  if (!opened.IsOpen()) return defaultValue;
  std::string value;
  if (!platform::ReadStringValue(registry, opened.Get(), key, &value)) return defaultValue;
  return value;
}

void Settings::SaveSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& value) {
  platform::Registry& registry = machine_.registry;
  platform::RegKey handle = 0;
  if (registry.CreateKey(platform::kHkeyCurrentUser, PerUserKey(appName, section), &handle) !=
      platform::kErrorSuccess) {
    return;
  }
  platform::ScopedKey opened(registry, handle);
  registry.SetString(handle, key, value);
}

std::string Settings::GetMachineSetting(const std::string& companyName,
                                        const std::string& appName, const std::string& section,
                                        const std::string& key, const std::string& defaultValue,
                                        SettingError* error) const {
  auto raise = [&](long number, const char* text) {
    if (error != nullptr) *error = {number, text};
    return defaultValue;
  };
  if (error != nullptr) *error = {};
  if (appName.empty()) return raise(kVbObjectError + 1000, "AppName may not be empty");
  if (section.empty()) return raise(kVbObjectError + 1001, "Section may not be empty");
  if (key.empty()) return raise(kVbObjectError + 1002, "Key may not be empty");

  platform::Registry& registry = machine_.registry;
  long result = platform::kErrorSuccess;
  const platform::ScopedKey opened =
      platform::OpenScopedKey(registry, platform::kHkeyLocalMachine,
                              MachineKey(companyName, appName, section), platform::kKeyRead, &result);
  if (result == platform::kErrorFileNotFound) return defaultValue;
  if (result != platform::kErrorSuccess) return raise(result, "Could not open registry section");
  const platform::RegKey handle = opened.Get();

  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (registry.QueryValue(handle, key, &type, &data) != platform::kErrorSuccess) {
    return defaultValue;
  }
  if (type != platform::kRegSz) {
    return raise(static_cast<long>(type), "Registry data not a string");
  }
  std::string text(data.begin(), data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

void Settings::SaveMachineSetting(const std::string& companyName, const std::string& appName,
                                  const std::string& section, const std::string& key,
                                  const std::string& value) {
  platform::Registry& registry = machine_.registry;
  const std::string path = MachineKey(companyName, appName, section);
  // Each failing step may be retried by the user; a retry repeats that step only.
  enum class Step { Create, Write, Done } step = Step::Create;
  platform::ScopedKey opened;
  while (step != Step::Done) {
    long result = platform::kErrorSuccess;
    if (step == Step::Create) {
      platform::RegKey handle = 0;
      result = registry.CreateKey(platform::kHkeyLocalMachine, path, &handle);
      if (result == platform::kErrorSuccess) {
        opened = platform::ScopedKey(registry, handle);
        step = Step::Write;
        continue;
      }
    } else {
      result = registry.SetString(opened.Get(), key, value);
      if (result == platform::kErrorSuccess) {
        step = Step::Done;
        continue;
      }
    }
    if (GetSetting(appName, "Settings", "IgnorePermissionDeniedError", "0") == "1") return;
    const std::string text =
        appName +
        " requires read/write access to the system registry and hard drive in order to run "
        "properly.  This user account does not have the proper permissions set.  As a result "
        "some or all of your settings may not be properly saved.  Please contact your system "
        "administrator or change the permission settings for this account.\r\n\r\nIf you would "
        "like to prevent this error message from being displayed again, please press 'Ignore'.";
    const int answer = machine_.desktop.MessageBox(
        text, "Permission Denied", platform::kMbAbortRetryIgnore | platform::kMbIconWarning);
    if (answer == platform::kIdRetry) continue;
    if (answer == platform::kIdIgnore) {
      SaveSetting(appName, "Settings", "IgnorePermissionDeniedError", "1");
    }
    return;
  }
}

std::optional<bool> ReadBool(const std::string& text) {
  const std::string trimmed = common::Trim(text);
  if (common::EqualsNoCase(trimmed, "True")) return true;
  if (common::EqualsNoCase(trimmed, "False")) return false;
  std::optional<long> number = ReadNumber(trimmed);
  if (!number) return std::nullopt;
  return *number != 0;
}

std::optional<long> ReadNumber(const std::string& text) {
  const std::string trimmed = common::Trim(text);
  if (trimmed.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (end == nullptr || *end != '\0' || !std::isfinite(value)) return std::nullopt;
  if (value > 2147483647.0 || value < -2147483648.0) return std::nullopt;
  // Whole-number conversion rounds halves to the even number.
  return static_cast<long>(std::nearbyint(value));
}

std::string FlagText(bool checked) { return checked ? "1" : "0"; }

std::string BoolText(bool value) { return value ? "True" : "False"; }

}  // namespace app


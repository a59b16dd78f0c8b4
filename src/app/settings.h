#pragma once

#include <optional>
#include <string>

#include "platform/machine.h"

namespace app {

// The section of the per-user store that holds the options and the run-state markers.
inline constexpr const char* kOptions = "OptionAndSettings";

// The base of the error numbers an object raises.
inline constexpr long kVbObjectError = -2147221504;

// The per-user key under which every program's settings live, by application name and section.
inline constexpr const char* kSettingsRoot = "Software\\VB and VBA Program Settings";

// An error raised by the machine-wide store: its number and text. Number 0 is no error.
struct SettingError {
  long number = 0;
  std::string description;
};

// The two settings stores. Per-user: the key kSettingsRoot\<application>\<section> of
// HKEY_CURRENT_USER, text values, missing ones read as the caller's default, writes unchecked.
// Machine-wide: HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<application>\<section>, for the few markers
// that belong to the machine, with a dialog when the user may not write there.
class Settings {
 public:
  explicit Settings(platform::Machine& machine) : machine_(machine) {}

  std::string GetSetting(const std::string& appName, const std::string& section,
                         const std::string& key, const std::string& defaultValue) const;
  void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                   const std::string& value);

  // Reads a text value of the machine-wide store. A missing key or value gives the default; the
  // errors the store raises come back in error (and the default as the value).
  std::string GetMachineSetting(const std::string& companyName, const std::string& appName,
                                const std::string& section, const std::string& key,
                                const std::string& defaultValue, SettingError* error) const;
  // Writes a text value of the machine-wide store. When the registry refuses, asks the user
  // (Abort, Retry, Ignore) unless the user chose before never to be asked again.
  void SaveMachineSetting(const std::string& companyName, const std::string& appName,
                          const std::string& section, const std::string& key,
                          const std::string& value);

 private:
  platform::Machine& machine_;
};

// Reads of stored text. A truth value is "True"/"False" in any letter case or a number (0 false,
// anything else true); a number is the whole text. nullopt when the text is neither: the read
// that needed it fails and its step is skipped.
std::optional<bool> ReadBool(const std::string& text);
std::optional<long> ReadNumber(const std::string& text);
// How a check box and an option are stored.
std::string FlagText(bool checked);
std::string BoolText(bool value);

}  // namespace app

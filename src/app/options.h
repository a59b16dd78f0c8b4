#pragma once

#include <optional>
#include <string>

#include "app/settings.h"

namespace app {

// How an option's value is written: a check box as "1"/"0", an option button or switch as
// "True"/"False", anything else as text.
enum class OptionType { Flag, Switch, Text };

// One stored option: where it lives, what a missing one reads as, and how it is written.
struct Option {
  const char* section;
  const char* key;
  const char* defaultText;
  OptionType type;
};

// Every option and marker of the per-user store, each with its one default. (Sites that must
// tell a missing value from a stored one, such as the first start's language, read the store
// with their own default on purpose and say why.)
namespace option {
inline constexpr Option kShow{kOptions, "SHOW", "True", OptionType::Switch};
inline constexpr Option kStatus{kOptions, "STATUS", "STOPPED", OptionType::Text};
inline constexpr Option kRestart{kOptions, "RESTART", "False", OptionType::Switch};
inline constexpr Option kHomePageShieldOn{kOptions, "optIEHomePageSheildOn", "True",
                                          OptionType::Switch};
inline constexpr Option kHomePageShieldOff{kOptions, "optIEHomePageSheildOff", "False",
                                           OptionType::Switch};
inline constexpr Option kNotifyBeforeRestoring{kOptions, "optAlwaysnotifybeforerestoring", "True",
                                               OptionType::Switch};
inline constexpr Option kRestoreSilently{kOptions, "optRestoredefaultwithoutnotification", "False",
                                         OptionType::Switch};
// The start page the user accepted; the home-page shield's first check adopts the browser's.
inline constexpr Option kHomepage{kOptions, "Homepage", "", OptionType::Text};
inline constexpr Option kMemoryShieldOn{kOptions, "optMemorySheildOn", "True", OptionType::Switch};
inline constexpr Option kMemoryShieldOff{kOptions, "optMemorySheildOff", "False",
                                         OptionType::Switch};
inline constexpr Option kMakeLog{kOptions, "chkMakeLog", "1", OptionType::Flag};
inline constexpr Option kSweepMemory{kOptions, "chkSweepMemory", "1", OptionType::Flag};
inline constexpr Option kScanRegistry{kOptions, "chkScanRegistry", "1", OptionType::Flag};
inline constexpr Option kScanCookies{kOptions, "chkScanCookies", "1", OptionType::Flag};
inline constexpr Option kSendData{kOptions, "chkSendData", "1", OptionType::Flag};
inline constexpr Option kScanOnlyKnown{kOptions, "optScanOnlyKnownSoftwares", "True",
                                       OptionType::Switch};
inline constexpr Option kScanAllDrives{kOptions, "optScanAllSelectedHardDrive", "True",
                                       OptionType::Switch};
// Off unless the first start switched it on (see LoadSettingsIntoControls).
inline constexpr Option kRunAtStartup{kOptions, "chkRunAtStartup", "0", OptionType::Flag};
inline constexpr Option kAutomaticScan{kOptions, "chkAutomaticScanYesOrNo", "0", OptionType::Flag};
inline constexpr Option kAutomaticUpdate{kOptions, "chkAutomaticUpdate", "1", OptionType::Flag};
inline constexpr Option kRanOneTime{"Settings", "ranOneTime", "0", OptionType::Flag};
inline constexpr Option kShowHelp{"Settings", "showHelp", "1", OptionType::Flag};
inline constexpr Option kMinimized{"Settings", "Minimized", "No", OptionType::Text};
inline constexpr Option kMaximized{"Settings", "Max", "0", OptionType::Flag};
inline constexpr Option kLanguage{"Settings", "Language", "English", OptionType::Text};
inline constexpr Option kRemovedTotal{"Settings", "lblDefRemoved", "0", OptionType::Text};
inline constexpr Option kLastScan{"Settings", "lblLastScan", "Never", OptionType::Text};
inline constexpr Option kLastFullScan{"Settings", "lblLastFullScan", "Never", OptionType::Text};
// The schedule: the "Run on:" index (Daily when missing; the page reads it with its own default
// to tell a schedule never applied), the time and the date, and the automatic removal.
inline constexpr Option kScheduleDay{kOptions, "Day", "7", OptionType::Text};
inline constexpr Option kScheduleTime{kOptions, "Time", "Null", OptionType::Text};
inline constexpr Option kScheduleDate{kOptions, "Date", "Null", OptionType::Text};
inline constexpr Option kAutoDelete{"Settings", "chkAutoDel", "0", OptionType::Flag};
// The day of the last Live Update that reached the server and ended well ("YYYY-MM-DD", the
// schedule's form), and after how many days without one the status page warns (0: never).
inline constexpr Option kLastLiveUpdate{"Settings", "LastLiveUpdate", "", OptionType::Text};
inline constexpr Option kUpdateWarningDays{"Settings", "UpdateWarningDays", "14",
                                           OptionType::Text};
}  // namespace option

// The table: every option above, for checks that walk them all.
inline constexpr const Option* kOptionTable[] = {
    &option::kShow,
    &option::kStatus,
    &option::kRestart,
    &option::kHomePageShieldOn,
    &option::kHomePageShieldOff,
    &option::kNotifyBeforeRestoring,
    &option::kRestoreSilently,
    &option::kHomepage,
    &option::kMemoryShieldOn,
    &option::kMemoryShieldOff,
    &option::kMakeLog,
    &option::kSweepMemory,
    &option::kScanRegistry,
    &option::kScanCookies,
    &option::kSendData,
    &option::kScanOnlyKnown,
    &option::kScanAllDrives,
    &option::kRunAtStartup,
    &option::kAutomaticScan,
    &option::kAutomaticUpdate,
    &option::kRanOneTime,
    &option::kShowHelp,
    &option::kMinimized,
    &option::kMaximized,
    &option::kLanguage,
    &option::kRemovedTotal,
    &option::kLastScan,
    &option::kLastFullScan,
    &option::kScheduleDay,
    &option::kScheduleTime,
    &option::kScheduleDate,
    &option::kAutoDelete,
    &option::kLastLiveUpdate,
    &option::kUpdateWarningDays,
};

// An option's stored text as the type reads it: a flag or switch as true/false, nullopt when
// the text is neither (the step that needed it is skipped, as a failed read would skip it).
std::optional<bool> OptionValue(const Option& option, const std::string& stored);
// The text a value of the option is stored as.
std::string OptionText(const Option& option, bool value);

}  // namespace app

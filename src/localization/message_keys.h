#pragma once

// The keys of the message catalogue, by name: a key mistyped at a call is a compile error, not
// a message that silently reads as its key. The texts are the catalogue's (default_messages.cpp
// and the language file).
namespace localization::msg {

inline constexpr char kThank1[] = "MSG_THANK1";
inline constexpr char kThank2[] = "MSG_THANK2";
inline constexpr char kThank3[] = "MSG_THANK3";
inline constexpr char kThank4[] = "MSG_THANK4";
inline constexpr char kMissing[] = "MSG_MISSING";
inline constexpr char kPaused[] = "MSG_PAUSED";
inline constexpr char kSure[] = "MSG_SURE";
inline constexpr char kExclude1[] = "MSG_EXCLUDE1";
inline constexpr char kExclude2[] = "MSG_EXCLUDE2";
inline constexpr char kInternet[] = "MSG_INTERNET";
inline constexpr char kAnon1[] = "MSG_ANON1";
inline constexpr char kAnon2[] = "MSG_ANON2";
inline constexpr char kAnon3[] = "MSG_ANON3";
inline constexpr char kAnon4[] = "MSG_ANON4";
inline constexpr char kSorry[] = "MSG_SORRY";
inline constexpr char kSorry2[] = "MSG_SORRY2";
inline constexpr char kExcSure1[] = "MSG_EXC_SURE1";
inline constexpr char kExcSure2[] = "MSG_EXC_SURE2";
inline constexpr char kExcSure3[] = "MSG_EXC_SURE3";
inline constexpr char kExcSure4[] = "MSG_EXC_SURE4";
inline constexpr char kDate[] = "MSG_DATE";
inline constexpr char kStop[] = "MSG_STOP";
inline constexpr char kSelected[] = "MSG_SELECTED";
inline constexpr char kConfirm1[] = "MSG_CONFIRM1";
inline constexpr char kConfirm2[] = "MSG_CONFIRM2";
inline constexpr char kConfirm3[] = "MSG_CONFIRM3";
inline constexpr char kConfirm4[] = "MSG_CONFIRM4";
inline constexpr char kErrorStopped[] = "MSG_ERROR_STOPPED";
inline constexpr char kFound1[] = "MSG_FOUND1";
inline constexpr char kFound2[] = "MSG_FOUND2";
inline constexpr char kFound3[] = "MSG_FOUND3";
inline constexpr char kClosing[] = "MSG_CLOSING";
inline constexpr char kReally[] = "MSG_REALLY";
inline constexpr char kRemoving[] = "MSG_REMOVING";
inline constexpr char kRemoving2[] = "MSG_REMOVING2";
inline constexpr char kCompleted[] = "MSG_COMPLETED";
inline constexpr char kMissingfiles[] = "MSG_MISSINGFILES";
inline constexpr char kNocompany[] = "MSG_NOCOMPANY";
inline constexpr char kDownloading[] = "MSG_DOWNLOADING";
inline constexpr char kConnecting[] = "MSG_CONNECTING";
inline constexpr char kChecking[] = "MSG_CHECKING";
inline constexpr char kConnecting2[] = "MSG_CONNECTING2";
inline constexpr char kSending[] = "MSG_SENDING";
inline constexpr char kSent[] = "MSG_SENT";
inline constexpr char kReceiving[] = "MSG_RECEIVING";
inline constexpr char kScanCancelled[] = "MSG_SCAN_CANCELLED";
inline constexpr char kScanCompleted[] = "MSG_SCAN_COMPLETED";
inline constexpr char kResults[] = "MSG_RESULTS";
inline constexpr char kResultsThank[] = "MSG_RESULTS_THANK";
inline constexpr char kProblem[] = "MSG_PROBLEM";
inline constexpr char kProblem2[] = "MSG_PROBLEM2";
inline constexpr char kUpdatedDefs[] = "MSG_UPDATED_DEFS";
inline constexpr char kRecentDefs[] = "MSG_RECENT_DEFS";
inline constexpr char kWebsite[] = "MSG_WEBSITE";
inline constexpr char kCaption[] = "MSG_CAPTION";
inline constexpr char kCaption2[] = "MSG_CAPTION2";
inline constexpr char kCookies[] = "MSG_COOKIES";
inline constexpr char kCookiesFinished[] = "MSG_COOKIES_FINISHED";
inline constexpr char kMemory[] = "MSG_MEMORY";
inline constexpr char kNotseleced[] = "MSG_NOTSELECED";
inline constexpr char kRegistry[] = "MSG_REGISTRY";
inline constexpr char kSpyware[] = "MSG_SPYWARE";
inline constexpr char kInformation[] = "MSG_INFORMATION";
inline constexpr char kRestorepoint[] = "MSG_RESTOREPOINT";
inline constexpr char kComplete[] = "MSG_COMPLETE";
inline constexpr char kHomepageLocked[] = "MSG_HOMEPAGE_LOCKED";
inline constexpr char kTitlelanguage[] = "MSG_TITLELANGUAGE";
inline constexpr char kDownloaded[] = "MSG_DOWNLOADED";
inline constexpr char kUpdateRefused[] = "MSG_UPDATE_REFUSED";
inline constexpr char kUpdateOverdue[] = "MSG_UPDATE_OVERDUE";
inline constexpr char kTitleRestore[] = "MSG_TITLERESTORE";
inline constexpr char kKindFile[] = "MSG_KIND_FILE";
inline constexpr char kKindFolder[] = "MSG_KIND_FOLDER";
inline constexpr char kKindCookie[] = "MSG_KIND_COOKIE";
inline constexpr char kKindRegistryValue[] = "MSG_KIND_REGVALUE";
inline constexpr char kKindRegistryKey[] = "MSG_KIND_REGKEY";
inline constexpr char kKindFromLog[] = "MSG_KIND_FROMLOG";
inline constexpr char kQuarantineSize[] = "MSG_QUARANTINE_SIZE";
inline constexpr char kRestoreNothingSelected[] = "MSG_RESTORE_NONE";
inline constexpr char kRestoreReplace[] = "MSG_RESTORE_REPLACE";
inline constexpr char kRestoreProtected[] = "MSG_RESTORE_PROTECTED";
inline constexpr char kRestoreNoCopy[] = "MSG_RESTORE_NOCOPY";
inline constexpr char kRestoreFailed[] = "MSG_RESTORE_FAILED";
inline constexpr char kRestoreExclude[] = "MSG_RESTORE_EXCLUDE";
inline constexpr char kPurgeSure[] = "MSG_PURGE_SURE";
inline constexpr char kPurgeFailed[] = "MSG_PURGE_FAILED";

}  // namespace localization::msg

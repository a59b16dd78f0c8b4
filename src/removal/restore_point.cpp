#include "removal/restore_point.h"

namespace removal {

RestorePoint::RestorePoint(platform::Machine& machine) : machine_(machine) {}

bool RestorePoint::IsRestorePointSupported() {
  platform::OsVersion version{0, 0, 0};
  if (!machine_.system.GetVersion(&version)) return false;
  switch (version.platformId) {
    case platform::kPlatformWin32Windows:
      return version.minor == 90;  // Windows Me
    case platform::kPlatformWin32Nt:
      return version.major > 5 || (version.major == 5 && version.minor == 1);
    default:
      return false;
  }
}

bool RestorePoint::BeginRestorePoint(const std::string& description, std::uint32_t restorePointType,
                                     RestorePointError* error) {
  if (sequence_ != 0) {
    if (error != nullptr) *error = RestorePointError{kErrorRestorePointOpen, kRestorePointOpenText};
    return false;
  }
  const platform::RestorePointResult result = machine_.restore.SetRestorePoint(
      platform::kBeginSystemChange, restorePointType, 0,
      description.substr(0, platform::kRestorePointDescriptionMax));
  if (!result.ok) return false;
  sequence_ = result.sequence;
  return true;
}

bool RestorePoint::EndRestorePoint() {
  const platform::RestorePointResult result =
      machine_.restore.SetRestorePoint(platform::kEndSystemChange, 0, sequence_, "");
  sequence_ = 0;
  return result.ok;
}

}  // namespace removal

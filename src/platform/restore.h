#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Event types of a restore-point request.
inline constexpr std::uint32_t kBeginSystemChange = 100;
inline constexpr std::uint32_t kEndSystemChange = 101;
// Restore-point types, as the API numbers them.
inline constexpr std::uint32_t kApplicationInstall = 0;
inline constexpr std::uint32_t kRestorePointRestore = 6;
inline constexpr std::uint32_t kCancelledOperation = 13;

// The size of a request's description field (the API's MAX_DESC). The program cuts a longer
// description to this many characters; the field also holds the final NUL, so Windows is given
// one character fewer.
inline constexpr std::size_t kRestorePointDescriptionMax = 64;

// Status answers a refusal may carry (the status is 0 when the call succeeds).
inline constexpr std::uint32_t kSrStatusInvalidData = 13;        // no such restore point is open
inline constexpr std::uint32_t kSrStatusServiceDisabled = 1058;  // System Restore is switched off

struct RestorePointResult {
  bool ok = false;            // SRSetRestorePointA returned TRUE
  std::uint32_t status = 0;   // its status field (the load error when srclient is missing)
  std::int64_t sequence = 0;  // the restore point's sequence number
};

// System Restore (srclient): SRSetRestorePointA with a RESTOREPOINTINFOA request and a
// STATEMGRSTATUS answer. A system without System Restore refuses every request.
class Restore {
 public:
  virtual ~Restore() = default;
  // Begins (kBeginSystemChange, with the restore-point type and description; the sequence is 0)
  // or ends (kEndSystemChange, with the sequence number the beginning returned) a restore point.
  virtual RestorePointResult SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                             std::int64_t sequence,
                                             const std::string& description) = 0;
};

}  // namespace platform

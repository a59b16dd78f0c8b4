#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr std::uint32_t kBeginSystemChange = 100;
inline constexpr std::uint32_t kEndSystemChange = 101;
inline constexpr std::uint32_t kApplicationInstall = 0;
inline constexpr std::uint32_t kCancelledOperation = 13;

struct RestorePointResult {
  bool ok = false;             // SRSetRestorePointA returned TRUE
  std::uint32_t status = 0;    // its status field
  std::int64_t sequence = 0;   // the restore point's sequence number
};

// System Restore (srclient).
class Restore {
 public:
  virtual ~Restore() = default;
  virtual RestorePointResult SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                             std::int64_t sequence,
                                             const std::string& description) = 0;
};

}  // namespace platform

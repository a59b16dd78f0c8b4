#pragma once

#include <cstdint>
#include <string>

#include "platform/machine.h"

namespace removal {

// The error BeginRestorePoint raises while a restore point is still open.
inline constexpr long kErrorRestorePointOpen = 100001;
inline constexpr const char* kRestorePointOpenText =
    "You must End the previous restore point first.";

// An error raised to the caller, who ignores it and goes on.
struct RestorePointError {
  long number = 0;
  std::string description;
};

// The system restore point that brackets a removal, so that the user can undo all of it with
// the system's own tool. At most one is open at a time; the sequence number its beginning
// returned is kept until it is ended.
class RestorePoint {
 public:
  explicit RestorePoint(platform::Machine& machine);
  RestorePoint(const RestorePoint&) = delete;
  RestorePoint& operator=(const RestorePoint&) = delete;

  // System Restore exists on Windows Me and on Windows XP and every later NT version; not on
  // Windows 2000 (5.0) nor Server 2003 (5.2), nor when the version cannot be read.
  bool IsRestorePointSupported();
  // Asks the system to begin a restore point of this type (description cut to 64 characters).
  // True when it accepted. While one is open nothing is asked: false, with error set to
  // kErrorRestorePointOpen.
  bool BeginRestorePoint(const std::string& description, std::uint32_t restorePointType,
                         RestorePointError* error = nullptr);
  // Asks the system to end the open restore point (the end call carries its sequence number,
  // 0 when none is open). The point counts as closed whatever the answer. True when accepted.
  bool EndRestorePoint();

  // The sequence number of the open restore point; 0 when none is open.
  std::int64_t RestorePointSequence() const { return sequence_; }

 private:
  platform::Machine& machine_;
  std::int64_t sequence_ = 0;
};

}  // namespace removal

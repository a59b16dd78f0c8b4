#pragma once

#include "platform/libraries.h"

namespace platform::win32 {

// Libraries mapped without their start-up code and freed before the call returns, so the file
// can be deleted right after.
class Win32Libraries : public Libraries {
 public:
  LibraryLookup LookUpEntryPoint(const std::string& path, const std::string& entry) override;
};

}  // namespace platform::win32

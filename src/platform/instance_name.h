#pragma once

#include <string>

namespace platform {

// The name of the mutex that marks a running instance of the program: one per executable name and
// user, in the session's own namespace, so a copy started by another user or in another session
// does not count. Kernel object names are case-sensitive.
inline std::string InstanceMutexName(const std::string& exeName, const std::string& userName) {
  return "Local\\" + exeName + "." + userName + ".instance";
}

}  // namespace platform

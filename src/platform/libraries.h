#pragma once

#include <string>

namespace platform {

// What looking into a library found.
struct LibraryLookup {
  bool loaded = false;  // the file could be mapped as a library
  bool found = false;   // it exports the entry point asked for
};

// Dynamic-link libraries, looked into without running them. The removal looks up a threat's
// registration entry points before it deletes the file; a known-bad library must never get to
// run its code inside the scanner.
class Libraries {
 public:
  virtual ~Libraries() = default;
  // LoadLibraryExA with DONT_RESOLVE_DLL_REFERENCES (neither its start-up code nor its imports
  // run or load), GetProcAddress for the entry point, FreeLibrary. Nothing is called.
  virtual LibraryLookup LookUpEntryPoint(const std::string& path, const std::string& entry) = 0;
};

}  // namespace platform

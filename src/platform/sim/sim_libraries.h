#pragma once

#include <string>
#include <vector>

#include "platform/libraries.h"
#include "platform/sim/sim_files.h"

namespace platform::sim {

// One look into a library, as the program asked for it, with its answer.
struct LibraryLookupCall {
  std::string path;
  std::string entry;
  LibraryLookup answer;
};

// Libraries on the simulated file system: a readable file that begins with "MZ" maps as a
// library, and it exports every name that its bytes hold as a NUL-terminated text (the export
// table of a real library holds its names so). Code never runs on the simulated machine.
class SimLibraries : public Libraries {
 public:
  explicit SimLibraries(SimFiles& files) : files_(files) {}

  LibraryLookup LookUpEntryPoint(const std::string& path, const std::string& entry) override {
    LibraryLookup answer;
    const auto bytes = files_.ReadAll(path);
    if (bytes && bytes->compare(0, 2, "MZ") == 0) {
      answer.loaded = true;
      answer.found = !entry.empty() && bytes->find(entry + '\0') != std::string::npos;
    }
    calls_.push_back(LibraryLookupCall{path, entry, answer});
    return answer;
  }

  // Every look so far, in order.
  const std::vector<LibraryLookupCall>& Calls() const { return calls_; }

 private:
  SimFiles& files_;
  std::vector<LibraryLookupCall> calls_;
};

}  // namespace platform::sim

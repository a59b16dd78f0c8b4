#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "platform/processes.h"
#include "protection/frm_spyware_found_alert.h"

namespace protection {

// The memory shield's tick: with the shield on, the background timers go off, the process stage
// runs in shield mode and asks about every running threat, and the timers go on again. Only one
// tick runs at a time: while its question is open events keep running, and a tick started by
// anything meanwhile does nothing.
class MemoryShield {
 public:
  using Ask = std::function<void(const std::string& fileName, const std::string& companyText,
                                 std::uint32_t pid)>;
  struct Services {
    platform::Processes& processes;
    // `optMemorySheildOn`, as stored now.
    std::function<bool()> shieldOn;
    // `SetBackgroundTimers`.
    std::function<void(bool enable)> setBackgroundTimers;
    // Runs the process stage in shield mode; every match that is no exclusion goes to ask.
    std::function<void(const Ask& ask)> runProcessStage;
    // The alert's question about one process; returns once it was answered or closed.
    std::function<frmSpywareFoundAlert::Answer(const std::string& fileName,
                                               const std::string& companyText, std::uint32_t pid)>
        askUser;
    // The program is closing: nothing more is asked.
    std::function<bool()> ending;
  };

  explicit MemoryShield(Services services);

  // The tick of `tmrMemoryInspected` (also run by every third home-page tick).
  void Tick();
  bool Running() const { return running_; }

 private:
  void AskAbout(const std::string& fileName, const std::string& companyText, std::uint32_t pid);
  // Forgets the processes that have ended since they could not be stopped.
  void ForgetEndedProcesses();

  Services services_;
  bool running_ = false;
  // Processes (id and file name) that survived STOP once: the user has seen that they cannot be
  // stopped, so they are not asked about again while they run.
  std::set<std::pair<std::uint32_t, std::string>> unstoppable_;
};

}  // namespace protection

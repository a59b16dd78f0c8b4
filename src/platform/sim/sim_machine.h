#pragma once

#include <memory>
#include <string>

#include "platform/machine.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_named_objects.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_system.h"

namespace platform::sim {

// The user logged on to a fresh simulated machine.
inline constexpr const char* kSimUserName = "User";

// Another program running on a simulated machine: it shares the machine's registry, clock and
// named objects, and has its own desktop (message box script, instance claim) and its own view of
// the program it runs; `machine` is its view of the machine. Ending it (destroying it) releases
// what it held. It must not outlive the machine that started it.
class SimProcess {
 public:
  SimProcess(SimRegistry& registry, SimClock& clock, SimNamedObjects& namedObjects,
             const SimSystem& program, const std::string& userName)
      : system(program),
        desktop(namedObjects, system, userName),
        machine{registry, system, desktop, clock} {}
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  SimSystem system;
  SimDesktop desktop;
  Machine machine;
};

// A simulated Windows machine with the program running on it. Tests set up the machine through the
// sims (registry, system, desktop, clock) and hand `machine` to the code under test.
class SimMachine {
 public:
  SimMachine() = default;
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  // Starts another copy of the program (same exe name and folder) for the same user, or for
  // another user of the same machine.
  std::unique_ptr<SimProcess> StartProcess() { return StartProcessAs(kSimUserName); }
  std::unique_ptr<SimProcess> StartProcessAs(const std::string& userName) {
    return std::make_unique<SimProcess>(registry, clock, namedObjects, system, userName);
  }
  // Another instance of the program that has already claimed its place, as when the user starts
  // the program a second time.
  std::unique_ptr<SimProcess> StartOtherInstance() {
    auto process = StartProcess();
    process->desktop.AnotherInstanceRunning();
    return process;
  }

  SimRegistry registry;
  SimClock clock;
  SimNamedObjects namedObjects;
  SimSystem system;
  SimDesktop desktop{namedObjects, system, kSimUserName};
  Machine machine{registry, system, desktop, clock};
};

}  // namespace platform::sim

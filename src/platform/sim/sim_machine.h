#pragma once

#include <memory>
#include <string>

#include "platform/machine.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_code_page.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_faults.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_internet.h"
#include "platform/sim/sim_libraries.h"
#include "platform/sim/sim_named_objects.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_restore.h"
#include "platform/sim/sim_shell_folders.h"
#include "platform/sim/sim_signatures.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_tray.h"

namespace platform::sim {

// The user logged on to a fresh simulated machine.
inline constexpr const char* kSimUserName = "User";

// The data folder that the installer made for the user.
inline constexpr const char* kSimDataFolder =
    "C:\\Documents and Settings\\User\\Application Data\\AntiSpywareDAT";

// Another program running on a simulated machine: it shares the machine's registry, clock, named
// objects, file system, shell folders, code page, process table, System Restore, clipboard,
// libraries and network, and has its own desktop (message box script, instance claim) and its own
// view of the program it runs; `machine` is its view of the machine. Ending it (destroying it)
// releases what it held. It must not outlive the machine that started it.
class SimMachine;
class SimProcess {
 public:
  SimProcess(SimMachine& host, const std::string& userName);
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  SimSystem system;
  SimDesktop desktop;
  Machine machine;
};

// A simulated Windows machine with the program running on it. Tests set up the machine through the
// sims (registry, system, desktop, clock, files, shell folders) and hand `machine` to the code
// under test. The program is installed: its folder and the user's (empty) data folder exist, and
// the program runs with its own folder as the current folder.
class SimMachine {
 public:
  SimMachine() {
    files.AddFolder(system.ProgramFolder());
    files.AddFolder(kSimDataFolder);
    files.SetCurrentDirectory(system.ProgramFolder());
    // The programs of Windows that the program starts by name.
    const std::string windows = "C:\\WINDOWS";
    files.AddFile(windows + "\\explorer.exe", "MZ");
    files.AddFile(windows + "\\notepad.exe", "MZ");
    files.AddFile(windows + "\\system32\\notepad.exe", "MZ");
    desktop.SetProgramStarter(StarterFor(system));
  }
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  // Starts another copy of the program (same exe name and folder) for the same user, or for
  // another user of the same machine.
  std::unique_ptr<SimProcess> StartProcess() { return StartProcessAs(kSimUserName); }
  std::unique_ptr<SimProcess> StartProcessAs(const std::string& userName) {
    return std::make_unique<SimProcess>(*this, userName);
  }
  // Another instance of the program that has already claimed its place, as when the user starts
  // the program a second time.
  std::unique_ptr<SimProcess> StartOtherInstance() {
    auto process = StartProcess();
    process->desktop.AnotherInstanceRunning();
    return process;
  }
  // What a process's StartProgram runs: the command line as a process of this machine.
  ProgramStarter StarterFor(SimSystem& ownSystem) {
    return [this, &ownSystem](const std::string& commandLine) {
      return processes.StartCommandLine(commandLine, ownSystem.ProgramFolder());
    };
  }

  SimRegistry registry;
  SimClock clock;
  SimNamedObjects namedObjects;
  SimSystem system;
  SimDesktop desktop{namedObjects, system, kSimUserName};
  SimFiles files;
  SimShellFolders shellFolders{files, kSimUserName};
  SimCodePage codePage;
  SimTray tray;
  // The running programs; the idle and system processes only, until a test starts more.
  SimProcesses processes{files, system};
  // System Restore, switched on; and the session's clipboard, shared by every process.
  SimRestore restore;
  SimClipboard clipboard;
  // Libraries are looked into on the shared file system.
  SimLibraries libraries{files};
  // The network, shared with the other processes; no server answers until a test sets one up.
  SimInternet internet{clock};
  // Signatures are checked with OpenSSL, as Windows checks them with CNG.
  SimSignatures signatures;
  // The faults the program's file, registry and network calls meet (none until a test arms
  // one); the program reaches those three sims through these counting views.
  SimFaults faults;
  FaultyFiles faultyFiles{files, faults};
  FaultyRegistry faultyRegistry{registry, faults};
  FaultyInternet faultyInternet{internet, faults};
  Machine machine{faultyRegistry, system,    desktop,        clock,     faultyFiles,
                  shellFolders,   codePage,  tray,           processes, restore,
                  clipboard,      libraries, faultyInternet, signatures};
};

inline SimProcess::SimProcess(SimMachine& host, const std::string& userName)
    : system(host.system),
      desktop(host.namedObjects, system, userName),
      machine{host.faultyRegistry, system,           desktop,
              host.clock,          host.faultyFiles, host.shellFolders,
              host.codePage,       host.tray,        host.processes,
              host.restore,        host.clipboard,   host.libraries,
              host.faultyInternet, host.signatures} {
  desktop.SetProgramStarter(host.StarterFor(system));
}

}  // namespace platform::sim

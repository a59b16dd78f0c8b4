#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/machine.h"
#include "scan/scan_context.h"

namespace scan {

// The program's own companion executable: never reported, whatever the definitions say.
inline constexpr const char* kCompanionExecutable = "RivevaZideduzArodar.exe";

// The running programs: names and ids side by side. On the NT family the names are module base
// names, on the 9x family the paths the snapshot reports. count is -1, with both lists empty,
// when the processes could not be listed.
struct ProcessList {
  std::vector<std::string> names;
  std::vector<std::uint32_t> ids;
  int count = -1;
};

// `ListProcesses`: every process with a name; with a filter only those whose name contains it
// (letter case counts). The NT family asks EnumProcesses with room for 128 ids, doubling the room
// while the answer fills it; the 9x family walks a snapshot of everything.
ProcessList ListProcesses(platform::Processes& processes, const std::string& filter, bool nt);

// `GetProcessBaseName`: "System Idle Process" for id 0, "System" for id 2, else the first
// module's base name; "" when the process cannot be opened or read.
std::string GetProcessBaseName(platform::Processes& processes, std::uint32_t pid);

// `NormalizeSystem32Path`: a path that holds "SYSTEM32\" (letter case ignored) becomes the system
// directory, "\" and what follows the last "SYSTEM32\", so the forms \SystemRoot\System32\... and
// \??\C:\WINDOWS\system32\... in which Windows reports early programs become real paths.
std::string NormalizeSystem32Path(platform::Processes& processes, const std::string& path);

// `GetFileNameOnly`: the path cut before its first NUL, then the text after its last "\".
std::string GetFileNameOnly(const std::string& path);

// `StopProcessByName`: ends the first running process of that executable name. Names are
// compared in a reduced form (16 characters or more: the first 15; otherwise, with a ".", the
// part before it), so a long name also finds its process under a truncated name, and the 8.3
// short form (the first 6 characters of the name without ".exe", then "~1") finds it too. At
// most 11 attempts. True when no process of that name runs or it has ended; false when it
// survived every attempt. Yields after each process that does not match.
bool StopProcessByName(platform::Machine& machine, const std::string& name,
                       const std::function<void()>& yield);
// Ends every running process whose executable image is that very file, the paths compared in
// the spelling Windows resolves them to. A program of the same name elsewhere (a fake
// explorer.exe in a temporary folder and the real one) and the program itself are never
// touched. True when none of them runs any more.
bool StopProcessesOfFile(platform::Machine& machine, const std::string& path,
                         const std::function<void()>& yield);
// What `StopProcessByName` does once it has found its process: at most 11 attempts to end it,
// true when it has ended (or was gone already).
bool StopProcessById(platform::Machine& machine, std::uint32_t pid);

// `TerminateProcessById`: terminates the process with the exit code, with the debug privilege
// switched on around it on the NT family. False when the privilege could not be had or the
// process could not be opened or terminated.
bool TerminateProcessById(platform::Machine& machine, std::uint32_t pid, std::uint32_t exitCode);

// `KillProcessById` of the 9x family: terminate with the exit code the process reports.
void KillProcessById(platform::Processes& processes, std::uint32_t pid);

// The two families' process stages that `ScanMemory` chooses between.
void ScanProcessesNT(ScanContext& context);
void ScanProcesses9x(ScanContext& context);

// `ReportProcessThreat`: in a user's scan the process is listed as stopped and stopped at once;
// in a shield run the user is asked through the memory-shield alert, which stops or allows it.
// Either way it is the matched process (pid) that is stopped, not another of the same name.
void ReportProcessThreat(ScanContext& context, const std::string& fileName,
                         const std::string& company, std::uint32_t pid);

}  // namespace scan

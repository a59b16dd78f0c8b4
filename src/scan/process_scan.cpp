// The running-program stage: `ScanMemory` and the routines of both platform families, and the
// stopping of a process by name that removal and the memory shield use too.
#include "scan/process_scan.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "definitions/locations.h"
#include "definitions/placeholders.h"
#include "definitions/protected_paths.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "scan/company_name.h"
#include "scan/stages.h"

namespace scan {

namespace {

constexpr std::size_t kFirstIdRoom = 128;
// Far beyond any real machine; keeps a list that never stops filling its room from growing
// without end.
constexpr std::size_t kMostIds = 1 << 20;
constexpr int kStopRetries = 10;
constexpr const char* kLineBreak = "\r\n";

// The text before the first "=" of a definition line: the executable's file name.
std::string DefinitionFileName(const std::string& line) {
  return line.substr(0, line.find('='));
}

// A name as `StopProcessByName` compares it.
std::string ReducedName(const std::string& name) {
  if (name.size() >= 16) return name.substr(0, 15);
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) return common::UpperCase(name.substr(0, dot));
  return name;
}

// Folders as the definitions write them and as they expand. Many entries share a folder, and the
// memory shield reads every entry on each of its runs.
using ExpandedFolders = std::unordered_map<std::string, std::string>;

// The signature of an NT entry line: its folder, made real, "\" and its file name, with every
// "\\" collapsed. Lines without "=" have none.
bool EntrySignature(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                    const std::string& line, ExpandedFolders& expanded, std::string* signature) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = line.substr(0, equals);
  std::string rest = line.substr(equals + 1);
  rest = rest.substr(0, rest.find('='));
  // With two pieces or more the first is the threat name and the second the folder; a single
  // piece is the folder.
  const std::vector<std::string> pieces = common::Split(rest, "|");
  const std::string& folder = common::Piece(pieces, pieces.size() >= 2 ? 1 : 0);
  auto [at, added] = expanded.try_emplace(folder);
  if (added) at->second = definitions::ExpandLocation(shellFolders, driveRoot, folder);
  *signature = definitions::CollapseBackslashes(at->second + "\\" + name);
  return true;
}

// `ProcessSignatures`, indexed: the upper-cased signatures, so that each running program costs
// one look-up however many definitions there are. The list has always been one text of the
// signatures between "|"s, searched for "|" & path & "|": a signature holding a "|" therefore
// stands for each of its pieces, and so it does here.
using SignatureIndex = std::unordered_set<std::string>;

void AddSignature(SignatureIndex& index, const std::string& signature) {
  for (const std::string& piece : common::Split(common::UpperCase(signature), "|")) {
    index.insert(piece);
  }
}

void UnlockMainWindow(ScanContext& context) {
  if (context.lockMainWindow) context.lockMainWindow(false);
}

// One process of the NT loop: read its first module's path, match it, and report it unless it is
// the system maker's, excluded, or the companion.
void ExamineProcessNT(ScanContext& context, const SignatureIndex& signatures, std::uint32_t pid) {
  platform::Machine& machine = context.machine;
  const std::optional<std::string> module = machine.processes.ModuleFileName(pid);
  if (!module) return;
  const std::string path =
      NormalizeSystem32Path(machine.processes, common::UpperCase(common::Trim(*module)));
  const std::string fileName = common::GetFileName(path);
  if (signatures.count(common::UpperCase(path)) == 0) return;

  // The program itself, its own folder and the protected places are never a threat: stopping
  // them would end the scan, or Windows.
  if (context.protectedPaths.IsProtectedPath(definitions::CanonicalFilePath(machine.files, path))) {
    return;
  }
  const std::string company = GetFileCompanyName(machine.files, path);
  if (IsSystemMaker(company)) return;
  if (context.exclusions.IsExcluded(fileName)) {
    context.results.AddExcludedRow(fileName);
    return;
  }
  if (common::EqualsNoCase(common::Trim(fileName), kCompanionExecutable)) return;
  ReportProcessThreat(context, fileName, company, pid);
  ++context.counters.threatsFound;
}

// The 9x family matches a line that ends with the bare file name: the text from the name's first
// occurrence in the kept definitions to the end of that line must be the name itself.
bool MatchesKeptLine(const std::string& upperKept, const std::string& fileName) {
  if (fileName.empty()) return false;
  const std::size_t at = upperKept.find(fileName);
  if (at == std::string::npos) return false;
  const std::size_t end = upperKept.find(kLineBreak, at);
  const std::string rest =
      upperKept.substr(at, end == std::string::npos ? std::string::npos : end - at);
  return common::UpperCase(common::Trim(rest)) == fileName;
}

// One snapshot entry of the 9x loop: match its bare name and react as the mode asks.
void ExamineProcess9x(ScanContext& context, const std::string& upperKept,
                      const platform::ProcessEntry& entry) {
  platform::Machine& machine = context.machine;
  const std::string fileName = common::UpperCase(common::Trim(common::GetFileName(entry.exeFile)));
  if (!MatchesKeptLine(upperKept, fileName)) return;
  if (context.protectedPaths.IsProtectedPath(
          definitions::CanonicalFilePath(machine.files, entry.exeFile))) {
    return;
  }

  // The snapshot gives no folder: the company test looks at the bare name.
  if (IsSystemMaker(GetFileCompanyName(machine.files, fileName))) return;
  if (context.exclusions.IsExcluded(fileName)) {
    context.results.AddExcludedRow(fileName);
    return;
  }
  if (context.userScan()) {
    context.results.AddNotice(
        "Detected in the memory : " + fileName + " and was stopped being from ruuning.", kIconFile);
    KillProcessById(machine.processes, entry.pid);
    ++context.counters.threatsFound;
    return;
  }
  const std::string text = context.message(localization::msg::kFound1) + fileName +
                           context.message(localization::msg::kFound2) + fileName +
                           context.message(localization::msg::kFound3);
  const std::string title = machine.system.GetOwnVersionInfo().productName + "  - Alert";
  if (machine.desktop.MessageBox(text, title, platform::kMbYesNo | platform::kMbIconQuestion) ==
      platform::kIdYes) {
    KillProcessById(machine.processes, entry.pid);
    ++context.counters.threatsFound;
    return;
  }
  // The answer No allows the program. The list in memory is reloaded with the file, so the
  // next shield run does not ask about it again.
  context.exclusions.AddExclusion(context.dataFolder, common::Trim(fileName), context.yield);
}

}  // namespace

ProcessList ListProcesses(platform::Processes& processes, const std::string& filter, bool nt) {
  ProcessList list;
  auto keep = [&](const std::string& name, std::uint32_t pid) {
    if (name.empty()) return;
    if (!filter.empty() && name.find(filter) == std::string::npos) return;
    list.names.push_back(name);
    list.ids.push_back(pid);
  };
  if (nt) {
    std::vector<std::uint32_t> ids(kFirstIdRoom);
    std::uint32_t bytes = 0;
    for (;;) {
      const std::optional<std::uint32_t> written = processes.EnumProcesses(ids);
      if (!written) return list;
      bytes = *written;
      // A full answer may have left processes out: ask again with twice the room.
      if (bytes < ids.size() * sizeof(std::uint32_t) || ids.size() >= kMostIds) break;
      ids.resize(ids.size() * 2);
    }
    const std::size_t count = std::min<std::size_t>(bytes / sizeof(std::uint32_t), ids.size());
    for (std::size_t i = 0; i < count; ++i) keep(GetProcessBaseName(processes, ids[i]), ids[i]);
  } else {
    for (const platform::ProcessEntry& entry : processes.Snapshot(platform::kSnapAll)) {
      keep(entry.exeFile, entry.pid);
    }
  }
  list.count = static_cast<int>(list.names.size());
  return list;
}

std::string GetProcessBaseName(platform::Processes& processes, std::uint32_t pid) {
  if (pid == 0) return "System Idle Process";
  if (pid == 2) return "System";
  return processes.ModuleBaseName(pid).value_or("");
}

std::string NormalizeSystem32Path(platform::Processes& processes, const std::string& path) {
  const std::string trimmed = common::Trim(path);
  const std::string upper = common::UpperCase(trimmed);
  constexpr std::string_view kSystem32 = "SYSTEM32\\";
  const std::size_t at = upper.rfind(kSystem32);
  if (at == std::string::npos) return path;
  std::string folder = processes.SystemDirectory();
  if (folder.size() > 255) folder.resize(255);
  return folder + "\\" + trimmed.substr(at + kSystem32.size());
}

std::string GetFileNameOnly(const std::string& path) {
  return common::GetFileName(path.substr(0, path.find('\0')));
}

bool StopProcessByName(platform::Machine& machine, const std::string& name,
                       const std::function<void()>& yield) {
  std::string shortForm = common::ReplaceAllNoCase(name, ".exe", "");
  if (shortForm.size() >= 7) shortForm.resize(6);
  shortForm = common::UpperCase(shortForm) + "~1";
  const std::string target = ReducedName(common::Trim(name));

  const ProcessList list = ListProcesses(machine.processes, "", true);
  std::optional<std::uint32_t> pid;
  for (int i = 0; i < list.count; ++i) {
    const std::string reduced = ReducedName(GetFileNameOnly(list.names[i]));
    if (common::EqualsNoCase(reduced, target) || common::EqualsNoCase(reduced, shortForm)) {
      pid = list.ids[i];
      break;
    }
    if (yield) yield();
  }
  if (!pid) return true;
  return StopProcessById(machine, *pid);
}

namespace {

// The executable image of a process in its canonical spelling, lower case; "" when it cannot
// be read. Windows reports early programs as \SystemRoot\System32\... or \??\C:\...
std::string ImageOf(platform::Machine& machine, std::uint32_t pid, bool nt,
                    const std::string& snapshotPath) {
  std::string image = snapshotPath;
  if (nt) {
    const std::optional<std::string> module = machine.processes.ModuleFileName(pid);
    if (!module) return {};
    image = common::Trim(*module);
    if (image.rfind("\\??\\", 0) == 0) image.erase(0, 4);
    image = NormalizeSystem32Path(machine.processes, image);
  }
  if (image.empty()) return {};
  return common::LowerCase(definitions::CanonicalFilePath(machine.files, image));
}

}  // namespace

bool StopProcessesOfFile(platform::Machine& machine, const std::string& path,
                         const std::function<void()>& yield) {
  const std::string target = common::LowerCase(definitions::CanonicalFilePath(machine.files, path));
  const std::string own = common::LowerCase(definitions::CanonicalFilePath(
      machine.files,
      common::JoinPath(machine.system.ProgramFolder(), machine.system.ExeName() + ".exe")));
  platform::OsVersion version;
  const bool nt =
      !machine.system.GetVersion(&version) || version.platformId == platform::kPlatformWin32Nt;
  std::vector<std::pair<std::uint32_t, std::string>> processes;
  if (nt) {
    const ProcessList list = ListProcesses(machine.processes, "", true);
    for (std::uint32_t pid : list.ids) processes.emplace_back(pid, "");
  } else {
    for (const platform::ProcessEntry& entry : machine.processes.Snapshot(platform::kSnapProcess)) {
      processes.emplace_back(entry.pid, entry.exeFile);
    }
  }
  bool allStopped = true;
  for (const auto& [pid, snapshotPath] : processes) {
    const std::string image = ImageOf(machine, pid, nt, snapshotPath);
    if (!image.empty() && image == target && image != own) {
      allStopped = StopProcessById(machine, pid) && allStopped;
    } else if (yield) {
      yield();
    }
  }
  return allStopped;
}

bool StopProcessById(platform::Machine& machine, std::uint32_t pid) {
  for (int retries = 0;; ++retries) {
    if (TerminateProcessById(machine, pid, 0)) return true;
    if (machine.processes.WaitForExit(pid, 1)) return true;
    if (retries == kStopRetries) return false;
  }
}

bool TerminateProcessById(platform::Machine& machine, std::uint32_t pid, std::uint32_t exitCode) {
  platform::OsVersion version;
  const bool nt =
      !machine.system.GetVersion(&version) || version.platformId == platform::kPlatformWin32Nt;
  if (nt && !machine.processes.SetDebugPrivilege(true)) return false;
  const bool terminated = machine.processes.TerminateProcess(pid, exitCode);
  if (nt) machine.processes.SetDebugPrivilege(false);
  return terminated;
}

void KillProcessById(platform::Processes& processes, std::uint32_t pid) {
  processes.KillProcess(pid);
}

void ReportProcessThreat(ScanContext& context, const std::string& fileName,
                         const std::string& company, std::uint32_t pid) {
  if (context.userScan()) {
    context.results.AddNotice("Detected in the memory : " + fileName + " was stopped from running.",
                              kIconFile);
    // The matched process itself, not the first one of its name: a threat named like a program
    // of Windows (svchost.exe in the wrong folder) must not cost the real one its life.
    StopProcessById(context.machine, pid);
    return;
  }
  const std::string companyText =
      common::Trim(company).empty()
          ? context.message(localization::msg::kNocompany) + " " + fileName
          : company;
  if (context.askAboutProcess) context.askAboutProcess(fileName, companyText, pid);
}

void ScanProcessesNT(ScanContext& context) {
  platform::Machine& machine = context.machine;
  const definitions::DefinitionCounts& counts = context.definitionCounts;
  ScanCounters& counters = context.counters;
  const ProcessList list = ListProcesses(machine.processes, "", true);

  SignatureIndex signatures;
  const std::string exePath =
      definitions::DataFilePath(context.dataFolder, definitions::kExeDefinitionFile);
  if (common::FileExists(machine.files, exePath)) {
    const std::string driveRoot = definitions::GetSystemDriveRoot(machine.shellFolders);
    common::LineReader reader(machine.files, exePath);
    ExpandedFolders expanded;
    std::string line;
    while (reader.ReadLine(&line)) {
      if (context.stopRequested()) {
        signatures.clear();
        break;
      }
      const std::string decoded = definitions::DecodeDefinitionLine(line);
      std::string signature;
      if (EntrySignature(machine.shellFolders, driveRoot, decoded, expanded, &signature)) {
        AddSignature(signatures, signature);
      }
      ++counters.cookiesAndProcessesInspected;
      if (context.userScan()) {
        context.progress(
            context.statusPrefix + kLineBreak + DefinitionFileName(decoded),
            Percent(counters.cookiesAndProcessesInspected, counts.executables),
            Percent(counters.cookiesAndProcessesInspected + counts.cookies, counts.total));
      } else {
        UnlockMainWindow(context);
      }
      context.yield();
    }
  }

  if (context.runningItems) context.runningItems->SetCaption(std::to_string(list.count));
  for (int i = 0; i < list.count; ++i) {
    ++counters.cookiesAndProcessesInspected;
    if (context.userScan()) {
      context.progress(
          context.statusPrefix + kLineBreak + list.names[i],
          Percent(counters.cookiesAndProcessesInspected, counts.executables),
          Percent(counters.cookiesAndProcessesInspected + counts.executables, counts.total));
    }
    if (context.stopRequested()) return;
    ExamineProcessNT(context, signatures, list.ids[i]);
    context.yield();
  }
}

void ScanProcesses9x(ScanContext& context) {
  platform::Machine& machine = context.machine;
  const definitions::DefinitionCounts& counts = context.definitionCounts;
  ScanCounters& counters = context.counters;
  std::string runOnly;
  std::string& kept = context.keptProcessDefinitions ? *context.keptProcessDefinitions : runOnly;
  // This family's progress shows the registry stage's figures.
  auto report = [&](const std::string& item) {
    if (!context.userScan()) return;
    context.progress(
        context.statusPrefix + kLineBreak + item,
        Percent(counters.registryEntriesInspected, counts.registry),
        Percent(counters.registryEntriesInspected + counts.cookies + counts.executables,
                counts.total));
  };

  if (kept.empty()) {
    const std::string exePath =
        definitions::DataFilePath(context.dataFolder, definitions::kExeDefinitionFile);
    if (common::FileExists(machine.files, exePath)) {
      common::LineReader reader(machine.files, exePath);
      std::string line;
      while (reader.ReadLine(&line)) {
        if (context.stopRequested()) {
          kept.clear();
          break;
        }
        const std::string decoded = definitions::DecodeDefinitionLine(line);
        kept += decoded + kLineBreak;
        ++counters.cookiesAndProcessesInspected;
        if (context.userScan()) {
          report(DefinitionFileName(decoded));
        } else {
          UnlockMainWindow(context);
        }
        context.yield();
      }
    }
  } else {
    std::size_t lines = 0;
    for (std::size_t at = kept.find(kLineBreak); at != std::string::npos;
         at = kept.find(kLineBreak, at + 2)) {
      ++lines;
    }
    counters.cookiesAndProcessesInspected += static_cast<std::int32_t>(lines);
  }
  const std::string upperKept = common::UpperCase(kept);

  for (const platform::ProcessEntry& entry : machine.processes.Snapshot(platform::kSnapProcess)) {
    if (context.runningItems) {
      context.runningItems->SetCaption(
          std::to_string(common::LeadingNumber(context.runningItems->Caption()) + 1));
    }
    ++counters.cookiesAndProcessesInspected;
    report(entry.exeFile);
    if (context.stopRequested()) {
      kept.clear();
      return;
    }
    ExamineProcess9x(context, upperKept, entry);
    context.yield();
  }
}

void ScanMemory(ScanContext& context) {
  UnlockMainWindow(context);
  platform::OsVersion version;
  if (!context.machine.system.GetVersion(&version)) return;
  if (version.platformId == platform::kPlatformWin32Nt) {
    ScanProcessesNT(context);
  } else if (version.platformId == platform::kPlatformWin32Windows) {
    ScanProcesses9x(context);
  }
}

}  // namespace scan

// The Wine benchmark's second process: it times what the real program does from outside, and
// runs the bare loops the program's figures are held against.
//   bench_helper bare FILES REGISTRY        the existence checks alone: FindFirstFileA on every
//                                           path of FILES ("[progfil]" stands for the Program
//                                           Files folder), RegOpenKeyExA + RegQueryValueExA on
//                                           every "key<TAB>value" line of REGISTRY (under
//                                           HKEY_CURRENT_USER); prints "files MS" and
//                                           "registry MS"
//   bench_helper copydelete FILES FOLDER    CopyFileA of every path into FOLDER, then DeleteFileA
//                                           of the path: what a removal's backup and delete
//                                           cost at least; prints "copydelete MS"
//   bench_helper click FORM CAPTION [ID]    BM_CLICK on the button and waits for the click's
//                                           handler to return; with ID, a message box of the
//                                           program that opens meanwhile is answered with
//                                           button ID (else OK); prints "click MS" and, after an
//                                           answer, "after-answer MS" (the time from the answer
//                                           on) and "box-shown MS" (when the box was seen); also
//                                           "ended-at MS" and "answered-at MS" on the machine's
//                                           performance counter, for setting two helpers' times
//                                           against each other
//   bench_helper ping FORM STOPFILE         WM_NULL to the form every 20 ms until STOPFILE
//                                           exists; prints how long the answers took
//                                           ("ping count N median MS p99 MS max MS ...
//                                           longest-at MS", the longest wait's start on the
//                                           performance counter)
//   bench_helper memory FORM                the working set and private bytes of the program
//   bench_helper minimise FORM              minimises the form as its title bar's button does
//   bench_helper stages DATAFOLDER          the program's own file and registry stages on the
//                                           real machine without a window (lists held in
//                                           memory), then each step a found file costs, timed
//                                           apart over the files found: where a trace's time goes
//   bench_helper removal FILES DATAFOLDER   the program's own removal of every path of FILES
//                                           without a window, its quarantine in DATAFOLDER;
//                                           prints "removal MS" and the time and count of each
//                                           kind of file call it made
// Exit code 0 on success, 1 when something could not be done, 2 on bad arguments.
#include "platform/win32/windows_api.h"
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/file_tests.h"
#include "definitions/locations.h"
#include "platform/cached_shell_folders.h"
#include "platform/win32/win32_machine.h"
#include "removal/quarantine.h"
#include "removal/removal_run.h"
#include "removal/restore_point.h"
#include "scan/company_name.h"
#include "scan/stage_harness.h"

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::string ProgramFiles() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE)) return "C:\\";
  std::string folder = path;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

// The paths with the one placeholder replaced: the bare loop asks the shell once.
std::vector<std::string> ExpandedPaths(const char* listFile) {
  const std::string programFiles = ProgramFiles();
  std::vector<std::string> paths = ReadLines(listFile);
  for (std::string& path : paths) {
    const std::string token = "[progfil]";
    if (path.compare(0, token.size(), token) == 0) path = programFiles + path.substr(token.size());
  }
  return paths;
}

HWND FindForm(const char* form) {
  const std::string className = std::string("UiForm_") + form;
  return FindWindowA(className.c_str(), nullptr);
}

struct ButtonSearch {
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK VisitButton(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ButtonSearch*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  char text[256] = {};
  char cls[64] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  GetClassNameA(hwnd, cls, sizeof cls);
  if (_stricmp(cls, "Button") != 0 || search->caption != text) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A visible message box (dialog class) of the process, or nullptr.
HWND FindBox(DWORD processId) {
  for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box != nullptr;
       box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    if (owner == processId && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

int Bare(const char* fileList, const char* registryList) {
  const std::vector<std::string> paths = ExpandedPaths(fileList);
  std::vector<std::pair<std::string, std::string>> entries;
  for (const std::string& line : ReadLines(registryList)) {
    const std::size_t tab = line.find('\t');
    entries.emplace_back(line.substr(0, tab),
                         tab == std::string::npos ? std::string() : line.substr(tab + 1));
  }
  int found = 0;
  double start = NowMs();
  for (const std::string& path : paths) {
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA(path.c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      ++found;
      FindClose(search);
    }
  }
  std::printf("files %.1f (%zu checked, %d present)\n", NowMs() - start, paths.size(), found);
  found = 0;
  start = NowMs();
  for (const auto& [key, value] : entries) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
      continue;
    }
    DWORD type = 0;
    char data[512];
    DWORD size = sizeof data;
    if (RegQueryValueExA(opened, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) == ERROR_SUCCESS) {
      ++found;
    }
    RegCloseKey(opened);
  }
  std::printf("registry %.1f (%zu checked, %d present)\n", NowMs() - start, entries.size(), found);
  return 0;
}

int CopyDelete(const char* fileList, const char* folder) {
  const std::vector<std::string> paths = ExpandedPaths(fileList);
  CreateDirectoryA(folder, nullptr);
  int failed = 0;
  const double start = NowMs();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string copy = std::string(folder) + "\\" + std::to_string(i) + ".bak";
    if (!CopyFileA(paths[i].c_str(), copy.c_str(), FALSE) || !DeleteFileA(paths[i].c_str())) {
      ++failed;
    }
  }
  std::printf("copydelete %.1f (%zu files, %d failed)\n", NowMs() - start, paths.size(), failed);
  return failed == 0 ? 0 : 1;
}

struct Click {
  HWND button = nullptr;
  std::atomic<bool> done{false};
};

DWORD WINAPI SendClick(void* param) {
  auto* click = static_cast<Click*>(param);
  DWORD_PTR result = 0;
  // The handler runs inside the program's message loop; the answer comes when it returns.
  SendMessageTimeoutA(click->button, BM_CLICK, 0, 0, SMTO_NORMAL, 30 * 60 * 1000, &result);
  click->done = true;
  return 0;
}

int ClickAndTime(const char* formName, const char* caption, int answerId) {
  HWND form = FindForm(formName);
  if (form == nullptr) return std::fprintf(stderr, "no window for %s\n", formName), 1;
  ButtonSearch search{caption};
  EnumChildWindows(form, VisitButton, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return std::fprintf(stderr, "no visible button %s\n", caption), 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(form, &processId);

  Click click;
  click.button = search.found;
  const double start = NowMs();
  double answered = -1;
  HANDLE thread = CreateThread(nullptr, 0, SendClick, &click, 0, nullptr);
  if (thread == nullptr) return 1;
  // Looking for the box costs the window server's time, which the program shares: only when a
  // box is expected, and not too often.
  while (!click.done && answerId != 0) {
    if (HWND box = FindBox(processId)) {
      char title[256] = {};
      GetWindowTextA(box, title, sizeof title);
      const int id = GetDlgItem(box, answerId) != nullptr ? answerId : IDOK;
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
      answered = NowMs();
      std::printf("answered \"%s\" with %d at %.1f\n", title, id, answered - start);
      std::printf("box-shown %.1f\n", answered - start);
      // The box takes a moment to go; it must not be answered twice.
      while (!click.done && IsWindow(box) && IsWindowVisible(box)) Sleep(5);
    }
    Sleep(10);
  }
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  const double end = NowMs();
  std::printf("click %.1f\n", end - start);
  if (answered >= 0) std::printf("after-answer %.1f\n", end - answered);
  // The performance counter is the machine's: times of two helpers can be set against each other.
  std::printf("ended-at %.1f\n", end);
  if (answered >= 0) std::printf("answered-at %.1f\n", answered);
  return 0;
}

int Ping(const char* formName, const char* stopFile) {
  std::vector<double> answers;
  int unanswered = 0;
  double longest = -1, longestAt = 0;
  while (GetFileAttributesA(stopFile) == INVALID_FILE_ATTRIBUTES) {
    HWND form = FindForm(formName);
    if (form != nullptr) {
      DWORD_PTR result = 0;
      const double start = NowMs();
      if (SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result) != 0) {
        answers.push_back(NowMs() - start);
        if (answers.back() > longest) longest = answers.back(), longestAt = start;
      } else {
        ++unanswered;
      }
    }
    Sleep(20);
  }
  if (answers.empty()) return std::printf("ping count 0 unanswered %d\n", unanswered), 0;
  std::sort(answers.begin(), answers.end());
  auto at = [&](double share) {
    return answers[std::min(answers.size() - 1, static_cast<std::size_t>(share * answers.size()))];
  };
  // When the longest wait began, on the machine's counter: set against the click's end it tells
  // which part of a handler held the window.
  std::printf("ping count %zu median %.1f p99 %.1f max %.1f unanswered %d longest-at %.1f\n",
              answers.size(), at(0.5), at(0.99), answers.back(), unanswered, longestAt);
  return 0;
}

int Minimise(const char* formName) {
  HWND form = FindForm(formName);
  if (form == nullptr) return 1;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL, 10000, &result);
  return IsIconic(form) ? 0 : 1;
}

int Memory(const char* formName) {
  HWND form = FindForm(formName);
  if (form == nullptr) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(form, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return 1;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  const BOOL read = GetProcessMemoryInfo(
      process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  CloseHandle(process);
  if (!read) return 1;
  std::printf("memory working-set %zu KB peak %zu KB private %zu KB\n",
              counters.WorkingSetSize / 1024, counters.PeakWorkingSetSize / 1024,
              counters.PrivateUsage / 1024);
  return 0;
}

// The file system with every call timed by its kind: where a run's file time goes.
class TimingFiles : public platform::Files {
 public:
  explicit TimingFiles(platform::Files& files) : files_(files) {}

  std::optional<std::string> FindFirstMatch(const std::string& pattern,
                                            std::uint32_t alsoMatch) override {
    return Time("FindFirstMatch", [&] { return files_.FindFirstMatch(pattern, alsoMatch); });
  }
  bool FolderExists(const std::string& path) override {
    return Time("FolderExists", [&] { return files_.FolderExists(path); });
  }
  std::optional<std::string> ReadAll(const std::string& path) override {
    return Time("ReadAll", [&] { return files_.ReadAll(path); });
  }
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override {
    return Time("ReadAt", [&] { return files_.ReadAt(path, offset, count); });
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    return Time("FileSize", [&] { return files_.FileSize(path); });
  }
  std::unique_ptr<platform::FileReader> OpenReader(const std::string& path) override {
    return Time("OpenReader", [&] { return files_.OpenReader(path); });
  }
  platform::FileStatus WriteAll(const std::string& path, const std::string& bytes) override {
    return Time("WriteAll", [&] { return files_.WriteAll(path, bytes); });
  }
  platform::FileStatus Append(const std::string& path, const std::string& bytes) override {
    return Time("Append", [&] { return files_.Append(path, bytes); });
  }
  platform::FileStatus CopyFile(const std::string& from, const std::string& to,
                                bool overwrite) override {
    return Time("CopyFile", [&] { return files_.CopyFile(from, to, overwrite); });
  }
  platform::FileStatus DeleteFile(const std::string& path) override {
    return Time("DeleteFile", [&] { return files_.DeleteFile(path); });
  }
  platform::FileStatus Rename(const std::string& from, const std::string& to) override {
    return Time("Rename", [&] { return files_.Rename(from, to); });
  }
  platform::FileStatus ReplaceFile(const std::string& from, const std::string& to) override {
    return Time("ReplaceFile", [&] { return files_.ReplaceFile(from, to); });
  }
  platform::FileStatus MakeDirectory(const std::string& path) override {
    return Time("MakeDirectory", [&] { return files_.MakeDirectory(path); });
  }
  platform::FileStatus RemoveFolder(const std::string& path) override {
    return Time("RemoveFolder", [&] { return files_.RemoveFolder(path); });
  }
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    return Time("GetAttributes", [&] { return files_.GetAttributes(path); });
  }
  platform::FileStatus SetAttributes(const std::string& path, std::uint32_t attributes) override {
    return Time("SetAttributes", [&] { return files_.SetAttributes(path, attributes); });
  }
  std::vector<std::string> ListFolder(const std::string& path) override {
    return Time("ListFolder", [&] { return files_.ListFolder(path); });
  }
  std::vector<platform::DriveInfo> Drives() override {
    return Time("Drives", [&] { return files_.Drives(); });
  }
  std::string FullPathName(const std::string& path) override {
    return Time("FullPathName", [&] { return files_.FullPathName(path); });
  }
  std::optional<std::string> LongPathName(const std::string& path) override {
    return Time("LongPathName", [&] { return files_.LongPathName(path); });
  }

  void Print(std::size_t items) const {
    for (const auto& [name, spent] : spent_) {
      std::printf("call %s %.3f ms an item (%.2f calls an item)\n", name.c_str(), spent.ms / items,
                  static_cast<double>(spent.calls) / items);
    }
  }

 private:
  struct Spent {
    double ms = 0;
    long calls = 0;
  };
  template <typename Call>
  auto Time(const char* name, Call&& call) -> decltype(call()) {
    const double began = NowMs();
    auto result = call();
    Spent& spent = spent_[name];
    spent.ms += NowMs() - began;
    ++spent.calls;
    files_.LastError() == platform::kErrorSuccess ? Succeed() : Fail(files_.LastError());
    return result;
  }

  platform::Files& files_;
  std::map<std::string, Spent> spent_;
};

// The program's removal of the listed files without a window, every file call timed.
int Removal(const char* fileList, const char* dataFolderArgument) {
  const std::vector<std::string> paths = ExpandedPaths(fileList);
  // The quarantine holds on to the folder's name: it must outlive it.
  const std::string dataFolder = dataFolderArgument;
  platform::win32::Win32Machine real;
  const platform::Machine& m = real.machine;
  TimingFiles files(m.files);
  platform::Machine machine = platform::WithFiles(m, files);
  CreateDirectoryA(dataFolder.c_str(), nullptr);
  removal::Quarantine quarantine(machine, dataFolder);
  removal::RestorePoint restorePoint(machine);
  definitions::ProtectedPaths protectedPaths(machine);
  protectedPaths.LoadSafetyList(dataFolder);
  std::vector<removal::WorkItem> items;
  for (const std::string& path : paths) {
    items.push_back({removal::WorkKind::File, static_cast<int>(items.size()) + 1,
                     static_cast<int>(paths.size()), path, "", "", "Bench Threat"});
  }
  removal::RemovalRun run(machine, quarantine, restorePoint, protectedPaths, {"Bench"}, {});
  const double start = NowMs();
  const std::size_t stayed = run.Run(items).size();
  std::printf("removal %.1f (%zu items, %zu stayed)\n", NowMs() - start, items.size(), stayed);
  files.Print(items.size());
  return stayed == 0 ? 0 : 1;
}

// The scan's stages without a window, and the steps of a found file one by one.
int Stages(const char* dataFolder) {
  platform::win32::Win32Machine real;
  const platform::Machine& m = real.machine;
  // As a scan sees it: the shell's folders asked once for the run.
  platform::CachedShellFolders shellFolders(m.shellFolders);
  platform::Machine machine = platform::WithShellFolders(m, shellFolders);
  scan_test::StageHarness harness(machine, dataFolder);
  double start = NowMs();
  harness.RunRegistryStage();
  std::printf("registry-stage %.1f (%d traces)\n", NowMs() - start, harness.registry.Count());
  start = NowMs();
  harness.RunFileStages();
  std::printf("file-stage %.1f (%d traces, %d lines)\n", NowMs() - start, harness.files.Count(),
              harness.counters.filesAndFoldersInspected);

  std::vector<std::string> paths;
  for (const ui::ListItem& row : harness.files.Items()) paths.push_back(row.text);
  if (paths.empty()) return 0;
  platform::Files& files = machine.files;
  auto step = [&](const char* name, auto&& each) {
    const double began = NowMs();
    for (const std::string& path : paths) each(path);
    std::printf("step %s %.3f ms a file\n", name, (NowMs() - began) / paths.size());
  };
  step("find-first", [&](const std::string& p) { files.FindFirstNormalFile(p); });
  step("full-path", [&](const std::string& p) { files.FullPathName(p); });
  step("long-path", [&](const std::string& p) { files.LongPathName(p); });
  step("canonical", [&](const std::string& p) { definitions::CanonicalFilePath(files, p); });
  definitions::FoundFileSpellings spellings(files);
  step("spelled-from-folder", [&](const std::string& p) {
    if (auto name = files.FindFirstNormalFile(p)) spellings.Of(p, *name);
  });
  step("exists", [&](const std::string& p) { common::FileExists(files, p); });
  step("attributes", [&](const std::string& p) { files.GetAttributes(p); });
  // The same folders, the next line's name, which is not there: what a line that finds nothing
  // costs (every fifth file of the set is present, so its neighbour's number is free).
  auto neighbour = [](std::string p) {
    const std::size_t digit = p.find_last_of("0123456789");
    if (digit != std::string::npos) p[digit] = p[digit] == '9' ? '0' : p[digit] + 1;
    return p;
  };
  step("find-first-absent", [&](const std::string& p) { files.FindFirstNormalFile(neighbour(p)); });
  step("attributes-absent", [&](const std::string& p) { files.GetAttributes(neighbour(p)); });
  step("protected", [&](const std::string& p) { harness.protectedPaths.IsProtectedPath(p); });
  step("excluded", [&](const std::string& p) { harness.exclusions.IsExcluded(p); });
  step("company", [&](const std::string& p) { scan::GetFileCompanyName(files, p); });
  // Everything ticked and taken out, as Select All and Delete leave the results, without the
  // window's lists: what the model's purge costs in this process's heap.
  const int threats = harness.details.Count();
  for (int row = 0; row < threats; ++row) harness.results.TickThreat(row, true);
  const double purgeStart = NowMs();
  harness.results.RemoveChecked();
  std::printf("purge %.1f ms (%d threats)\n", NowMs() - purgeStart, threats);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  if (command == "bare" && argc >= 4) return Bare(argv[2], argv[3]);
  if (command == "copydelete" && argc >= 4) return CopyDelete(argv[2], argv[3]);
  if (command == "click" && argc >= 4) {
    return ClickAndTime(argv[2], argv[3], argc > 4 ? std::atoi(argv[4]) : 0);
  }
  if (command == "ping" && argc >= 4) return Ping(argv[2], argv[3]);
  if (command == "memory") return Memory(argv[2]);
  if (command == "minimise") return Minimise(argv[2]);
  if (command == "stages") return Stages(argv[2]);
  if (command == "removal" && argc >= 4) return Removal(argv[2], argv[3]);
  return 2;
}

// The process service and the process and cookie stages against real processes and files: the
// tests copy a harmless waiting program under threats' names, start it, and let the scan find
// and stop it.
#include "platform/win32/win32_processes.h"

#include <gtest/gtest.h>

#include "test_folders.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/folder_tree.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "scan/cookie_scan.h"
#include "scan/process_scan.h"
#include "scan/memory_harness.h"
#include "ui/dump.h"

#include <shlobj.h>

namespace {

using namespace win32_test;

using platform::win32::UniqueHandle;

// A waiting program started by the test; it is ended and its copy deleted when the test ends.
struct Started {
  std::string path;
  PROCESS_INFORMATION info{};
  UniqueHandle process;
  UniqueHandle thread;

  bool Ended(DWORD waitMs) const {
    return WaitForSingleObject(process.Get(), waitMs) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return code;
  }
};

class ProcessesWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = TempFolder() + "ProcessScanData." + std::to_string(GetCurrentProcessId()) + "." +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(data_.c_str(), nullptr));
    stage = std::make_unique<scan_test::MemoryHarness>(real.machine, data_);
  }
  void TearDown() override {
    for (auto& program : started_) {
      TerminateProcess(program->process.Get(), 1);
      WaitForSingleObject(program->process.Get(), 5000);
      program->process.Reset();
      program->thread.Reset();
      DeleteFileA(program->path.c_str());
    }
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryA(it->c_str());
    platform::DeleteFolder(real.machine.files, data_, true);
  }

  // Copies a helper ("threat" or "system") to the path, making its folder, and starts it.
  Started& Start(const std::string& kind, const std::string& path) {
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    if (CreateDirectoryA(folder.c_str(), nullptr)) folders_.push_back(folder);
    const std::string helper = ExeFolder() + "\\process_helper_" + kind + ".exe";
    EXPECT_TRUE(CopyFileA(helper.c_str(), path.c_str(), FALSE)) << helper << " -> " << path;
    auto program = std::make_unique<Started>();
    program->path = path;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Without a console of its own: a console's host process can outlive a program terminated
    // early and keep the test runner's output open.
    std::string commandLine = "\"" + path + "\" 60000";
    EXPECT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               DETACHED_PROCESS, nullptr, nullptr, &startup, &program->info))
        << path;
    program->process.Reset(program->info.hProcess);
    program->thread.Reset(program->info.hThread);
    // The first module can be read once the loader has mapped it.
    for (int i = 0; i < 250 && !processes().ModuleFileName(program->info.dwProcessId); ++i) {
      Sleep(20);
    }
    started_.push_back(std::move(program));
    return *started_.back();
  }
  platform::Processes& processes() { return real.machine.processes; }
  void Definitions(const char* file, const std::vector<std::string>& lines) {
    ASSERT_TRUE(scan_test::WriteDefinitionFile(real.machine.files, data_, file, lines));
  }
  bool FoundRow(const std::string& text) const {
    for (const ui::ListItem& row : stage->found.Items()) {
      if (row.text == text) return true;
    }
    return false;
  }

  platform::win32::Win32Machine real;
  std::string data_;
  std::unique_ptr<scan_test::MemoryHarness> stage;
  std::vector<std::unique_ptr<Started>> started_;
  std::vector<std::string> folders_;
};

TEST_F(ProcessesWin32Test, TheServiceSeesNamesAndStopsAProgram) {
  Started& probe = Start("threat", TempFolder() + "h6probe.exe");
  const DWORD pid = probe.info.dwProcessId;

  std::vector<std::uint32_t> room(1);
  EXPECT_EQ(processes().EnumProcesses(room), 4u) << "a full answer";
  room.resize(4096);
  const auto bytes = processes().EnumProcesses(room);
  ASSERT_TRUE(bytes);
  room.resize(*bytes / 4);
  EXPECT_NE(std::find(room.begin(), room.end(), pid), room.end());

  EXPECT_TRUE(common::EqualsNoCase(processes().ModuleBaseName(pid).value_or(""), "h6probe.exe"));
  EXPECT_TRUE(common::EqualsNoCase(processes().ModuleFileName(pid).value_or(""), probe.path))
      << processes().ModuleFileName(pid).value_or("(none)");
  EXPECT_FALSE(processes().ModuleBaseName(0));
  bool listed = false;
  for (const platform::ProcessEntry& entry : processes().Snapshot(platform::kSnapAll)) {
    if (entry.pid == pid) listed = common::EqualsNoCase(entry.exeFile, "h6probe.exe");
  }
  EXPECT_TRUE(listed);
  EXPECT_EQ(processes().SystemDirectory(), SystemFolder());
  EXPECT_TRUE(processes().SetDebugPrivilege(true));
  EXPECT_TRUE(processes().SetDebugPrivilege(false));

  EXPECT_FALSE(processes().WaitForExit(pid, 1));
  EXPECT_TRUE(processes().TerminateProcess(pid, 3));
  ASSERT_TRUE(probe.Ended(5000));
  EXPECT_EQ(probe.ExitCode(), 3u);
  EXPECT_TRUE(processes().WaitForExit(pid, 1));
  EXPECT_TRUE(processes().WaitForExit(0xFFFFFFF0u, 1)) << "no such process is no process running";

  Started& other = Start("threat", TempFolder() + "h6probe2.exe");
  processes().KillProcess(other.info.dwProcessId);
  EXPECT_TRUE(other.Ended(5000));
}

TEST_F(ProcessesWin32Test, AScanStopsThreatsAndLeavesTheMakersAndExcludedOnesRunning) {
  const std::string folder = ProgramFilesFolder() + "\\H6 Demo Adware";
  Started& threat = Start("threat", folder + "\\h6demoadware.exe");
  Started& inSystem = Start("threat", SystemFolder() + "\\h6sysdemo.exe");
  Started& maker = Start("system", folder + "\\h6msdemo.exe");
  Started& excluded = Start("threat", folder + "\\h6kept.exe");
  Started& elsewhere = Start("threat", TempFolder() + "h6otherplace.exe");
  Definitions(
      "ExeDefinition.dat",
      {"h6demoadware.exe=Demo Adware|[progfil]H6 Demo Adware", "h6sysdemo.exe=System Demo|[system]",
       "h6msdemo.exe=Fake|[progfil]H6 Demo Adware", "h6kept.exe=Kept|[progfil]H6 Demo Adware",
       "h6otherplace.exe=Other|[progfil]Elsewhere"});
  ASSERT_TRUE(real.machine.files.WriteAll(data_ + "\\ENoSignature.dat", "h6kept.exe\r\n"));
  stage->RunMemory();

  const std::string rows = ui::DumpRows(stage->found);
  EXPECT_TRUE(FoundRow("Detected in the memory : H6DEMOADWARE.EXE was stopped from running."))
      << rows;
  EXPECT_TRUE(FoundRow("Detected in the memory : H6SYSDEMO.EXE was stopped from running.")) << rows;
  EXPECT_TRUE(FoundRow("EXCLUDED: H6KEPT.EXE")) << rows;
  EXPECT_EQ(stage->found.Count(), 3) << rows;
  EXPECT_EQ(stage->counters.threatsFound, 2);
  EXPECT_TRUE(threat.Ended(5000));
  EXPECT_TRUE(inSystem.Ended(5000));
  EXPECT_EQ(threat.ExitCode(), 0u);
  EXPECT_FALSE(maker.Ended(0)) << "the maker's programs are never reported";
  EXPECT_FALSE(excluded.Ended(0));
  EXPECT_FALSE(elsewhere.Ended(0)) << "a program in another folder than the definition's";
  EXPECT_GT(std::stoi(stage->runningItems.Caption()), 5);
}

// The 9x family's path runs in a copy of this program that Wine runs as Windows 98.
TEST_F(ProcessesWin32Test, The9xPathRunsUnderTheWindows98Setting) {
  const std::string copy = TempFolder() + "h6win98tests.exe";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\h6win98tests.exe", &key),
            ERROR_SUCCESS);
  const char version[] = "win98";
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof version);
  RegCloseKey(key);
  const std::string marker = data_ + "\\ran";
  SetEnvironmentVariableA("H6_9X_MARKER", marker.c_str());
  // The helpers are found beside the program that runs.
  for (const char* kind : {"threat", "system"}) {
    const std::string helper = std::string("\\process_helper_") + kind + ".exe";
    CopyFileA((ExeFolder() + helper).c_str(), (TempFolder() + helper.substr(1)).c_str(), FALSE);
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + copy + "\" --gtest_filter=Processes9xWin32Test.*";
  ASSERT_TRUE(CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             nullptr, &startup, &info));
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  ASSERT_EQ(WaitForSingleObject(process.Get(), 120000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  SetEnvironmentVariableA("H6_9X_MARKER", nullptr);
  DeleteFileA(copy.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\h6win98tests.exe");
  for (const char* kind : {"threat", "system"}) {
    DeleteFileA((TempFolder() + "process_helper_" + kind + ".exe").c_str());
  }
  EXPECT_EQ(code, 0u);
  EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the copy ran as Windows 98 and did the work";
}

// Runs only inside the Windows 98 copy above.
class Processes9xWin32Test : public ProcessesWin32Test {};

TEST_F(Processes9xWin32Test, AScanKillsAThreatNamedByItsBareFileName) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  char marker[MAX_PATH] = {};
  if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS ||
      GetEnvironmentVariableA("H6_9X_MARKER", marker, MAX_PATH) == 0) {
    GTEST_SKIP() << "runs in the Windows 98 copy only";
  }
  Started& threat = Start("threat", TempFolder() + "h6demo9x.exe");
  Started& other = Start("threat", TempFolder() + "h6other9x.exe");
  Definitions("ExeDefinition.dat", {"h6demo9x.exe", "h6other9x.exe=Other|[progfil]Other"});
  stage->RunMemory();

  EXPECT_EQ(ui::DumpRows(stage->found),
            "<3> Detected in the memory : H6DEMO9X.EXE and was stopped being from ruuning.\n");
  EXPECT_TRUE(threat.Ended(5000));
  EXPECT_FALSE(other.Ended(0)) << "a line must end with the bare name";
  EXPECT_GT(std::stoi(stage->runningItems.Caption()), 2);
  if (!HasFailure())
    CloseHandle(CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

TEST_F(ProcessesWin32Test, CookiesInTheRealCookieFolderAreFound) {
  const std::string folder = scan::GetShellFolderPath(real.machine.shellFolders, CSIDL_COOKIES);
  ASSERT_FALSE(folder.empty());
  const std::string tracker = folder + "\\h6user@h6tracker[1].txt";
  const std::string harmless = folder + "\\h6user@h6harmless[1].txt";
  ASSERT_TRUE(real.machine.files.WriteAll(
      tracker, "id\nvisitor=1\nads.h6tracker.example/\n1536\n1\n2\n3\n4\n*\n"));
  ASSERT_TRUE(real.machine.files.WriteAll(harmless, "id\n1\nh6harmless.example/\n1536\n*\n"));
  Definitions("BlockedCookies.dat", {"h6tracker.example"});
  stage->RunCookies();
  DeleteFileA(tracker.c_str());
  DeleteFileA(harmless.c_str());

  EXPECT_TRUE(FoundRow("Cookie Found: h6user@h6tracker[1].txt")) << ui::DumpRows(stage->found);
  EXPECT_FALSE(FoundRow("Cookie Found: h6user@h6harmless[1].txt"));
  ASSERT_EQ(stage->cookies.Count(), 1);
  EXPECT_EQ(stage->cookies.Item(0).text, tracker);
  EXPECT_EQ(stage->counters.threatsFound, 1);
}

}  // namespace

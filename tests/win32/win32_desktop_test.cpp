#include "platform/win32/win32_desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"

#include <shlwapi.h>

namespace platform::win32 {
namespace {

// The probes below run only in a child copy of this program that a test starts; the parent passes
// them what they need in the environment, and they answer through their exit code.
constexpr char kInstanceVariable[] = "PLATFORM_TEST_INSTANCE";
constexpr char kMarkerVariable[] = "PLATFORM_TEST_MARKER";
constexpr DWORD kProbeSeesInstance = 10;
constexpr DWORD kProbeSeesNone = 11;

std::string Environment(const char* name) {
  char value[512] = {};
  return GetEnvironmentVariableA(name, value, sizeof value) < sizeof value ? value : "";
}

std::string UserName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? name : "";
}

std::string ProbeCommandLine(const std::string& probe) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = "\"";
  line += self;
  line +=
      "\" --gtest_also_run_disabled_tests --gtest_brief=1 "
      "--gtest_filter=Win32DesktopProbe.DISABLED_";
  return line + probe;
}

// Runs a probe in a child process and returns its exit code.
DWORD RunProbe(const std::string& probe) {
  std::string line = ProbeCommandLine(probe);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return GetLastError();
  }
  const UniqueHandle thread(started.hThread);
  const UniqueHandle process(started.hProcess);
  DWORD code = 0;
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) return WAIT_TIMEOUT;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

TEST(Win32DesktopProbe, DISABLED_ExitWithInstanceAnswer) {
  Win32Desktop desktop(Environment(kInstanceVariable));
  std::exit(desktop.AnotherInstanceRunning() ? kProbeSeesInstance : kProbeSeesNone);
}

TEST(Win32DesktopProbe, DISABLED_WriteMarker) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Environment(kMarkerVariable).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Started", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4);
  RegCloseKey(key);
}

TEST(Win32DesktopTest, AnotherProcessSeesTheInstanceUntilItsOwnerGoes) {
  // A name of this run's own, so that no other copy of the tests interferes.
  const std::string exeName = "win32_tests." + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(SetEnvironmentVariableA(kInstanceVariable, exeName.c_str()));
  const std::string mutexName = "Local\\" + exeName + "." + UserName() + ".instance";
  {
    Win32Desktop first(exeName);
    EXPECT_FALSE(first.AnotherInstanceRunning());
    EXPECT_TRUE(UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str())).IsValid());
    EXPECT_EQ(RunProbe("ExitWithInstanceAnswer"), kProbeSeesInstance);
    // Within one process a second open of the name reports it too; answers stay as first given.
    Win32Desktop second(exeName);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_FALSE(first.AnotherInstanceRunning());
  }
  EXPECT_FALSE(UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str())).IsValid());
  EXPECT_EQ(RunProbe("ExitWithInstanceAnswer"), kProbeSeesNone);
}

TEST(Win32DesktopTest, MachineClaimsTheInstanceUnderItsExeName) {
  const std::string mutexName = "Local\\win32_tests." + UserName() + ".instance";
  {
    Win32Machine real;
    EXPECT_FALSE(real.machine.desktop.AnotherInstanceRunning());
    EXPECT_TRUE(UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str())).IsValid());
  }
  EXPECT_FALSE(UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str())).IsValid());
}

TEST(Win32DesktopTest, StartProgramRunsACommandLineOrSaysItCouldNot) {
  Win32Desktop desktop("win32_tests");
  EXPECT_FALSE(desktop.StartProgram("Z:\\no\\such\\program.exe /x", kSwHide));
  EXPECT_LE(desktop.ShellExecute("open", "Z:\\no\\such\\document.txt", "", "", kSwHide), 32);

  const std::string marker =
      "Software\\PlatformTest.Marker." + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(SetEnvironmentVariableA(kMarkerVariable, marker.c_str()));
  ASSERT_TRUE(desktop.StartProgram(ProbeCommandLine("WriteMarker"), kSwHide));
  // Nobody waits for a started program, so look for its mark for a while.
  char value[8] = {};
  DWORD size = sizeof value;
  LONG error = ERROR_FILE_NOT_FOUND;
  for (int i = 0; i < 300 && error != ERROR_SUCCESS; ++i) {
    Sleep(100);
    size = sizeof value;
    error = SHGetValueA(HKEY_CURRENT_USER, marker.c_str(), "Started", nullptr, value, &size);
  }
  EXPECT_EQ(error, ERROR_SUCCESS);
  EXPECT_STREQ(value, "yes");
  SHDeleteKeyA(HKEY_CURRENT_USER, marker.c_str());
}

TEST(Win32DesktopTest, ScreenMeasuresAgree) {
  Win32Desktop desktop("win32_tests");
  const Rect screen = desktop.DesktopClientRect();
  EXPECT_EQ(screen.Width(), desktop.SystemMetric(kSmCxScreen));
  EXPECT_EQ(screen.Height(), desktop.SystemMetric(kSmCyScreen));
  EXPECT_GT(screen.Width(), 0);
  // The prefix runs at the default 96 dots per inch.
  EXPECT_EQ(desktop.TwipsPerPixelX(), 15);
  EXPECT_EQ(desktop.TwipsPerPixelY(), 15);
}

}  // namespace
}  // namespace platform::win32

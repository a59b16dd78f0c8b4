// The whole flow on the real Win32 services: the starter definitions' demo threats of every kind
// are planted in the prefix (a running program, a COM library whose code must never run, files,
// folders, registry keys and values, a cookie), the program scans and removes them with the
// user's answers scripted, and the test checks what is left, the quarantine and its log.
#include <gtest/gtest.h>

#include "scripted_desktop.h"
#include "test_folders.h"
#include "app/hostile_definitions.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "definitions/placeholders.h"
#include "platform/folder_tree.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "removal/frm_delete.h"
#include "removal/frm_restore.h"
#include "scan/cookie_scan.h"
#include "ui/dump.h"
#include "ui/headless_host.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

namespace {

using namespace win32_test;

using platform::win32::UniqueHandle;

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The real System Restore, with every request and its answer noted.
class NotedRestore : public platform::Restore {
 public:
  explicit NotedRestore(platform::Restore& real) : real_(real) {}
  platform::RestorePointResult SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                               std::int64_t sequence,
                                               const std::string& description) override {
    const auto answer = real_.SetRestorePoint(eventType, pointType, sequence, description);
    calls.push_back({eventType, pointType, answer.ok});
    return answer;
  }
  struct Call {
    std::uint32_t eventType;
    std::uint32_t pointType;
    bool ok;
  };
  std::vector<Call> calls;

 private:
  platform::Restore& real_;
};

class RemovalFlowWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanProfile();
    for (const char* marker : {"main", "register", "unregister"})
      DeleteFileA(Marker(marker).c_str());
    // The installed program: the starter definitions in the user's data folder.
    platform::DeleteFolder(files(), data_, true);
    ASSERT_TRUE(files().MakeDirectory(data_));
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      const std::string from = ExeFolder() + "\\AntiSpywareDAT\\" + name + ".dat";
      ASSERT_TRUE(CopyFileA(from.c_str(), (data_ + "\\" + name + ".dat").c_str(), FALSE)) << from;
    }
    const std::string settings =
        "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT "\\Settings";
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "Language", REG_SZ, "English", 8);
    // Past the first start: the help viewer that would open on it, from Help.chm beside this
    // test, would outlive the test and keep ctest waiting on its output.
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "showHelp", REG_SZ, "0", 2);
    const std::string machineSettings = "SOFTWARE\\" BRAND_COMPANY "\\" BRAND_PRODUCT "\\Settings";
    SHSetValueA(HKEY_LOCAL_MACHINE, machineSettings.c_str(), "FirstTime", REG_SZ, "Yes", 4);
  }
  void TearDown() override {
    app_.reset();
    for (auto& process : started_) {
      TerminateProcess(process.Get(), 1);
      WaitForSingleObject(process.Get(), 5000);
    }
    started_.clear();
    platform::DeleteFolder(files(), programFiles_ + "Demo Adware", true);
    files().DeleteFile(system_ + "demohelper.dll");
    platform::DeleteFolder(files(), appData_ + "Demo Toolbar", true);
    files().DeleteFile(cookie_);
    files().DeleteFile(holder_);
    platform::DeleteFolder(files(), windows_ + "\\Temp\\Fake Shell", true);
    SHDeleteKeyA(HKEY_CURRENT_USER, hostile::kDecoyKey);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Demo Adware");
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Demo Toolbar");
    SHDeleteValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                   "DemoAdware");
    platform::DeleteFolder(files(), data_, true);
    for (const char* marker : {"main", "register", "unregister"})
      DeleteFileA(Marker(marker).c_str());
    CleanProfile();
  }
  static void CleanProfile() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" BRAND_COMPANY);
  }
  static std::string Marker(const char* what) { return TempFolder() + "fixture_library." + what; }

  platform::Files& files() { return real.machine.files; }
  std::string Folder(int csidl) {
    return definitions::GetSpecialFolder(real.machine.shellFolders, csidl);
  }
  // Starts the waiting helper program from this path, with its arguments.
  HANDLE Start(const std::string& path, const std::string& arguments) {
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               DETACHED_PROCESS, nullptr, nullptr, &startup, &info))
        << path;
    CloseHandle(info.hThread);
    started_.emplace_back(info.hProcess);
    return info.hProcess;
  }
  void SetRegistryString(HKEY root, const char* key, const char* name, const char* value) {
    ASSERT_EQ(SHSetValueA(root, key, name, REG_SZ, value, static_cast<DWORD>(strlen(value) + 1)),
              ERROR_SUCCESS);
  }
  std::string QuarantineLog() {
    return files().ReadAll(data_ + "\\quarantine\\QuarantineLog.txt").value_or("");
  }

  platform::win32::Win32Machine real;
  // The user at the keyboard: confirms the removal, declines everything else.
  ScriptedDesktop desktop{
      real.machine.desktop,
      [](const std::string& text, const std::string& title, std::uint32_t) {
        if (title == "Really Delete?") return platform::kIdYes;
        // The Restore window may replace what is at an item's place.
        if (text.rfind("Something is at this location now.", 0) == 0) return platform::kIdYes;
        return title == "Vista Detected" ? platform::kIdCancel : platform::kIdNo;
      }};
  NotedRestore restore{real.machine.restore};
  platform::Machine machine{real.machine.registry,
                            real.machine.system,
                            desktop,
                            real.machine.clock,
                            real.machine.files,
                            real.machine.shellFolders,
                            real.machine.codePage,
                            real.machine.tray,
                            real.machine.processes,
                            restore,
                            real.machine.clipboard,
                            real.machine.libraries,
                            real.machine.internet,
                            real.machine.signatures};
  ui::HeadlessHost host;
  std::unique_ptr<app::App> app_;

  std::string programFiles_ = Folder(platform::kCsidlProgramFiles);
  std::string system_ = Folder(platform::kCsidlSystem);
  std::string appData_ = Folder(platform::kCsidlAppData);
  std::string data_ = appData_ + "AntiSpywareDAT";
  std::string cookie_ = scan::GetShellFolderPath(real.machine.shellFolders, CSIDL_COOKIES) +
                        "\\user@demoadware[2].txt";
  std::string holder_ = TempFolder() + "holder.exe";
  std::string windows_ =
      Folder(platform::kCsidlWindows).substr(0, Folder(platform::kCsidlWindows).size() - 1);
  std::vector<UniqueHandle> started_;
};

TEST_F(RemovalFlowWin32Test, ScanAndRemoveEveryKindOfDemoThreat) {
  ASSERT_FALSE(programFiles_.empty());
  ASSERT_FALSE(cookie_.empty());
  const std::string helper = ExeFolder() + "\\process_helper_threat.exe";
  const std::string exe = programFiles_ + "Demo Adware\\demoadware.exe";
  const std::string dll = system_ + "demohelper.dll";
  const std::string toolbar = appData_ + "Demo Toolbar";
  const std::string ini = toolbar + "\\toolbar.ini";
  ASSERT_TRUE(files().MakeDirectory(programFiles_ + "Demo Adware"));
  ASSERT_TRUE(CopyFileA(helper.c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\fixture_library.dll").c_str(), dll.c_str(), FALSE));
  ASSERT_TRUE(files().MakeDirectory(toolbar));
  ASSERT_TRUE(files().WriteAll(ini, "[Toolbar]"));
  ASSERT_TRUE(files().WriteAll(cookie_, "id\nvisitor=42\nads.demoadware.example/\n1536\n*\n"));
  SetRegistryString(HKEY_CURRENT_USER, "Software\\Demo Adware", "", "settings");
  SetRegistryString(HKEY_CURRENT_USER, "Software\\Demo Adware\\Options", "Pop-ups", "many");
  SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Demo Toolbar", "Version", "1");
  SetRegistryString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                    "DemoAdware", "demoadware.exe");
  // The threat's program runs; another, harmless program holds the toolbar's file open.
  const HANDLE demo = Start(exe, "60000");
  ASSERT_TRUE(CopyFileA(helper.c_str(), holder_.c_str(), FALSE));
  Start(holder_, "60000 \"" + ini + "\"");
  // Ready once the loader has mapped the program and the other has opened the file.
  for (int i = 0; i < 250 && !real.machine.processes.ModuleFileName(GetProcessId(demo)); ++i) {
    Sleep(20);
  }
  for (int i = 0; i < 250; ++i) {
    const HANDLE probe =
        CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) break;
    CloseHandle(probe);
    Sleep(20);
  }
  ASSERT_TRUE(Exists(exe)) << "a running program's file cannot be deleted";
  ASSERT_EQ(WaitForSingleObject(demo, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  app_ = std::make_unique<app::App>(machine, host);
  app_->Start();
  host.Advance(200);
  app::FrmMain& main = app_->windows.frmMain();
  // Without the memory sweep the scan leaves the program running: the removal must stop it.
  main.chkSweepMemory.SetValue(ui::kUnchecked);
  main.cmdScan.Click();
  main.cmdScanNow.Click();
  ASSERT_EQ(main.lblStatus(0).Caption(), "Scanning complete.")
      << ui::DumpRows(main.lvwSpywareFound);
  // Every planted trace was found: five files and folders, three registry entries, the cookie.
  ASSERT_EQ(main.lvwFilesToBeDeleted.Count(), 5) << ui::DumpRows(main.lvwFilesToBeDeleted);
  ASSERT_EQ(main.lvwRegistryToBeDeleted.Count(), 3) << ui::DumpRows(main.lvwRegistryToBeDeleted);
  ASSERT_EQ(main.lvwCookiesToDelete.Count(), 1);
  main.cmdRemove.Click();
  main.cmdSelectAll.Click();
  main.Command4.Click();

  ASSERT_FALSE(desktop.shown.empty());
  EXPECT_EQ(desktop.shown.back().rfind("Really Delete?: ", 0), 0u) << desktop.shown.back();
  EXPECT_EQ(WaitForSingleObject(demo, 5000), static_cast<DWORD>(WAIT_OBJECT_0))
      << "the program was stopped so its file could go";
  for (const std::string& path : {exe, programFiles_ + "Demo Adware", dll, cookie_}) {
    EXPECT_FALSE(Exists(path)) << path;
  }
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Demo Adware", &key), ERROR_SUCCESS);
  EXPECT_NE(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Demo Toolbar", &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_NE(SHGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                        "DemoAdware", nullptr, nullptr, &size),
            ERROR_SUCCESS);

  const std::string quarantine = data_ + "\\quarantine\\";
  EXPECT_TRUE(files().ReadAll(quarantine + "demoadware.exe") == files().ReadAll(helper));
  EXPECT_TRUE(Exists(quarantine + "demohelper.dll"));
  EXPECT_TRUE(Exists(quarantine + "Demo Adware"));
  EXPECT_EQ(files().ReadAll(quarantine + "user@demoadware[2].txt"),
            "id\nvisitor=42\nads.demoadware.example/\n1536\n*\n");
  const std::string log = QuarantineLog();
  for (const std::string& record :
       {" - File: demoadware.exe\r\n - Location: " + exe + "\r\n\r\n\r\n",
        " - File: demohelper.dll\r\n - Location: " + dll + "\r\n\r\n\r\n",
        " - File: user@demoadware[2].txt\r\n - Location: " + cookie_ + "\r\n\r\n\r\n",
        std::string(" - Key: HKEY_CURRENT_USER\\Software\\Demo Adware\r\nValue: \r\n\r\n\r\n"),
        std::string(" - Key: -2147483647\\Software\\Demo Adware\r\nValue: All Values\r\n"),
        std::string(" - Key: -2147483646\\Software\\Demo Toolbar\r\nValue: All Values\r\n"),
        std::string(" - Key: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                    "Run\r\nValue: DemoAdware\r\n")}) {
    EXPECT_NE(log.find(record), std::string::npos) << record << "\nin\n" << log;
  }

  // The file in use, and so its folder, could not be backed up: both stay and are listed.
  EXPECT_TRUE(Exists(ini));
  EXPECT_EQ(ui::DumpRows(app_->windows.frmDelete().lstProblem), ini + "\n" + toolbar + "\n");
  EXPECT_TRUE(app_->windows.frmDelete().Visible());

  // The library was looked into, never run.
  for (const char* marker : {"main", "register", "unregister"}) {
    EXPECT_FALSE(Exists(Marker(marker))) << "the library's code ran: " << marker;
  }

  // The restore point was asked for and ended; Wine refuses both and the removal went on.
  ASSERT_EQ(restore.calls.size(), 2u);
  EXPECT_EQ(restore.calls[0].eventType, platform::kBeginSystemChange);
  EXPECT_EQ(restore.calls[0].pointType, platform::kRestorePointRestore);
  EXPECT_EQ(restore.calls[1].eventType, platform::kEndSystemChange);
  EXPECT_EQ(main.lblDeletingPercentageCompleted.Caption(), "100% Complete");

  // Quarantine > Restore..., every row selected, Restore: everything that went comes back.
  main.mnuQuar.ClickItem(2);
  removal::frmRestore& window = app_->windows.frmRestore();
  ASSERT_TRUE(window.Visible());
  ASSERT_GE(window.lvwQuarantine.Count(), 7) << ui::DumpRows(window.lvwQuarantine);
  for (int row = 0; row < window.lvwQuarantine.Count(); ++row) {
    window.lvwQuarantine.SetSelected(row, true);
  }
  window.cmdRestore.Click();
  EXPECT_EQ(window.lvwQuarantine.Count(), 0) << ui::DumpRows(window.lvwQuarantine);
  EXPECT_TRUE(files().ReadAll(exe) == files().ReadAll(helper));
  EXPECT_TRUE(files().ReadAll(dll) == files().ReadAll(ExeFolder() + "\\fixture_library.dll"));
  EXPECT_EQ(files().ReadAll(cookie_), "id\nvisitor=42\nads.demoadware.example/\n1536\n*\n");
  const auto text = [](HKEY root, const char* key, const char* name) {
    char data[64] = {};
    DWORD length = sizeof data;
    SHGetValueA(root, key, name, nullptr, data, &length);
    return std::string(data);
  };
  EXPECT_EQ(text(HKEY_CURRENT_USER, "Software\\Demo Adware", ""), "settings");
  EXPECT_EQ(text(HKEY_CURRENT_USER, "Software\\Demo Adware\\Options", "Pop-ups"), "many");
  EXPECT_EQ(text(HKEY_LOCAL_MACHINE, "Software\\Demo Toolbar", "Version"), "1");
  EXPECT_EQ(text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                 "DemoAdware"),
            "demoadware.exe");
  // Offered to the exclusions, declined.
  EXPECT_NE(desktop.shown.back().find("add the restored items to the exclusions"),
            std::string::npos)
      << desktop.shown.back();
  for (const char* marker : {"main", "register", "unregister"}) {
    EXPECT_FALSE(Exists(Marker(marker))) << "the restored library's code ran: " << marker;
  }
  EXPECT_TRUE(host.Errors().empty()) << host.Errors().front();
}

// The ids of the running processes of these names (the snapshot's base names).
std::set<DWORD> ProcessesNamed(std::initializer_list<const char*> names) {
  std::set<DWORD> ids;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more;
       more = Process32Next(snapshot.Get(), &entry)) {
    for (const char* name : names) {
      if (lstrcmpiA(entry.szExeFile, name) == 0) ids.insert(entry.th32ProcessID);
    }
  }
  return ids;
}

// Every hostile definition line at once on the real prefix: Windows, the program's files and
// data, the vital keys and the system's processes survive a scan, Select All and Delete; the
// planted fake shell and the value named " " are what goes.
TEST_F(RemovalFlowWin32Test, HostileDefinitionsLeaveWindowsWhole) {
  const std::string program = ExeFolder() + "\\win32_tests.exe";
  std::vector<hostile::Line> lines;
  for (hostile::Line& line : hostile::HostileLines(ExeFolder(), "win32_tests.exe")) {
    // The program folder here is the build tree: a failure must not take the build with it.
    if (line.kind != hostile::Kind::Directory || line.text.find(ExeFolder()) == std::string::npos) {
      lines.push_back(std::move(line));
    }
  }
  for (hostile::Line& decoy : hostile::DecoyLines()) lines.push_back(std::move(decoy));
  hostile::WriteDefinitions(files(), data_, lines);
  SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Policies\\Microsoft", "Kept", "1");
  SetRegistryString(HKEY_CURRENT_USER, hostile::kDecoyKey, " ", "blank");
  SetRegistryString(HKEY_CURRENT_USER, hostile::kDecoyKey, "Keep", "kept");
  const std::string fake = windows_ + "\\Temp\\Fake Shell\\explorer.exe";
  ASSERT_TRUE(files().MakeDirectory(windows_ + "\\Temp\\Fake Shell"));
  ASSERT_TRUE(
      CopyFileA((ExeFolder() + "\\process_helper_threat.exe").c_str(), fake.c_str(), FALSE));
  const HANDLE fakeShell = Start(fake, "60000");
  for (int i = 0; i < 250 && !real.machine.processes.ModuleFileName(GetProcessId(fakeShell)); ++i) {
    Sleep(20);
  }
  std::set<DWORD> system = ProcessesNamed({"explorer.exe", "services.exe"});
  system.erase(GetProcessId(fakeShell));
  ASSERT_FALSE(system.empty());

  app_ = std::make_unique<app::App>(machine, host);
  app_->Start();
  host.Advance(200);
  app::FrmMain& main = app_->windows.frmMain();
  main.cmdScan.Click();
  main.cmdScanNow.Click();
  ASSERT_EQ(main.lblStatus(0).Caption(), "Scanning complete.")
      << ui::DumpRows(main.lvwSpywareFound);
  main.cmdRemove.Click();
  main.cmdSelectAll.Click();
  main.Command4.Click();

  hostile::ExpectIntact(real.machine,
                        hostile::VitalPlaces(windows_, ProgramFilesFolder(), data_, program));
  for (DWORD pid : system) {
    const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    EXPECT_EQ(WaitForSingleObject(process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << pid;
  }
  EXPECT_EQ(WaitForSingleObject(fakeShell, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_FALSE(Exists(fake));
  DWORD size = 0;
  EXPECT_NE(SHGetValueA(HKEY_CURRENT_USER, hostile::kDecoyKey, " ", nullptr, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(SHGetValueA(HKEY_CURRENT_USER, hostile::kDecoyKey, "Keep", nullptr, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_TRUE(host.Errors().empty()) << host.Errors().front();
}

TEST(Win32LibrariesTest, EntryPointsAreFoundWithoutRunningTheLibrary) {
  platform::win32::Win32Machine real;
  const std::string copy = TempFolder() + "fixture_library_copy.dll";
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\fixture_library.dll").c_str(), copy.c_str(), FALSE));
  DeleteFileA((TempFolder() + "fixture_library.main").c_str());

  const auto unregister = real.machine.libraries.LookUpEntryPoint(copy, "DllUnregisterServer");
  const auto missing = real.machine.libraries.LookUpEntryPoint(copy, "NoSuchEntry");
  const auto notLibrary = real.machine.libraries.LookUpEntryPoint(
      ExeFolder() + "\\AntiSpywareDAT\\Safety.dat", "DllUnregisterServer");

  EXPECT_TRUE(unregister.loaded && unregister.found);
  EXPECT_TRUE(missing.loaded);
  EXPECT_FALSE(missing.found);
  EXPECT_FALSE(notLibrary.loaded);
  EXPECT_FALSE(Exists(TempFolder() + "fixture_library.main")) << "its start-up code ran";
  EXPECT_TRUE(DeleteFileA(copy.c_str())) << "the library is freed again";
}

}  // namespace

// Live Update on the real services against the real definition server, which the ctest fixture
// `definition_server` starts on loopback with the starter definitions of a fresh installation
// and, published now, one more threat. A relay between the two notes what WinINet sends.
#include <gtest/gtest.h>

#include "scripted_desktop.h"

#include "definition_server_port.h"
#include "recording_proxy.h"
#include "test_folders.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/text.h"
#include "definitions/line_codec.h"
#include "platform/folder_tree.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "ui/dump.h"
#include "ui/headless_host.h"
#include "update/frm_signature_updated.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

using namespace win32_test;

// The threat only the update brings (see tests/win32/live_update_server.sh).
constexpr const char* kNewDefinition =
    "liveupdate-demo.exe=Live Update Demo|[progfil]Live Update Demo|Adware program";

int ServerPort() {
  return DefinitionServerPort();
}

class LiveUpdateWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DEFSERVER_PORT_FILE") == nullptr) {
      GTEST_SKIP() << "no definition server: run through ctest (fixture definition_server)";
    }
    ASSERT_NE(ServerPort(), 0) << "the definition server's port file cannot be read";
    CleanProfile();
    platform::DeleteFolder(files(), data_, true);
    ASSERT_TRUE(files().MakeDirectory(data_));
    // A fresh installation: the starter definitions and no date.dat.
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      const std::string from = ExeFolder() + "\\AntiSpywareDAT\\" + name + ".dat";
      ASSERT_TRUE(CopyFileA(from.c_str(), (data_ + "\\" + name + ".dat").c_str(), FALSE)) << from;
    }
    const std::string settings =
        "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT "\\Settings";
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "Language", REG_SZ, "English", 8);
    SHSetValueA(HKEY_CURRENT_USER, settings.c_str(), "showHelp", REG_SZ, "0", 2);
    SHSetValueA(HKEY_LOCAL_MACHINE, kMachineSettings, "FirstTime", REG_SZ, "Yes", 4);
  }
  void TearDown() override {
    app_.reset();
    platform::DeleteFolder(files(), threatFolder_, true);
    platform::DeleteFolder(files(), data_, true);
    CleanProfile();
  }
  static void CleanProfile() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" BRAND_COMPANY);
  }
  platform::Files& files() { return real.machine.files; }
  static std::string Escaped(const std::string& text) {
    return common::ReplaceAll(text, " ", "%20");
  }

  static constexpr const char* kMachineSettings =
      "SOFTWARE\\" BRAND_COMPANY "\\" BRAND_PRODUCT "\\Settings";
  platform::win32::Win32Machine real;
  // The user at the keyboard answers every message box with No (or Cancel, or OK).
  win32_test::ScriptedDesktop desktop{
      real.machine.desktop, [](const std::string&, const std::string&, std::uint32_t style) {
        switch (style & platform::kMbButtonsMask) {
          case platform::kMbOk:
            return platform::kIdOk;
          case platform::kMbYesNo:
            return platform::kIdNo;
          default:
            return platform::kIdCancel;
        }
      }};
  platform::Machine machine = WithDesktop(real.machine, desktop);
  ui::HeadlessHost host;
  std::unique_ptr<app::App> app_;
  std::string data_ = [] {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, FALSE);
    return std::string(path) + "\\AntiSpywareDAT";
  }();
  std::string threatFolder_ = ProgramFilesFolder() + "\\Live Update Demo";
};

TEST_F(LiveUpdateWin32Test, FetchesMergesAndScansWithWhatTheServerAdded) {
  RecordingProxy relay(ServerPort());
  ASSERT_NE(relay.Port(), 0);
  // The machine's own setting points the program at the relay.
  const std::string address = "http://127.0.0.1:" + std::to_string(relay.Port()) + "/";
  SHSetValueA(HKEY_LOCAL_MACHINE, kMachineSettings, "DefinitionServer", REG_SZ, address.c_str(),
              static_cast<DWORD>(address.size() + 1));

  app_ = std::make_unique<app::App>(machine, host);
  app_->Start();
  host.Advance(200);
  app::FrmMain& main = app_->windows.frmMain();
  const std::string countBefore = main.lblDefCount.Caption();
  main.cmdUpdate.Click();

  const std::vector<std::string> requests = relay.Requests();
  ASSERT_EQ(requests.size(), 3u);
  const std::string identity = "prog=" + Escaped(BRAND_PRODUCT) + "&comp=" + Escaped(BRAND_COMPANY);
  // Without date.dat the definitions date from the starter set's day, written as the locale
  // writes that midnight.
  const std::string starterDate = real.machine.clock.FormatDate(38792.0);
  const std::vector<std::string> lines = {
      "GET /asp/currentDateNEW.asp?" + identity + " HTTP/1.1\r\n",
      "GET /asp/getDefsNEW.asp?" + identity + "&date=" + starterDate + " HTTP/1.1\r\n",
      "GET /asp/date.asp HTTP/1.1\r\n"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(requests[i].substr(0, requests[i].find("\r\n") + 2), lines[i]);
    EXPECT_NE(requests[i].find("\r\nUser-Agent: Mozilla\r\n"), std::string::npos) << requests[i];
    EXPECT_NE(common::FindNoCase(requests[i], "no-cache"), std::string::npos) << requests[i];
  }

  // Merged on disk: the new definition stored scrambled, and the server's date in date.dat.
  const std::string stored = files().ReadAll(data_ + "\\FileDefinition.dat").value_or("");
  EXPECT_NE(stored.find(definitions::ScrambleText(kNewDefinition) + "\r\n"), std::string::npos);
  const std::string date = files().ReadAll(data_ + "\\date.dat").value_or("");
  EXPECT_TRUE(real.machine.clock.ParseDate(common::Trim(date.substr(0, date.find('\r'))))) << date;
  EXPECT_FALSE(files().ReadAll(data_ + "\\temp.dat"));
  EXPECT_NE(main.lblDefCount.Caption(), countBefore);
  EXPECT_NE(app_->windows.frmSignatureUpdated().lblUpdateInfo.Caption().find("have been updated!"),
            std::string::npos);

  // A scan now finds the threat only the update knew.
  ASSERT_TRUE(files().MakeDirectory(threatFolder_));
  ASSERT_TRUE(files().WriteAll(threatFolder_ + "\\liveupdate-demo.exe", "MZ"));
  main.chkSweepMemory.SetValue(ui::kUnchecked);
  main.cmdScan.Click();
  main.cmdScanNow.Click();
  EXPECT_NE(ui::DumpRows(main.lvwFilesToBeDeleted).find("liveupdate-demo.exe"), std::string::npos)
      << ui::DumpRows(main.lvwFilesToBeDeleted);
  EXPECT_NE(ui::DumpRows(main.lvwSpywareFound).find("Live Update Demo"), std::string::npos)
      << ui::DumpRows(main.lvwSpywareFound);
}

}  // namespace

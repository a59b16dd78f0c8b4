// The language download and the anonymous submission on the real services against the real
// server that the ctest fixture `definition_server` starts; and the process list of Windows
// Management Instrumentation.
#include <gtest/gtest.h>

// Before any header that brings in <windows.h>, whose name macros would rename the desktop's
// methods.
#include "scripted_desktop.h"

#include "definition_server_port.h"
#include "recording_proxy.h"
#include "test_folders.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "branding/branding.h"
#include "common/text.h"
#include "definitions/line_codec.h"
#include "localization/frm_language.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "submission/submission.h"
#include "ui/headless_host.h"

#include <shlwapi.h>

namespace {

using namespace win32_test;

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The names of a running-programs payload, unscrambled.
std::vector<std::string> NamesOf(const std::string& payload) {
  std::vector<std::string> names;
  for (const std::string& name : common::Split(payload, "|")) {
    names.push_back(definitions::DecodeDefinitionLine(name));
  }
  return names;
}

// The request line of a request head, without its line end.
std::string RequestLine(const std::string& head) {
  return head.substr(0, head.find("\r\n"));
}

TEST(ManagementWin32Test, ListsTheRunningProgramsAndSendsNoneOfTheSystemsOwn) {
  platform::win32::Win32Machine real;
  const auto names = real.machine.processes.ManagementProcessNames();
  ASSERT_TRUE(names.has_value()) << "the management service could not be reached";
  EXPECT_TRUE(Holds(*names, "win32_tests.exe"));
  EXPECT_TRUE(Holds(*names, "services.exe"));

  const std::vector<std::string> sent =
      NamesOf(submission::ListRunningPrograms(real.machine.processes));
  EXPECT_TRUE(Holds(sent, "win32_tests.exe"));
  for (const char* never : {"services.exe", "svchost.exe", "explorer.exe", "winlogon.exe"}) {
    EXPECT_FALSE(Holds(sent, never)) << never;
  }
}

class ServerWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (DefinitionServerPort() == 0) {
      GTEST_SKIP() << "no definition server: run through ctest (fixture definition_server)";
    }
    relay_ = std::make_unique<RecordingProxy>(DefinitionServerPort());
    ASSERT_NE(relay_->Port(), 0);
    // The machine's own settings point the program at the relay.
    const std::string address = "http://127.0.0.1:" + std::to_string(relay_->Port());
    for (const char* value : {"DefinitionServer", "LanguageServer"}) {
      SHSetValueA(HKEY_LOCAL_MACHINE, kMachineSettings, value, REG_SZ, address.c_str(),
                  static_cast<DWORD>(address.size() + 1));
    }
    app_ = std::make_unique<app::App>(machine, host);
    branding::LoadBranding(real.machine.system, app_->brand);
    app_->LoadLanguage();
  }
  void TearDown() override {
    app_.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\" BRAND_PRODUCT);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" BRAND_COMPANY);
  }
  std::vector<std::string> RequestLines() {
    std::vector<std::string> lines;
    for (const std::string& head : relay_->Requests()) lines.push_back(RequestLine(head));
    return lines;
  }

  static constexpr const char* kMachineSettings =
      "SOFTWARE\\" BRAND_COMPANY "\\" BRAND_PRODUCT "\\Settings";
  platform::win32::Win32Machine real;
  ScriptedDesktop desktop{real.machine.desktop,
                          [](const std::string&, const std::string&, std::uint32_t) {
                            return platform::kIdOk;
                          }};
  platform::Machine machine = WithDesktop(real.machine, desktop);
  ui::HeadlessHost host;
  std::unique_ptr<RecordingProxy> relay_;
  std::unique_ptr<app::App> app_;
};

TEST_F(ServerWin32Test, CheckForLanguageUpdatesPutsTheServersFileInPlace) {
  const std::string path = app_->languages.LanguageFilePath();
  const std::string shipped = real.machine.files.ReadAll(path).value_or("");
  ASSERT_FALSE(shipped.empty()) << path;
  ASSERT_TRUE(real.machine.files.WriteAll(path, "an older file\r\n"));

  localization::frmLanguage& window = app_->windows.frmLanguage();
  window.Show();
  EXPECT_EQ(window.Combo1.ListCount(), 0);
  window.Command1.Click();
  const std::string installed = real.machine.files.ReadAll(path).value_or("");
  // Put the build's own copy back before anything can fail.
  real.machine.files.WriteAll(path, shipped);

  EXPECT_EQ(RequestLines(), (std::vector<std::string>{
                                "GET /Languages/21/Localization.txt HTTP/1.1"}));
  EXPECT_EQ(installed, shipped) << "the server serves the file the build ships";
  EXPECT_FALSE(real.machine.files.ReadAll(path + ".new").has_value());
  EXPECT_EQ(window.Combo1.Entries(), (std::vector<std::string>{"English", "German"}));
  EXPECT_EQ(desktop.shown, (std::vector<std::string>{
                               BRAND_PRODUCT ": The newest language file has been downloaded."}));
  window.Unload();
}

TEST_F(ServerWin32Test, TheServerTakesAndKeepsWhatIsSubmitted) {
  // A name this run has never sent: the server stores it and then knows it.
  const std::string name = "submitted-" + std::to_string(GetTickCount()) + ".exe";
  EXPECT_TRUE(app_->SubmitName(name));
  const std::string address = app_->DefinitionServer();
  EXPECT_NE(app_->GetUrlText(submission::SubmissionAddress(
                                 address, submission::TypedNamePayload(name)))
                .find("Skipped"),
            std::string::npos)
      << "a second submission of the same name finds it stored";

  app_->SubmitRunningPrograms();
  const std::vector<std::string> lines = RequestLines();
  ASSERT_EQ(lines.size(), 3u);
  // WinINet sends the scrambled bytes as they are or escaped; either way they are the name's.
  const std::string scrambled = submission::TypedNamePayload(name);
  std::string escaped;
  for (const unsigned char c : scrambled) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", c);
    escaped += c >= 0x80 ? std::string(hex) : std::string(1, static_cast<char>(c));
  }
  EXPECT_TRUE(lines[0] == "GET /asp/getData.asp?data=" + scrambled + " HTTP/1.1" ||
              lines[0] == "GET /asp/getData.asp?data=" + escaped + " HTTP/1.1")
      << lines[0];
  EXPECT_TRUE(common::StartsWithNoCase(lines[2], "GET /asp/getData.asp?data=")) << lines[2];
}

}  // namespace

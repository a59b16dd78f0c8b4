#include "app/app.h"

#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "common/file_tests.h"
#include "definitions/definition_files.h"
#include "definitions/placeholders.h"
#include "localization/default_messages.h"
#include "platform/system.h"
#include "protection/home_page_shield.h"
#include "protection/memory_shield.h"
#include "report/scan_report.h"
#include "update/server_address.h"

namespace app {

App::App(platform::Machine& machine, ui::Host& host)
    : machine(machine),
      host(host),
      settings(machine),
      languages(machine),
      protectedPaths(machine),
      exclusions(machine.files) {
  host.onFormLoading = [this](ui::Form& window) { TranslateOnLoad(window); };
}

// The results' index lets go of the main window's list before the window goes.
App::~App() {
  host.onFormLoading = nullptr;
  results_.reset();
}

scan::ScanServices App::ScanServices() {
  FrmMain& main = windows.frmMain();
  return scan::ScanServices{
      .machine = machine,
      .results = results(),
      .exclusions = exclusions,
      .protectedPaths = protectedPaths,
      .dataFolder = state.dataFolder,
      .state = state.scan,
      .message = [this](const std::string& key) { return Message(key); },
      .yield = [this] { host.YieldIfDue(); },
      .userScan = [] { return false; },
      .progress = [](const std::string&, int, int) {},
      .lockMainWindow = [&main](bool lock) { main.LockMainWindow(lock); },
      .runningItems = &main.lblTotalNoOfRunningItems,
      .askAboutProcess = {},
  };
}

scan::ScanResults& App::results() {
  if (!results_) {
    FrmMain& main = windows.frmMain();
    results_ = std::make_unique<scan::ScanResults>(scan::ScanResults::Lists{
        main.lvwSpywareFound, main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved,
        main.lvwFilesToBeDeleted, main.lvwRegistryToBeDeleted, main.lvwCookiesToDelete,
        main.lvwFileNotFounds, main.lbltracesFound});
  }
  return *results_;
}

void App::LoadExclusions() {
  exclusions.LoadExclusions(state.dataFolder, [this] { host.DoEvents(); });
}

void App::AddExclusion(const std::string& text) {
  exclusions.AddExclusion(state.dataFolder, text, [this] { host.DoEvents(); });
}

void App::Start() {
  windows.splash().Show();
}

void App::EndProcess(int exitCode) {
  ending_ = true;
  host.Quit(exitCode);
}

std::string App::GetSetting(const std::string& section, const std::string& key,
                            const std::string& defaultValue) const {
  return settings.GetSetting(brand.ProgramName, section, key, defaultValue);
}

void App::SaveSetting(const std::string& section, const std::string& key,
                      const std::string& value) {
  settings.SaveSetting(brand.ProgramName, section, key, value);
}

std::string App::GetMachineSetting(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, SettingError* error) {
  return settings.GetMachineSetting(brand.CompanyName, brand.ProgramName, section, key,
                                    defaultValue, error);
}

void App::SaveMachineSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  settings.SaveMachineSetting(brand.CompanyName, brand.ProgramName, section, key, value);
}

std::string App::Message(const std::string& key) {
  return languages.getMessages(key);
}

std::string App::Paragraphs(std::initializer_list<const char*> keys) {
  std::string text;
  for (const char* key : keys) {
    if (!text.empty()) text += "\r\n\r\n";
    text += Message(key);
  }
  return text;
}

int App::Tell(const std::string& text, std::uint32_t style) {
  return machine.desktop.MessageBox(text, brand.ProgramName, style);
}

bool App::FileExists(const std::string& path) {
  return common::FileExists(machine.files, path);
}

std::string App::ExpandDataFolder() {
  return definitions::DataFolderPath(machine.shellFolders);
}

void App::LoadLanguage() {
  languages.SetBranding(brand.ProgramName, brand.CompanyName, brand.Website);
  localization::LoadDefaultMessages(languages);
  languageReady_ = true;
  // The windows take the language as they load, the main window too.
  languages.TranslateMessages(state.language);
}

void App::TranslateMessages(const std::string& language) {
  languages.TranslateMessages(language);
}

void App::InstallDownloadedDefinitions() {
  definitions::InstallDownloadedDefinitions(machine.files, state.dataFolder);
}

long App::CountDefinitions() {
  return static_cast<long>(definitions::CountDefinitions(machine.files, state.dataFolder).total);
}

std::string App::ReadDefinitionsDate() {
  return definitions::ReadDefinitionsDate(machine.files, state.dataFolder);
}

void App::ShowQuarantine() {
  quarantine.ShowQuarantine();
}

void App::MakeReport() {
  FrmMain& main = windows.frmMain();
  const platform::OwnVersionInfo version = machine.system.GetOwnVersionInfo();
  report::ScanSummary summary;
  summary.productName = version.productName;
  summary.majorVersion = version.major;
  summary.minorVersion = version.minor;
  summary.scanStartTime = state.scan.scanStartTime;
  summary.scanEndTime = state.scan.scanEndTime;
  // The counters as the scan page shows them: a stage left out reads as such, not as 0.
  summary.memoryInspected = main.lblMemoryInspected.Caption();
  summary.registryInspected = main.lblRegistryInspected.Caption();
  summary.filesFoldersInspected = main.lblFilesFolderInspected.Caption();
  for (const ui::ListItem& row : main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Items()) {
    summary.findings.push_back({row.text, row.Column(1)});
  }
  report::ScanReport(machine.files, state.dataFolder).MakeReport(summary);
}

void App::LoadSchedule() {
  windows.frmMain().ShowSchedule();
}

void App::ApplySchedule() {
  windows.frmMain().CmdProceed_Click();
}

void App::SetTaskVisible(bool visible) {
  windows.frmMain().SetShowInTaskbar(visible);
}

bool App::IsVistaOrLater() {
  platform::OsVersion version;
  if (!machine.system.GetVersion(&version)) return false;
  return version.platformId == platform::kPlatformWin32Nt && version.major > 5;
}

std::string App::DefinitionServer() {
  return update::DefinitionServer(machine.registry, brand.CompanyName, brand.ProgramName);
}

}  // namespace app

#include "app/app.h"

#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/tray/frm_menu_pop_up.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "common/file_tests.h"
#include "definitions/definition_files.h"
#include "definitions/placeholders.h"
#include "localization/frm_language.h"
#include "localization/default_messages.h"
#include "platform/system.h"
#include "protection/frm_home_page_changed_alert.h"
#include "protection/frm_spyware_found_alert.h"
#include "protection/home_page_shield.h"
#include "protection/memory_shield.h"
#include "removal/frm_delete.h"
#include "removal/frm_restore.h"
#include "report/frm_report.h"
#include "report/scan_report.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"
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
  FrmMain& main = frmMain();
  return scan::ScanServices{
      .machine = machine,
      .results = results(),
      .exclusions = exclusions,
      .protectedPaths = protectedPaths,
      .dataFolder = dataFolder,
      .state = scanState,
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
    FrmMain& main = frmMain();
    results_ = std::make_unique<scan::ScanResults>(scan::ScanResults::Lists{
        main.lvwSpywareFound, main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved,
        main.lvwFilesToBeDeleted, main.lvwRegistryToBeDeleted, main.lvwCookiesToDelete,
        main.lvwFileNotFounds, main.lbltracesFound});
  }
  return *results_;
}

void App::LoadExclusions() {
  exclusions.LoadExclusions(dataFolder, [this] { host.DoEvents(); });
}

void App::AddExclusion(const std::string& text) {
  exclusions.AddExclusion(dataFolder, text, [this] { host.DoEvents(); });
}

void App::Start() {
  splash().Show();
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
  languages.ChangeLanguage(frmMain(), currentLanguage);
}

void App::TranslateMessages(const std::string& language) {
  languages.TranslateMessages(language);
}

void App::InstallDownloadedDefinitions() {
  definitions::InstallDownloadedDefinitions(machine.files, dataFolder);
}

long App::CountDefinitions() {
  return static_cast<long>(definitions::CountDefinitions(machine.files, dataFolder).total);
}

std::string App::ReadDefinitionsDate() {
  return definitions::ReadDefinitionsDate(machine.files, dataFolder);
}

void App::ShowQuarantine() {
  quarantine.ShowQuarantine();
}

void App::MakeReport() {
  FrmMain& main = frmMain();
  const platform::OwnVersionInfo version = machine.system.GetOwnVersionInfo();
  report::ScanSummary summary;
  summary.productName = version.productName;
  summary.majorVersion = version.major;
  summary.minorVersion = version.minor;
  summary.scanStartTime = scanState.scanStartTime;
  summary.scanEndTime = scanState.scanEndTime;
  // The counters as the scan page shows them: a stage left out reads as such, not as 0.
  summary.memoryInspected = main.lblMemoryInspected.Caption();
  summary.registryInspected = main.lblRegistryInspected.Caption();
  summary.filesFoldersInspected = main.lblFilesFolderInspected.Caption();
  for (const ui::ListItem& row : main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.Items()) {
    summary.findings.push_back({row.text, row.Column(1)});
  }
  report::ScanReport(machine.files, dataFolder).MakeReport(summary);
}

void App::LoadSchedule() {
  frmMain().ShowSchedule();
}

void App::ApplySchedule() {
  frmMain().CmdProceed_Click();
}

void App::SetTaskVisible(bool visible) {
  frmMain().SetShowInTaskbar(visible);
}

void App::UnloadOtherWindows() {
  if (download_) download_->Unload();
  if (homePageAlert_) homePageAlert_->Unload();
  if (notice_) notice_->Unload();
  if (form8_) form8_->Unload();
  if (about_) about_->Unload();
  if (report_) report_->Unload();
  if (alert_) alert_->Unload();
  if (menuPopUp_) menuPopUp_->Unload();
  if (hidden_) hidden_->Unload();
  if (delete_) delete_->Unload();
  if (language_) language_->Unload();
  if (restore_) restore_->Unload();
}

bool App::IsVistaOrLater() {
  platform::OsVersion version;
  if (!machine.system.GetVersion(&version)) return false;
  return version.platformId == platform::kPlatformWin32Nt && version.major > 5;
}

frmSplash& App::splash() {
  if (!splash_) splash_ = std::make_unique<frmSplash>(*this);
  return *splash_;
}

FrmMain& App::frmMain() {
  if (!frmMain_) frmMain_ = std::make_unique<FrmMain>(*this);
  return *frmMain_;
}

frmHidden& App::hidden() {
  if (!hidden_) hidden_ = std::make_unique<frmHidden>(host);
  return *hidden_;
}

removal::frmDelete& App::frmDelete() {
  if (!delete_) delete_ = std::make_unique<removal::frmDelete>(host, machine.clipboard);
  return *delete_;
}

report::frmReport& App::frmReport() {
  if (!report_) {
    report_ = std::make_unique<report::frmReport>(host, machine.files, dataFolder, brand);
  }
  return *report_;
}

Form8& App::form8() {
  if (!form8_) form8_ = std::make_unique<Form8>(*this);
  return *form8_;
}

branding::frmAbout& App::frmAbout() {
  if (!about_) {
    about_ = std::make_unique<branding::frmAbout>(host, machine.system, brand,
                                                  [this] { frmWebsite().Load(); });
  }
  return *about_;
}

protection::frmSpywareFoundAlert& App::frmSpywareFoundAlert() {
  if (!alert_) {
    alert_ = std::make_unique<protection::frmSpywareFoundAlert>(
        host, protection::frmSpywareFoundAlert::Services{
                  machine, exclusions, dataFolder, brand.ProgramName,
                  [this](const std::string& key) { return Message(key); }});
  }
  return *alert_;
}

update::frmDownload& App::frmDownload() {
  if (!download_) {
    download_ = std::make_unique<update::frmDownload>(
        host, update::frmDownload::Services{
                  machine.tray, [this](const std::string& key) { return Message(key); },
                  [this] { return GetSetting("Settings", "Minimized", "No") == "Yes"; }});
  }
  return *download_;
}

update::frmSignatureUpdated& App::frmSignatureUpdated() {
  if (!notice_) {
    notice_ = std::make_unique<update::frmSignatureUpdated>(
        host, update::frmSignatureUpdated::Services{
                  machine.desktop,
                  [this](const std::string& key, const std::string& value) {
                    SaveSetting("OptionAndSettings", key, value);
                  },
                  [this] {
                    if (download_) download_->RemoveTrayIcon();
                  }});
  }
  return *notice_;
}

std::string App::DefinitionServer() {
  return update::DefinitionServer(machine.registry, brand.CompanyName, brand.ProgramName);
}

frmMenuPopUp& App::menuPopUp() {
  if (!menuPopUp_) menuPopUp_ = std::make_unique<frmMenuPopUp>(host, *this);
  return *menuPopUp_;
}

branding::frmWebsite& App::frmWebsite() {
  if (!website_) website_ = std::make_unique<branding::frmWebsite>(host, machine, brand);
  return *website_;
}

}  // namespace app

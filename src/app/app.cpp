#include "app/app.h"

#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "platform/system.h"
#include "removal/frm_delete.h"

namespace app {

App::App(platform::Machine& machine, ui::Host& host)
    : machine(machine), host(host), settings(machine) {}

App::~App() = default;

void App::Start() { splash().Show(); }

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

std::string App::Message(const std::string& key) { return key; }

bool App::FileExists(const std::string&) { return false; }

std::string App::ExpandDataFolder() { return ""; }

// The language file and the language chooser come with the localization subsystem; until then
// the program speaks its built-in English.
void App::LoadLanguage() {}
void App::ChooseLanguage() {}

// Definitions come with the definitions subsystem: nothing to install or count before it.
void App::InstallDownloadedDefinitions() {}
long App::CountDefinitions() { return 0; }
std::string App::ReadDefinitionsDate() { return ""; }

// The exclusion list, the schedule, the drive list, the submission, the quarantine and the tray
// icon arrive with their subsystems; until then these steps have nothing to do.
void App::LoadExclusions() {}
void App::LoadSchedule() {}
void App::ApplySchedule() {}
void App::FillDriveList() {}
void App::SubmitRunningPrograms() {}
void App::ShowQuarantine() {}
void App::ViewExclusions() {}
void App::ShowTrayIcon() {}
void App::RemoveTrayIcon() {}

void App::SetTaskVisible(bool visible) { frmMain().SetShowInTaskbar(visible); }

void App::UnloadOtherWindows() {
  // The download, alert, pop-up menu, report and notice windows join this order as they arrive.
  if (form8_) form8_->Unload();
  if (about_) about_->Unload();
  if (hidden_) hidden_->Unload();
  if (delete_) delete_->Unload();
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
  if (!delete_) delete_ = std::make_unique<removal::frmDelete>(host);
  return *delete_;
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

branding::frmWebsite& App::frmWebsite() {
  if (!website_) website_ = std::make_unique<branding::frmWebsite>(host, machine, brand);
  return *website_;
}

}  // namespace app

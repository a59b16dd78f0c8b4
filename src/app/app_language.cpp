// The program's languages: the Languages window, a chosen language put into every window, the
// list of windows the language file covers, and the anonymous submission's server requests.
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/form8.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/options.h"
#include "app/tray/frm_menu_pop_up.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"
#include "localization/frm_language.h"
#include "localization/language_download.h"
#include "localization/message_keys.h"
#include "protection/frm_home_page_changed_alert.h"
#include "protection/frm_spyware_found_alert.h"
#include "removal/frm_delete.h"
#include "removal/frm_restore.h"
#include "report/frm_report.h"
#include "submission/submission.h"
#include "update/frm_download.h"
#include "update/frm_signature_updated.h"
#include "update/http_client.h"
#include "update/server_address.h"

namespace app {

std::vector<ui::Form*> App::Windows(bool makeMissing) {
  std::vector<ui::Form*> windows;
  const auto add = [&](const auto& window, auto make) {
    if (!window && makeMissing) make();
    if (window) windows.push_back(window.get());
  };
  // One line per window, in the order the language file lists them.
  add(frmMain_, [this] { frmMain(); });
  add(delete_, [this] { frmDelete(); });
  add(download_, [this] { frmDownload(); });
  add(menuPopUp_, [this] { menuPopUp(); });
  add(notice_, [this] { frmSignatureUpdated(); });
  add(alert_, [this] { frmSpywareFoundAlert(); });
  add(homePageAlert_, [this] { frmHomePageChangedAlert(); });
  add(report_, [this] { frmReport(); });
  add(about_, [this] { frmAbout(); });
  add(language_, [this] { frmLanguage(); });
  add(form8_, [this] { form8(); });
  add(splash_, [this] { splash(); });
  add(hidden_, [this] { hidden(); });
  add(website_, [this] { frmWebsite(); });
  add(restore_, [this] { frmRestore(); });
  return windows;
}

bool App::makeLocalizationFile() {
  // A window's controls exist as soon as the window is made: loading the slide-in windows here
  // would show them.
  return languages.makeLocalizationFile(Windows(true));
}

void App::TranslateOnLoad(ui::Form& window) {
  // The main window puts the language into effect itself, in the middle of its start-up.
  if (!languageReady_ || &window == frmMain_.get()) return;
  languages.ChangeLanguage(window, currentLanguage);
}

localization::frmLanguage& App::frmLanguage() {
  if (!language_) {
    language_ = std::make_unique<localization::frmLanguage>(
        host,
        localization::frmLanguage::Services{
            machine, languages,
            [this] {
              return GetSetting(option::kLanguage.section, option::kLanguage.key,
                                option::kLanguage.defaultText);
            },
            [this](const std::string& language) { ApplyLanguage(language); },
            [this] {
              return localization::LanguageFileAddress(
                  update::LanguageServer(machine.registry, brand.CompanyName, brand.ProgramName),
                  brand.BrandNumber);
            },
            [this](const std::string& url) { return GetUrlText(url); },
            [this](const std::string& text) { Tell(text, platform::kMbOk); }});
  }
  return *language_;
}

void App::ChooseLanguage() {
  frmLanguage().Show(true);
}

void App::ShowLanguageWindow() {
  frmLanguage().Show();
}

void App::ApplyLanguage(const std::string& language) {
  SaveSetting(option::kLanguage.section, option::kLanguage.key, language);
  currentLanguage = language;
  // The scan's counters show what was counted; their items hold the design's "0".
  std::vector<std::pair<ui::Label*, std::string>> counters;
  if (frmMain_) {
    FrmMain& main = *frmMain_;
    for (ui::Label* counter :
         {&main.lblMemoryInspected, &main.lblRegistryInspected, &main.lblFilesFolderInspected,
          &main.lblSoftwareFound, &main.lblTotalNoOfRunningItems, &main.lblRemovePicSoftwareFound,
          &main.lbltracesFound}) {
      counters.emplace_back(counter, counter->Caption());
    }
  }
  // Every window that is loaded, not only the main one: a window kept loaded but hidden (the
  // failed-removal list) would otherwise keep the old language until the next start.
  for (ui::Form* window : Windows(false)) {
    if (window->IsLoaded()) languages.ChangeLanguage(*window, language);
  }
  for (const auto& [counter, caption] : counters) counter->SetCaption(caption);
  if (!frmMain_) return;
  // The main window's captions that its start-up builds from messages and the brand.
  FrmMain& main = *frmMain_;
  main.SetCaption(Message(localization::msg::kCaption));
  main.cmdWebsite.SetCaption(Message(localization::msg::kWebsite));
  main.Label22.SetCaption(Message(localization::msg::kCaption2));
  main.frmStatus.SetCaption(brand.ProgramName + " Status");
  main.RefreshStatusPage();
}

std::string App::GetUrlText(const std::string& url) {
  return update::HttpClient(machine.internet, [this] { host.DoEvents(); }).GetUrlText(url);
}

namespace {

submission::Submission Submitter(App& app) {
  return submission::Submission(app.DefinitionServer(),
                                [&app](const std::string& url) { return app.GetUrlText(url); });
}

}  // namespace

void App::SubmitRunningPrograms() {
  Submitter(*this).SubmitRunningPrograms(machine.processes);
}

bool App::SubmitName(const std::string& name) {
  return Submitter(*this).SubmitName(name);
}

}  // namespace app

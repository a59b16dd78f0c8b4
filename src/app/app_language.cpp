// The program's languages: the Languages window, a chosen language put into every window, the
// list of windows the language file covers, and the anonymous submission's server requests.
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "app/options.h"
#include "localization/frm_language.h"
#include "localization/message_keys.h"
#include "submission/submission.h"
#include "update/http_client.h"

namespace app {

bool App::makeLocalizationFile() {
  // A window's controls exist as soon as the window is made: loading the slide-in windows here
  // would show them.
  return languages.makeLocalizationFile(windows.All(true));
}

void App::TranslateOnLoad(ui::Form& window) {
  if (!languageReady_) return;
  languages.ChangeLanguage(window, state.language);
}

void App::ChooseLanguage() {
  windows.frmLanguage().Show(true);
}

void App::ShowLanguageWindow() {
  windows.frmLanguage().Show();
}

void App::ApplyLanguage(const std::string& language) {
  SaveSetting(option::kLanguage.section, option::kLanguage.key, language);
  state.language = language;
  // The scan's counters show what was counted; their items hold the design's "0".
  std::vector<std::pair<ui::Label*, std::string>> counters;
  if (FrmMain* shown = windows.MainIfMade()) {
    FrmMain& main = *shown;
    for (ui::Label* counter :
         {&main.lblMemoryInspected, &main.lblRegistryInspected, &main.lblFilesFolderInspected,
          &main.lblSoftwareFound, &main.lblTotalNoOfRunningItems, &main.lblRemovePicSoftwareFound,
          &main.lbltracesFound}) {
      counters.emplace_back(counter, counter->Caption());
    }
  }
  // Every window that is loaded, not only the main one: a window kept loaded but hidden (the
  // failed-removal list) would otherwise keep the old language until the next start.
  for (ui::Form* window : windows.All(false)) {
    if (window->IsLoaded()) languages.ChangeLanguage(*window, language);
  }
  for (const auto& [counter, caption] : counters) counter->SetCaption(caption);
  FrmMain* made = windows.MainIfMade();
  if (made == nullptr) return;
  // The main window's captions that its start-up builds from messages and the brand.
  FrmMain& main = *made;
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

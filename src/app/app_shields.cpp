// The two shields and the home-page question, wired to the main window's timers, the settings
// and the message catalogue.
#include <memory>

#include "app/app.h"
#include "app/frm_main.h"
#include "app/options.h"
#include "localization/message_keys.h"
#include "protection/frm_home_page_changed_alert.h"
#include "protection/frm_spyware_found_alert.h"
#include "protection/home_page_shield.h"
#include "protection/memory_shield.h"
#include "scan/scan_run.h"

namespace app {

namespace {

// A switch of the options page as stored now; a text that is no switch counts as off.
bool IsOn(const App& app, const Option& option) {
  return OptionValue(option, app.GetSetting(option.section, option.key, option.defaultText))
      .value_or(false);
}

// The process stage in shield mode: its own run, not the scan page's. Only the running-programs
// count shows on the scan page; what it meets goes to ask.
void RunShieldProcessStage(App& app, const protection::MemoryShield::Ask& ask) {
  scan::ScanServices services = app.ScanServices();
  services.askAboutProcess = ask;
  scan::ScanRun(std::move(services), scan::ScanOptions{}, scan::ScanObserver{}).RunProcessStage();
}

}  // namespace

protection::MemoryShield& App::memoryShield() {
  if (!memoryShield_) {
    memoryShield_ = std::make_unique<protection::MemoryShield>(protection::MemoryShield::Services{
        .processes = machine.processes,
        .shieldOn = [this] { return IsOn(*this, option::kMemoryShieldOn); },
        .setBackgroundTimers =
            [this](bool enable) { windows.frmMain().SetBackgroundTimers(enable); },
        .runProcessStage =
            [this](const protection::MemoryShield::Ask& ask) { RunShieldProcessStage(*this, ask); },
        .askUser =
            [this](const std::string& fileName, const std::string& companyText, std::uint32_t pid) {
              return windows.frmSpywareFoundAlert().AskAbout(fileName, companyText, pid);
            },
        .ending = [this] { return Ending(); },
    });
  }
  return *memoryShield_;
}

protection::HomePageShield& App::homePageShield() {
  if (!homePageShield_) {
    homePageShield_ =
        std::make_unique<protection::HomePageShield>(protection::HomePageShield::Services{
            .registry = machine.registry,
            .shieldOn = [this] { return IsOn(*this, option::kHomePageShieldOn); },
            .askMode = [this] { return IsOn(*this, option::kNotifyBeforeRestoring); },
            .silentMode = [this] { return IsOn(*this, option::kRestoreSilently); },
            .acceptedPage =
                [this] {
                  return GetSetting(option::kHomepage.section, option::kHomepage.key,
                                    option::kHomepage.defaultText);
                },
            .saveAcceptedPage =
                [this](const std::string& page) {
                  SaveSetting(option::kHomepage.section, option::kHomepage.key, page);
                },
            .setBackgroundTimers =
                [this](bool enable) { windows.frmMain().SetBackgroundTimers(enable); },
            .memoryShieldTick = [this] { windows.frmMain().tmrMemoryInspected_Timer(); },
            .ask =
                [this](const std::string& question) {
                  windows.frmHomePageChangedAlert().Ask(question);
                },
            .tellRestoreRefused = [this] { Tell(Message(localization::msg::kHomepageLocked)); },
            .programName = [this] { return brand.ProgramName; },
        });
  }
  return *homePageShield_;
}

}  // namespace app

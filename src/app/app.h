#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/process_state.h"
#include "app/settings.h"
#include "app/windows.h"
#include "app/tray/cls_tray.h"
#include "branding/branding.h"
#include "definitions/exclusions.h"
#include "definitions/protected_paths.h"
#include "localization/cls_languages.h"
#include "removal/quarantine.h"
#include "removal/restore_point.h"
#include "scan/results.h"
#include "scan/scan_context.h"
#include "scan/scan_run.h"
#include "scheduler/schedule.h"
#include "platform/desktop.h"
#include "platform/machine.h"
#include "ui/host.h"
#include "update/live_update.h"

namespace protection {
class HomePageShield;
class MemoryShield;
}  // namespace protection

namespace app {

// The running program, where its parts are put together: the machine it works on, the host its
// windows live in, the services every part shares, the program's own state (`state`) and its
// windows (`windows`, made on first use, living until the program ends). Tests make a fresh App
// on a fresh simulated machine.
class App {
 public:
  App(platform::Machine& machine, ui::Host& host);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Starts the program: the splash window, which opens the main window.
  void Start();
  // Ends the program with this code: the event loop stops and nothing more is shown.
  void EndProcess(int exitCode = 0);
  bool Ending() const { return ending_; }

  // The per-user store under this program's name.
  std::string GetSetting(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value);
  // The machine-wide store under this program's company and name.
  std::string GetMachineSetting(const std::string& section, const std::string& key,
                                const std::string& defaultValue, SettingError* error = nullptr);
  void SaveMachineSetting(const std::string& section, const std::string& key,
                          const std::string& value);

  // The current text of a message of the catalogue.
  std::string Message(const std::string& key);
  // The texts of several messages as paragraphs: each pair separated by an empty line.
  std::string Paragraphs(std::initializer_list<const char*> keys);
  // A message box titled with the product name; returns the button pressed.
  int Tell(const std::string& text,
           std::uint32_t style = platform::kMbOk | platform::kMbIconInformation);
  // The file test that the whole program uses: a normal file (not a folder, not hidden or
  // system) exists at this path.
  bool FileExists(const std::string& path);
  // True on Windows Vista and later: the NT platform with a major version above 5.
  bool IsVistaOrLater();

  // The data folder: the user's application-data folder and "AntiSpywareDAT".
  std::string ExpandDataFolder();
  // Makes the message catalogue (built-in English) and puts the current language into it.
  void LoadLanguage();
  // Puts a language's translations of the messages into the catalogue: the language's items
  // when the language file has it, else the English ones.
  void TranslateMessages(const std::string& language);
  void InstallDownloadedDefinitions();
  long CountDefinitions();
  std::string ReadDefinitionsDate();

  // The Languages window: modal for the first start's choice, beside the main window from its
  // menu.
  void ChooseLanguage();
  void ShowLanguageWindow();
  // Stores the language and puts it into effect in every loaded window and the catalogue.
  void ApplyLanguage(const std::string& language);
  // Writes the English language file for every window and the catalogue.
  bool makeLocalizationFile();
  // The text at an address ("" when the download failed); windows stay alive meanwhile.
  std::string GetUrlText(const std::string& url);
  // Sends the running programs' names to the definition server.
  void SubmitRunningPrograms();
  // Sends a typed file or threat name; true when the server took it.
  bool SubmitName(const std::string& name);

  // The schedule's start-up steps: the stored schedule into its controls, then applied.
  void LoadSchedule();
  void ApplySchedule();
  void ShowQuarantine();
  // The Restore window, beside the main window, listing the quarantine afresh.
  void ShowRestoreWindow();

  // Writes the scan report of the scan that ran last: its times and the scan page's counters,
  // the threats of the results list, the exclusions and the quarantine log.
  void MakeReport();

  // The exclusion list from ENoSignature.dat in the data folder.
  void LoadExclusions();
  // Appends an entry to the exclusion file and reloads the list.
  void AddExclusion(const std::string& text);

  // The results lists of the main window, with their index.
  scan::ScanResults& results();
  // What every scan run of the program shares: the machine, the lists, the exclusions, the data
  // folder, the catalogue, yields by elapsed time and the main window's lock and running-items
  // label. A run sets its own user test, progress and question on top.
  scan::ScanServices ScanServices();

  // Whether the program is listed in the task bar and the task list.
  void SetTaskVisible(bool visible);

  // The two shields, which the main window's timers tick (app_shields.cpp).
  protection::MemoryShield& memoryShield();
  protection::HomePageShield& homePageShield();

  // The definition server's base address: the build's, or the machine's own setting.
  std::string DefinitionServer();

  platform::Machine& machine;
  ui::Host& host;
  Settings settings;
  // The tray icon, shared by every window that shows one.
  clsTray tray{machine.tray, host};
  branding::Branding brand;
  localization::clsLanguages languages;
  definitions::ProtectedPaths protectedPaths;
  definitions::Exclusions exclusions;
  // The program's own state: data folder, language, counts, the scan's counters.
  ProcessState state;
  removal::Quarantine quarantine{machine, state.dataFolder};
  removal::RestorePoint restorePoint{machine};
  // Every window, made on first use; they go before the state they show.
  Windows windows{*this};

 private:
  // A window loaded before the catalogue is made keeps its design texts.
  void TranslateOnLoad(ui::Form& window);

  bool ending_ = false;
  bool languageReady_ = false;
  std::unique_ptr<scan::ScanResults> results_;
  std::unique_ptr<protection::MemoryShield> memoryShield_;
  std::unique_ptr<protection::HomePageShield> homePageShield_;
};

}  // namespace app

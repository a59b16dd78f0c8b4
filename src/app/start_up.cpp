#include "app/start_up.h"

#include "app/app.h"
#include "app/options.h"
#include "definitions/definition_files.h"
#include "platform/desktop.h"
#include "platform/system.h"

namespace app {

bool RunStartUpSteps(App& app) {
  // The installer made the installing user's data folder; any other user's is made here from
  // the starter definitions, or that user could never scan.
  app.state.dataFolder = app.ExpandDataFolder();
  definitions::ProvideDataFolder(app.machine.files, app.state.dataFolder,
                                 app.machine.system.ProgramFolder());
  // A first start (no language stored yet) stores English and lets the user choose. Read with
  // no default: a missing value is what makes this the first start.
  const Option& language = option::kLanguage;
  const bool firstStart = app.GetSetting(language.section, language.key, "").empty();
  app.state.language = app.GetSetting(language.section, language.key, language.defaultText);
  app.LoadLanguage();
  if (firstStart) {
    app.SaveSetting(language.section, language.key, "English");
    app.ChooseLanguage();
  }
  // A second instance ends itself at once, silently.
  if (app.machine.desktop.AnotherInstanceRunning()) {
    app.EndProcess(0);
    return false;
  }
  // Definitions waiting from a download replace the installed ones.
  app.InstallDownloadedDefinitions();
  app.state.definitionCount = app.CountDefinitions();
  app.LoadExclusions();
  return true;
}

}  // namespace app

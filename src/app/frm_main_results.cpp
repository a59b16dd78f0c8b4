// The results page: excluding ticked findings, and the exclusion file.
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frm_main.h"
#include "common/file_tests.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "localization/message_keys.h"
#include "platform/desktop.h"
#include "ui/held_controls.h"

namespace app {

void FrmMain::ExcludeSelected() {
  platform::Desktop& desktop = app_.machine.desktop;
  auto& details = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  if (details.Count() == 0 && lvwRegistryToBeDeleted.Count() == 0 && lvwSpywareFound.Count() == 0) {
    app_.Tell(app_.Message(localization::msg::kSorry));
    return;
  }
  const std::string question = app_.Paragraphs(
      {localization::msg::kExcSure1, localization::msg::kExcSure2, localization::msg::kExcSure3});
  if (desktop.MessageBox(question, app_.Message(localization::msg::kExcSure4),
                         platform::kMbYesNo) != platform::kIdYes) {
    return;
  }
  // Adding an entry lets events run: what would change the findings meanwhile waits, and the
  // ticks that chose the entries are the ones that take the rows off.
  const ui::HeldControls held(ResultsHeldDuringRuns());
  const std::vector<std::string> entries = app_.results().TickedExclusionEntries();
  for (const std::string& entry : entries) app_.AddExclusion(entry);
  ui::Host& host = GetHost();
  app_.results().RemoveChecked([&host] { host.YieldIfDue(); });
  lblDeletingCaption.SetCaption("");
}

void FrmMain::ViewExclusions() {
  const std::string path =
      definitions::DataFilePath(app_.state.dataFolder, definitions::kExclusionFile);
  if (common::FileExists(app_.machine.files, path)) {
    app_.machine.desktop.StartProgram("notepad " + path, platform::kSwShowNormal);
    return;
  }
  app_.machine.desktop.MessageBox(app_.Message(localization::msg::kExclude1),
                                  app_.Message(localization::msg::kExclude2), platform::kMbOk);
}

}  // namespace app

// The results page: excluding ticked findings, and the exclusion file.
#include "app/app.h"
#include "app/frm_main.h"
#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "platform/desktop.h"

namespace app {

void FrmMain::ExcludeSelected() {
  platform::Desktop& desktop = app_.machine.desktop;
  auto& details = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  if (details.Count() == 0 && lvwRegistryToBeDeleted.Count() == 0 &&
      lvwSpywareFound.Count() == 0) {
    app_.Tell(app_.Message("MSG_SORRY"));
    return;
  }
  const std::string question =
      app_.Paragraphs({"MSG_EXC_SURE1", "MSG_EXC_SURE2", "MSG_EXC_SURE3"});
  if (desktop.MessageBox(question, app_.Message("MSG_EXC_SURE4"), platform::kMbYesNo) !=
      platform::kIdYes) {
    return;
  }
  for (const ui::ListItem& row : details.Items()) {
    if (!row.checked) continue;
    app_.AddExclusion(row.Column(1));
    app_.AddExclusion(common::ReplaceAll(row.text, "Cookie: ", ""));
  }
  app_.results().RemoveChecked();
  lblDeletingCaption.SetCaption("");
}

void FrmMain::ViewExclusions() {
  const std::string path = definitions::DataFilePath(app_.dataFolder, definitions::kExclusionFile);
  if (common::FileExists(app_.machine.files, path)) {
    app_.machine.desktop.StartProgram("notepad " + path, platform::kSwShowNormal);
    return;
  }
  app_.machine.desktop.MessageBox(app_.Message("MSG_EXCLUDE1"), app_.Message("MSG_EXCLUDE2"),
                                  platform::kMbOk);
}

}  // namespace app

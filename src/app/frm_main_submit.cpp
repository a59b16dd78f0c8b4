// The options page's submission of a file or threat name.
#include "app/app.h"
#include "app/frm_main.h"
#include "localization/message_keys.h"

namespace app {

void FrmMain::cmdSubmit_Click() {
  const std::string name = txtFilename.Text();
  const bool accepted = app_.SubmitName(name);
  const std::string results = app_.Message(localization::msg::kResults);
  if (accepted) {
    Label26.SetCaption(results + " " + name + " " + app_.Message(localization::msg::kResultsThank));
  } else {
    Label26.SetCaption(results + " " + app_.Message(localization::msg::kProblem) + " " + name +
                       ".  " + app_.Message(localization::msg::kProblem2));
  }
  txtFilename.SetText("");
}

}  // namespace app

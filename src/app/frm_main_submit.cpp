// The options page's submission of a file or threat name.
#include "app/app.h"
#include "app/frm_main.h"

namespace app {

void FrmMain::cmdSubmit_Click() {
  const std::string name = txtFilename.Text();
  const bool accepted = app_.SubmitName(name);
  const std::string results = app_.Message("MSG_RESULTS");
  if (accepted) {
    Label26.SetCaption(results + " " + name + " " + app_.Message("MSG_RESULTS_THANK"));
  } else {
    Label26.SetCaption(results + " " + app_.Message("MSG_PROBLEM") + " " + name + ".  " +
                       app_.Message("MSG_PROBLEM2"));
  }
  txtFilename.SetText("");
}

}  // namespace app

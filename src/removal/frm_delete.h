#pragma once

#include "platform/clipboard.h"
#include "ui/ui.h"

namespace removal {

// "Delete Failed": the files a removal could not delete, with advice. Made once at start-up,
// hidden, and shown again after each removal that left files behind.
class frmDelete : public ui::Form {
 public:
  frmDelete(ui::Host& host, platform::Clipboard& clipboard);

  // "Copy List": every path of the list on the clipboard, each followed by CR LF, so the user
  // can keep them while restarting in Safe Mode.
  void Command2_Click();

  ui::Image imgWarning;
  ui::Label Label1;
  ui::ListView lstProblem;
  ui::Label Label2;
  ui::CommandButton Command2;
  ui::CommandButton Command1;

 private:
  platform::Clipboard& clipboard_;
};

}  // namespace removal

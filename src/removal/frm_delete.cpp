#include "removal/frm_delete.h"

#include "ui/design.h"

namespace removal {

frmDelete::frmDelete(ui::Host& host, platform::Clipboard& clipboard)
    : ui::Form(host, ui::DialogForm("frmDelete", "Delete Failed", 6600, 4320)),
      imgWarning(*this, ui::At("imgWarning", "", 240, 240, 480, 480), "AAA"),
      Label1(*this, ui::At("Label1",
                           "The following files could not be deleted.  You should save your work, "
                           "close all running programs (especially browsers) and try to delete "
                           "them again.",
                           960, 240, 5400, 615)),
      lstProblem(*this, ui::At("lstProblem", "", 240, 960, 6120, 2055)),
      Label2(*this, ui::At("Label2",
                           "If you still cannot delete them, you should start your computer in "
                           "Safe Mode and either scan again or delete them manually.",
                           240, 3120, 6120, 435)),
      Command2(*this, ui::At("Command2", "Copy List", 3840, 3720, 1215, 375)),
      Command1(*this, ui::At("Command1", "Ok", 5160, 3720, 1215, 375)),
      clipboard_(clipboard) {
  lstProblem.AddColumn("Location", 5880);
  Command1.isDefault = true;
  Command1.OnClick = [this] { Hide(); };
  Command2.OnClick = [this] { Command2_Click(); };
}

void frmDelete::Command2_Click() {
  std::string text;
  for (const ui::ListItem& row : lstProblem.Items()) text += row.text + "\r\n";
  const std::uintptr_t owner = GetHost().WindowHandle(*this);
  clipboard_.Clear(owner);
  clipboard_.SetText(text, owner);
}

}  // namespace removal

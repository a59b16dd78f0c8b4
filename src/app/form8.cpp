#include "app/form8.h"

#include <utility>

#include "common/file_tests.h"
#include "platform/desktop.h"
#include "ui/design.h"

namespace app {

Form8::Form8(ui::Host& host, Services services)
    : ui::Form(host, ui::InvisibleForm("Form8")), services_(std::move(services)) {}

void Form8::Form_Load() {
  Move(Left(), Top(), 0, 0);
  SetVisible(false);
  platform::Machine& machine = services_.machine;
  const std::string help = machine.system.ProgramFolder() + "\\Help.chm";
  if (!common::FileExists(machine.files, help)) return;
  machine.desktop.ShellExecute("open", help, "", "", platform::kSwShowNormal);
  services_.saveMachineSetting("showHelp", "0");
}

}  // namespace app

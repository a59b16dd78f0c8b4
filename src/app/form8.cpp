#include "app/form8.h"

#include "app/app.h"
#include "platform/desktop.h"
#include "ui/design.h"

namespace app {

Form8::Form8(App& app)
    : ui::Form(app.host, ui::InvisibleForm("Form8")), app_(app) {}

void Form8::Form_Load() {
  Move(Left(), Top(), 0, 0);
  SetVisible(false);
  const std::string help = app_.machine.system.ProgramFolder() + "\\Help.chm";
  if (!app_.FileExists(help)) return;
  app_.machine.desktop.ShellExecute("open", help, "", "", platform::kSwShowNormal);
  app_.SaveMachineSetting("Settings", "showHelp", "0");
}

}  // namespace app

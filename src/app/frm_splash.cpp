#include "app/frm_splash.h"

#include "app/app.h"
#include "app/frm_main.h"
#include "app/start_up.h"
#include "branding/branding.h"
#include "ui/design.h"

namespace app {

namespace {

ui::FormArgs SplashDesign() {
  ui::FormArgs args;
  args.name = "frmSplash";
  args.clientWidth = 5400;
  args.clientHeight = 2400;
  args.border = ui::BorderStyle::None;
  args.showInTaskbar = false;
  args.icon = "AAA";
  return args;
}

}  // namespace

frmSplash::frmSplash(App& app)
    : ui::Form(app.host, SplashDesign()),
      imgLogo(*this, ui::At("imgLogo", "", 360, 600, 960, 960), "AAA"),
      lblProduct(*this,
                 [] {
                   auto args = ui::Bolded(ui::At("lblProduct", "", 1560, 720, 3600, 495));
                   args.fontSize = 14;
                   return args;
                 }()),
      lblLoading(*this, ui::At("lblLoading", "Loading...", 1560, 1320, 3600, 255)),
      Timer2(*this, ui::At("Timer2", "", 0, 0, 0, 0), 2, false),
      app_(app) {
  Timer2.OnTick = [this] { Timer2_Timer(); };
}

void frmSplash::Form_Load() {
  branding::LoadBranding(app_.machine.system, app_.brand);
  lblProduct.SetCaption(app_.brand.ProgramName);
  Timer2.SetEnabled(true);
}

void frmSplash::Timer2_Timer() {
  const std::int16_t remembered = intTemp;
  intTemp = static_cast<std::int16_t>(intTemp + 2);
  if (remembered != 148) return;
  Timer2.SetEnabled(false);
  // A second instance ends itself in the start-up steps; nothing more is shown then.
  if (!RunStartUpSteps(app_)) return;
  FrmMain& main = app_.windows.frmMain();
  main.Load();
  if (app_.Ending()) return;
  main.Show();
  Hide();
}

}  // namespace app

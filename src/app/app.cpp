#include "app/app.h"

#include "app/frm_main.h"

namespace app {

App::App(platform::Machine& machine, ui::Host& host) : machine(machine), host(host) {}

App::~App() = default;

FrmMain& App::frmMain() {
  if (!frmMain_) frmMain_ = std::make_unique<FrmMain>(*this);
  return *frmMain_;
}

void App::Start() { frmMain().Show(); }

void App::Shutdown() { host.Quit(0); }

}  // namespace app

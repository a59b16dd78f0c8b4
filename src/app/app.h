#pragma once

#include <memory>

#include "platform/machine.h"
#include "ui/host.h"

namespace app {

class FrmMain;

// The running program: the machine it works on, the host its windows live in, and every
// window and piece of process-wide state. Windows are made on first use and live until the
// program ends. Tests make a fresh App on a fresh simulated machine.
class App {
 public:
  App(platform::Machine& machine, ui::Host& host);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Loads and shows the main window.
  void Start();
  // Ends the program: the event loop stops and the process exits.
  void Shutdown();

  FrmMain& frmMain();

  platform::Machine& machine;
  ui::Host& host;

 private:
  std::unique_ptr<FrmMain> frmMain_;
};

}  // namespace app

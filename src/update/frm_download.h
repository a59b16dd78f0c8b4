#pragma once

#include <functional>
#include <string>

#include "platform/tray.h"
#include "ui/ui.h"

namespace update {

// The progress window of Live Update: an animated status line, the detail text the update
// writes to, Cancel, and a tray icon of its own. Cancel only closes the window; the update goes
// on, and its later status texts go to the window without showing it again.
class frmDownload : public ui::Form {
 public:
  struct Services {
    platform::Tray& tray;
    // The current text of a message of the catalogue.
    std::function<std::string(const std::string& key)> message;
    // The program runs in the notification area (its main window sent to the tray).
    std::function<bool()> runsInTray;
  };
  frmDownload(ui::Host& host, Services services);

  ui::Label lblProduct;
  ui::TextBox txtStatus;
  ui::CommandButton Command1;
  ui::Image picUp;
  ui::Image picDown;
  ui::Timer tmrBlink;

  void tmrBlink_Timer();
  void Command1_Click();
  // A mouse message the tray icon relays (as a mouse move whose X carries the message).
  void Form_MouseMove(const ui::MouseArgs& args);
  // Removes this window's tray icon (also when the update's notice is acknowledged).
  void RemoveTrayIcon();
  int Step() const { return step_; }

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  platform::NotifyIcon TrayIcon();

  Services services_;
  int step_ = 0;
};

}  // namespace update

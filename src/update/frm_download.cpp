#include "update/frm_download.h"

#include "localization/message_keys.h"
#include "ui/design.h"

namespace update {
namespace {

// The tray's mouse messages reach the window as mouse moves; a left double click (0x203)
// arrives as an X of 0x203 pixels, in twips.
constexpr std::uint32_t kTrayCallbackMessage = 0x200;
constexpr int kLeftDoubleClickX = 7725;
// This window's own icon beside the main window's (which is icon 1 of the main window).
constexpr std::uint32_t kTrayIconId = 1;

ui::FormArgs DownloadDesign() {
  ui::FormArgs args = ui::DialogForm("frmDownload", "Live Update", 5655, 2055);
  args.showInTaskbar = true;
  return args;
}

}  // namespace

frmDownload::frmDownload(ui::Host& host, Services services)
    : ui::Form(host, DownloadDesign()),
      lblProduct(*this, ui::Bolded(ui::At("lblProduct", "", 960, 240, 4455, 255))),
      txtStatus(*this,
                ui::At("txtStatus", "Connecting: Checking for Updates", 960, 720, 4455, 375)),
      Command1(*this, ui::At("Command1", "Cancel", 4080, 1440, 1335, 375)),
      picUp(*this, ui::At("picUp", "", 240, 240, 480, 480), "AAA"),
      picDown(*this, ui::At("picDown", "", 240, 840, 480, 480, false), "AAA"),
      tmrBlink(*this, ui::At("tmrBlink", "", 0, 0, 0, 0), 800, true),
      services_(std::move(services)) {
  txtStatus.locked = true;
  Command1.OnClick = [this] { Command1_Click(); };
  tmrBlink.OnTick = [this] { tmrBlink_Timer(); };
  OnMouseMove = [this](const ui::MouseArgs& args) { Form_MouseMove(args); };
}

platform::NotifyIcon frmDownload::TrayIcon() {
  platform::NotifyIcon icon;
  icon.window = GetHost().WindowHandle(*this);
  icon.id = kTrayIconId;
  return icon;
}

void frmDownload::Form_Load() {
  tmrBlink.SetEnabled(true);
  picDown.SetVisible(false);
  picUp.SetVisible(true);
  lblProduct.SetCaption(services_.message(localization::msg::kDownloading));
  RemoveTrayIcon();
  platform::NotifyIcon icon = TrayIcon();
  icon.flags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  icon.callbackMessage = kTrayCallbackMessage;
  icon.iconResource = "AAA";
  icon.tip = "Getting latest definitions.";
  services_.tray.NotifyIcon(platform::kNimAdd, icon);
}

void frmDownload::tmrBlink_Timer() {
  // The arrow alternates with its text; the step's own text, where it has one, wins at once.
  if (picDown.Visible()) {
    picDown.SetVisible(false);
    picUp.SetVisible(true);
    lblProduct.SetCaption(services_.message(localization::msg::kConnecting));
  } else {
    lblProduct.SetCaption(services_.message(localization::msg::kChecking));
    picDown.SetVisible(true);
    picUp.SetVisible(false);
  }
  if (step_ > 14) step_ = 0;
  switch (step_) {
    case 0:
      lblProduct.SetCaption(services_.message(localization::msg::kConnecting2));
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
      lblProduct.SetCaption(services_.message(localization::msg::kSending));
      break;
    case 6:
      lblProduct.SetCaption(services_.message(localization::msg::kSent));
      break;
    case 8:
      lblProduct.SetCaption(services_.message(localization::msg::kReceiving));
      break;
    default:
      break;
  }
  ++step_;
}

void frmDownload::Command1_Click() {
  Unload();
}

void frmDownload::Form_MouseMove(const ui::MouseArgs& args) {
  if (!services_.runsInTray || !services_.runsInTray()) return;
  if (args.x != kLeftDoubleClickX) return;
  SetWindowState(ui::WindowState::Normal);
  Show();
}

void frmDownload::RemoveTrayIcon() {
  services_.tray.NotifyIcon(platform::kNimDelete, TrayIcon());
}

void frmDownload::Form_Unload(int& cancel) {
  RemoveTrayIcon();
}

}  // namespace update

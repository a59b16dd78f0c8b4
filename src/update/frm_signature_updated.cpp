#include "update/frm_signature_updated.h"

#include <cmath>

#include "ui/design.h"

namespace update {
namespace {

ui::FormArgs NoticeDesign() {
  ui::FormArgs args;
  args.name = "frmSignatureUpdated";
  args.caption = "";
  args.clientWidth = 4680;
  args.clientHeight = 1575;
  args.border = ui::BorderStyle::None;
  args.showInTaskbar = false;
  // A notice over whatever the user is doing, also while the program sits in the tray.
  args.topMost = true;
  return args;
}

constexpr int kSlideUpStep = 20;
constexpr int kSlideDownStep = 40;

}  // namespace

NoticeGeometry ComputeNoticeGeometry(platform::Desktop& desktop, int innerWidthPixels,
                                     int heightTwips) {
  const platform::Rect screen = desktop.DesktopClientRect();
  const int screenBottom = static_cast<int>(std::lround(screen.Height() * kNoticeTwipsPerPixelY));
  // No task bar counts as one of no height: the notice starts at the screen bottom.
  int taskbarHeight = 0;
  if (const auto taskbar = desktop.WindowClientRect("shell_TrayWnd")) {
    taskbarHeight = static_cast<int>(std::lround(taskbar->Height() * kNoticeTwipsPerPixelY));
  }
  NoticeGeometry geometry;
  geometry.startTop = screenBottom - taskbarHeight;
  geometry.left = static_cast<int>((screen.Width() - innerWidthPixels) * kNoticeTwipsPerPixelX);
  geometry.targetTop = screenBottom - (heightTwips + 100);
  return geometry;
}

frmSignatureUpdated::frmSignatureUpdated(ui::Host& host, Services services)
    : ui::Form(host, NoticeDesign()),
      lblUpdateInfo(*this, ui::At("lblUpdateInfo",
                                  "All application spyware/adware definitions have been updated.",
                                  120, 480, 4440, 615)),
      Label1(*this, ui::Bolded(ui::At("Label1", "Definition Update", 120, 120, 4440, 255))),
      cmdUpdateSuccesfullOK(*this, ui::At("cmdUpdateSuccesfullOK", "OK", 3600, 1140, 960, 315)),
      tmrPopupSignatureUpdate(*this, ui::At("tmrPopupSignatureUpdate", "", 0, 0, 0, 0), 10, false),
      tmrEnablePopDownTimer(*this, ui::At("tmrEnablePopDownTimer", "", 0, 0, 0, 0), 7000, false),
      tmrPopDown(*this, ui::At("tmrPopDown", "", 0, 0, 0, 0), 10, false),
      services_(std::move(services)) {
  cmdUpdateSuccesfullOK.OnClick = [this] { cmdUpdateSuccesfullOK_Click(); };
  tmrPopupSignatureUpdate.OnTick = [this] { tmrPopupSignatureUpdate_Timer(); };
  tmrEnablePopDownTimer.OnTick = [this] { tmrEnablePopDownTimer_Timer(); };
  tmrPopDown.OnTick = [this] { tmrPopDown_Timer(); };
}

void frmSignatureUpdated::Form_Load() {
  tmrEnablePopDownTimer.SetEnabled(false);
  tmrPopDown.SetEnabled(false);
  // The inner width was a pixel measure in the screen model the factors come from.
  const int twipsPerPixel = services_.desktop.TwipsPerPixelX();
  const int innerWidthPixels = twipsPerPixel > 0 ? ScaleWidth() / twipsPerPixel : ScaleWidth();
  geometry_ = ComputeNoticeGeometry(services_.desktop, innerWidthPixels, Height());
  Move(geometry_.left, geometry_.startTop, Width(), Height());
  SetVisible(true);
  tmrPopupSignatureUpdate.SetEnabled(true);
}

void frmSignatureUpdated::tmrPopupSignatureUpdate_Timer() {
  SetVisible(true);
  if (Top() > geometry_.targetTop) {
    SetTop(Top() - kSlideUpStep);
  } else {
    tmrPopupSignatureUpdate.SetEnabled(false);
    tmrEnablePopDownTimer.SetEnabled(true);
  }
}

void frmSignatureUpdated::tmrEnablePopDownTimer_Timer() {
  tmrEnablePopDownTimer.SetEnabled(false);
  tmrPopDown.SetEnabled(true);
}

void frmSignatureUpdated::tmrPopDown_Timer() {
  SetVisible(true);
  SetTop(Top() + kSlideDownStep);
  if (Top() > kNoticeEndTop) {
    tmrPopDown.SetEnabled(false);
    cmdUpdateSuccesfullOK_Click();
  }
}

void frmSignatureUpdated::cmdUpdateSuccesfullOK_Click() {
  if (services_.saveSetting) services_.saveSetting("SHOW", "false");
  tmrPopupSignatureUpdate.SetEnabled(false);
  if (services_.removeProgressTrayIcon) services_.removeProgressTrayIcon();
  Unload();
}

}  // namespace update

#include "app/tray/frm_menu_pop_up.h"

#include <algorithm>
#include <utility>

#include "platform/desktop.h"
#include "ui/design.h"

namespace app {

namespace {

// The placement's fixed twips-per-pixel factors, which hold at 96 dots per inch (15 twips a
// pixel). They are scaled by the screen's own twips per pixel, so that the menu still meets the
// top of the task bar and the right edge of the screen at other resolutions.
constexpr double kHeightFactor = 14.5;
constexpr double kWidthFactor = 14.7;
constexpr double kDesignTwipsPerPixel = 15.0;

ui::FormArgs MenuDesign() {
  ui::FormArgs args;
  args.name = "frmMenuPopUp";
  args.clientWidth = 4215;
  args.clientHeight = 1785;
  args.border = ui::BorderStyle::FixedToolWindow;
  args.startPosition = ui::StartPosition::Manual;
  args.minButton = false;
  args.maxButton = false;
  args.showInTaskbar = false;
  return args;
}

}  // namespace

frmMenuPopUp::frmMenuPopUp(ui::Host& host, Services services)
    : ui::Form(host, MenuDesign()),
      lblName(*this, ui::At("lblName", "", 180, 60, 3975, 315)),
      lblMenuClose(*this, ui::At("lblMenuClose", "Close This Menu", 180, 420, 3975, 315)),
      mnuMaxmimaize(*this, ui::At("mnuMaxmimaize", "Show Program", 180, 780, 3975, 315)),
      mnuClose(*this, ui::At("mnuClose", "Exit Program", 180, 1140, 3975, 315)),
      tmrMenuPopup(*this, ui::At("tmrMenuPopup", "", 0, 0, 0, 0), 1, false),
      TmrEnablePopDown(*this, ui::At("TmrEnablePopDown", "", 0, 0, 0, 0), 1000, false),
      tmrPopDown(*this, ui::At("tmrPopDown", "", 0, 0, 0, 0), 10, false),
      services_(std::move(services)) {
  lblMenuClose.OnClick = [this] { lblMenuClose_Click(); };
  mnuMaxmimaize.OnClick = [this] { mnuMaxmimaize_Click(); };
  mnuClose.OnClick = [this] { mnuClose_Click(); };
  tmrMenuPopup.OnTick = [this] { tmrMenuPopup_Timer(); };
  TmrEnablePopDown.OnTick = [this] { TmrEnablePopDown_Timer(); };
  tmrPopDown.OnTick = [this] { tmrPopDown_Timer(); };
  // Movement over the menu keeps it up; over "Close This Menu" it turns that caption bold for
  // the rest of the menu's life.
  OnMouseMove = [this](const ui::MouseArgs&) { lTimDown = 0; };
  lblMenuClose.OnMouseMove = [this](const ui::MouseArgs&) { lblMenuClose.SetBold(true); };
}

void frmMenuPopUp::Form_Load() {
  lblName.SetCaption(services_.programName());
  lTimDown = 0;
  tmrPopDown.SetEnabled(false);
  TmrEnablePopDown.SetEnabled(false);
  // A new menu starts plain; the bold of the last one went with its unloading.
  lblMenuClose.SetBold(false);
  mnuMaxmimaize.SetEnabled(!services_.mainWindowShown());
  SetCaption(services_.programName());

  platform::Desktop& desktop = services_.desktop;
  // Pixels times the factor first, the scaling last: at whole results nothing is lost to
  // rounding.
  const auto heightTwips = [&desktop](int pixels) {
    return static_cast<std::int32_t>(pixels * kHeightFactor * desktop.TwipsPerPixelY() /
                                     kDesignTwipsPerPixel);
  };
  // No task bar reads as an empty rectangle: the menu then starts at the bottom edge.
  const platform::Rect taskbar =
      desktop.WindowClientRect("shell_TrayWnd").value_or(platform::Rect{});
  const platform::Rect screen = desktop.DesktopClientRect();
  taskbarHeight_ = heightTwips(taskbar.bottom);
  screenHeight_ = heightTwips(screen.bottom);
  // The menu starts hidden behind the task bar, its right edge at the screen's right edge.
  const int top = screenHeight_ - taskbarHeight_;
  const double clientWidthPixels =
      static_cast<double>(ScaleWidth()) / std::max(1, desktop.TwipsPerPixelX());
  const int left = static_cast<int>((screen.right - clientWidthPixels) * kWidthFactor *
                                    desktop.TwipsPerPixelX() / kDesignTwipsPerPixel);
  Move(left, top, Width(), Height());
  targetTop_ = screenHeight_ - (Height() + 100);
  Show();
  tmrMenuPopup.SetEnabled(true);
}

// Each tick makes the menu visible; showing it only when it is not spares the window being
// brought forward a thousand times a second.
void frmMenuPopUp::tmrMenuPopup_Timer() {
  if (!Visible()) Show();
  if (Top() > targetTop_) {
    SetTop(Top() - kSlideUpStep);
    return;
  }
  tmrMenuPopup.SetEnabled(false);
  TmrEnablePopDown.SetEnabled(true);
}

void frmMenuPopUp::TmrEnablePopDown_Timer() {
  ++lTimDown;
  if (lTimDown <= kDwellTicks) return;
  lTimDown = 0;
  TmrEnablePopDown.SetEnabled(false);
  tmrPopDown.SetEnabled(true);
}

void frmMenuPopUp::tmrPopDown_Timer() {
  if (!Visible()) Show();
  SetTop(Top() + kSlideDownStep);
  platform::Desktop& desktop = services_.desktop;
  const int systemScreenHeight =
      desktop.SystemMetric(platform::kSmCyScreen) * desktop.TwipsPerPixelY();
  if (Top() > systemScreenHeight - 2000) {
    tmrPopDown.SetEnabled(false);
    Unload();
  }
}

void frmMenuPopUp::lblMenuClose_Click() {
  TmrEnablePopDown.SetEnabled(false);
  tmrMenuPopup.SetEnabled(false);
  tmrPopDown.SetEnabled(true);
}

void frmMenuPopUp::mnuMaxmimaize_Click() {
  services_.showMainWindow();
  lblMenuClose_Click();
}

void frmMenuPopUp::mnuClose_Click() {
  services_.closeProgram();
  lblMenuClose_Click();
}

void frmMenuPopUp::HideMenu() {
  tmrMenuPopup.SetEnabled(false);
  TmrEnablePopDown.SetEnabled(false);
  tmrPopDown.SetEnabled(false);
  Hide();
}

}  // namespace app

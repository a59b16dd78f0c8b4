#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/desktop.h"
#include "ui/ui.h"

namespace app {

// The tray's pop-up menu: slides up from behind the task bar at the right edge of the screen,
// dwells while the mouse moves over it, then slides down and unloads itself.
class frmMenuPopUp : public ui::Form {
 public:
  // Movement per tick of the slides, in twips.
  static constexpr int kSlideUpStep = 80;
  static constexpr int kSlideDownStep = 100;
  // Dwell ticks without mouse movement over the menu before it slides down (the sixth).
  static constexpr std::int32_t kDwellTicks = 5;

  struct Services {
    platform::Desktop& desktop;
    std::function<std::string()> programName;
    std::function<bool()> mainWindowShown;
    // Brings the main window back in its normal state.
    std::function<void()> showMainWindow;
    // Ends the program at once, without a question.
    std::function<void()> closeProgram;
  };
  frmMenuPopUp(ui::Host& host, Services services);

  ui::Label lblName;
  ui::CommandButton lblMenuClose;
  ui::CommandButton mnuMaxmimaize;
  ui::CommandButton mnuClose;
  ui::Timer tmrMenuPopup;
  ui::Timer TmrEnablePopDown;
  ui::Timer tmrPopDown;

  // Dwell ticks counted so far.
  std::int32_t lTimDown = 0;
  // Where the menu ends its slide up, in twips.
  std::int32_t TargetTop() const { return targetTop_; }

  void lblMenuClose_Click();
  void mnuMaxmimaize_Click();
  void mnuClose_Click();
  // The double click on the tray icon: the menu goes out of sight and stays so.
  void HideMenu();

 protected:
  void Form_Load() override;

 private:
  void tmrMenuPopup_Timer();
  void TmrEnablePopDown_Timer();
  void tmrPopDown_Timer();

  Services services_;
  std::int32_t taskbarHeight_ = 0;
  std::int32_t screenHeight_ = 0;
  std::int32_t targetTop_ = 0;
};

}  // namespace app

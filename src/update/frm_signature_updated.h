#pragma once

#include <functional>
#include <string>

#include "platform/desktop.h"
#include "ui/ui.h"

namespace update {

// Where the notice slides, in twips.
struct NoticeGeometry {
  int startTop = 0;  // the top of the task bar (the screen bottom without one)
  int left = 0;
  int targetTop = 0;  // where the slide up stops
};

// The screen model the notice has always used: 14.5 twips per pixel down, 14.7 across, and the
// slide down ending below 11167 twips whatever the screen.
inline constexpr double kNoticeTwipsPerPixelY = 14.5;
inline constexpr double kNoticeTwipsPerPixelX = 14.7;
inline constexpr int kNoticeEndTop = 11167;

// From the desktop's client size, the task bar's ("shell_TrayWnd") and the notice's own size:
// its inner width in pixels and its outer height in twips.
NoticeGeometry ComputeNoticeGeometry(platform::Desktop& desktop, int innerWidthPixels,
                                     int heightTwips);

// The notice at the end of Live Update: slides up from the task bar at the bottom right, stays
// seven seconds, slides down and closes itself, unless OK closes it first.
class frmSignatureUpdated : public ui::Form {
 public:
  struct Services {
    platform::Desktop& desktop;
    // Stores a value of the section "OptionAndSettings".
    std::function<void(const std::string& key, const std::string& value)> saveSetting;
    // Removes the progress window's tray icon.
    std::function<void()> removeProgressTrayIcon;
  };
  frmSignatureUpdated(ui::Host& host, Services services);

  ui::Label lblUpdateInfo;
  ui::Label Label1;
  ui::CommandButton cmdUpdateSuccesfullOK;
  ui::Timer tmrPopupSignatureUpdate;
  ui::Timer tmrEnablePopDownTimer;
  ui::Timer tmrPopDown;

  void tmrPopupSignatureUpdate_Timer();
  void tmrEnablePopDownTimer_Timer();
  void tmrPopDown_Timer();
  void cmdUpdateSuccesfullOK_Click();
  const NoticeGeometry& Geometry() const { return geometry_; }

 protected:
  void Form_Load() override;

 private:
  Services services_;
  NoticeGeometry geometry_;
};

}  // namespace update

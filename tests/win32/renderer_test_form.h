// A form with one or more controls of every kind the renderer draws, for the Win32 renderer's
// tests. Only tests/win32 includes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/basic_controls.h"
#include "ui/design.h"
#include "ui/form.h"
#include "ui/input_controls.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/toggle_controls.h"

namespace renderer_test {

using ui::At;

inline ui::FormArgs FormDesign(const std::string& name, const std::string& caption) {
  ui::FormArgs args;
  args.name = name;
  args.caption = caption;
  args.clientWidth = 7200;
  args.clientHeight = 5760;
  args.border = ui::BorderStyle::FixedSingle;
  args.maxButton = false;
  return args;
}

class ShowcaseForm : public ui::Form {
 public:
  explicit ShowcaseForm(ui::Host& host, const std::string& name = "RendererShowcase")
      : Form(host, FormDesign(name, "Renderer showcase")) {
    cmdScan.isDefault = true;
    fraResults.border = false;
    fraLog.border = false;
    fraLog.SetVisible(false);
    lvwResults.checkBoxes = true;
    lvwResults.gridLines = true;
    lvwResults.AddColumn("Name", 2400);
    lvwResults.AddColumn("Kind", 1440);
    lvwResults.AddColumn("Location", 2700);
    txtLog.multiLine = true;
    txtLog.scrollBars = true;
    txtLog.locked = true;
    dtpWhen.checkBox = true;
    dtpClock.checkBox = true;
    dtpClock.customFormat = "HH:mm:ss";
    shpBox.fillColor = 0x00C0FFC0;
    tabPages.AddTab("Results");
    tabPages.AddTab("Log");
    tabPages.OnClick = [this] {
      fraResults.SetVisible(tabPages.SelectedTab() == 1);
      fraLog.SetVisible(tabPages.SelectedTab() == 2);
    };
    cmbDrives.AddItem("C:\\");
    cmbDrives.AddItem("D:\\");
    lblStatus.SetBold(true);
  }

  int queryUnloads = 0;
  int cancelUnload = 0;
  ui::UnloadMode lastUnloadMode = ui::UnloadMode::FormCode;
  int resizes = 0;

  ui::Label lblStatus{*this, At("lblStatus", "Status: 50% & rising", 120, 120, 3600, 255)};
  ui::CommandButton cmdScan{*this, At("cmdScan", "&Scan Now", 5520, 120, 1440, 375)};
  ui::TextBox txtName{*this, At("txtName", "", 120, 480, 2400, 315)};
  ui::CheckBox chkShield{*this, At("chkShield", "Home page shield", 2760, 480, 2040, 315)};
  ui::Image imgLogo{*this, At("imgLogo", "", 4920, 60, 480, 480)};
  ui::Frame fraMode{*this, At("fraMode", "Mode", 120, 900, 3360, 1080)};
  ui::OptionButton optQuick{fraMode, At("optQuick", "Quick scan", 240, 300, 2400, 300)};
  ui::OptionButton optFull{fraMode, At("optFull", "Full scan", 240, 660, 2400, 300)};
  ui::Frame fraOther{*this, At("fraOther", "Report", 3600, 900, 3360, 1080)};
  ui::OptionButton optShort{fraOther, At("optShort", "Short", 240, 300, 2400, 300)};
  ui::OptionButton optLong{fraOther, At("optLong", "Long", 240, 660, 2400, 300)};
  ui::TabStrip tabPages{*this, At("tabPages", "", 120, 2100, 6960, 2040)};
  ui::Frame fraResults{*this, At("fraResults", "", 240, 2520, 6720, 1500)};
  ui::ListView lvwResults{fraResults, At("lvwResults", "", 0, 0, 6720, 1500)};
  ui::Frame fraLog{*this, At("fraLog", "", 240, 2520, 6720, 1500)};
  ui::TextBox txtLog{fraLog, At("txtLog", "", 0, 0, 6720, 1500)};
  ui::ProgressBar pbProgress{*this, At("pbProgress", "", 120, 4260, 4200, 255)};
  ui::ComboBox cmbDrives{*this, At("cmbDrives", "", 4440, 4200, 2520, 315)};
  ui::DatePicker dtpWhen{*this, At("dtpWhen", "", 120, 4680, 2400, 315)};
  ui::DatePicker dtpClock{*this, At("dtpClock", "", 120, 5100, 2400, 315), ui::DateFormat::Time};
  ui::Shape shpBox{*this, At("shpBox", "", 2760, 4680, 1440, 720), ui::ShapeKind::RoundedRectangle};
  ui::ListBox lstLog{*this, At("lstLog", "", 4440, 4680, 2520, 960)};

 protected:
  void Form_Resize() override { ++resizes; }
  void Form_QueryUnload(int& cancel, ui::UnloadMode mode) override {
    ++queryUnloads;
    lastUnloadMode = mode;
    cancel = cancelUnload;
  }
};

inline std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace renderer_test

// The renderer's text boxes beyond the edit control's own limit, and the tips of controls, on
// real windows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/basic_controls.h"
#include "ui/design.h"
#include "ui/form.h"
#include "ui/input_controls.h"
#include "ui/toggle_controls.h"
#include "ui/win32/win32_host.h"

namespace {

using ui::At;

class TextAndTipsForm : public ui::Form {
 public:
  explicit TextAndTipsForm(ui::Host& host)
      : ui::Form(host, ui::DialogForm("RendererTextAndTips", "Text and tips", 6000, 4000)) {
    txtReport.multiLine = true;
    txtReport.scrollBars = true;
    txtReport.maxLength = 0;
    txtNotes.multiLine = true;
    txtView.multiLine = true;
    txtView.scrollBars = true;
    txtView.locked = true;
    txtView.maxLength = 0;
    cmdDelete.SetToolTipText("Permanently delete selected items");
  }
  ui::TextBox txtReport{*this, At("txtReport", "", 120, 120, 5760, 1500)};
  ui::TextBox txtNotes{*this, At("txtNotes", "", 120, 1740, 5760, 1000)};
  ui::TextBox txtView{*this, At("txtView", "", 4000, 3000, 1800, 900)};
  ui::CommandButton cmdDelete{*this, At("cmdDelete", "Delete", 120, 3000, 1215, 375)};
  ui::CheckBox chkRun{*this, At("chkRun", "Run at startup", 1500, 3000, 3000, 315)};
};

class RendererTextAndTips : public ::testing::Test {
 protected:
  void SetUp() override { form.Show(); }
  void TearDown() override {
    form.Unload();
    host.DoEvents();
  }
  HWND Window(const ui::Control& control) const { return host.WindowOf(control); }
  // The tooltip window of the form, if it has one.
  HWND TipWindow() const {
    struct Search {
      HWND owner;
      HWND found = nullptr;
    } search{Window(form)};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          char cls[64] = {};
          GetClassNameA(hwnd, cls, sizeof cls);
          if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || GetWindow(hwnd, GW_OWNER) != s->owner) {
            return TRUE;
          }
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  std::string TipOf(HWND tip, const ui::Control& control) const {
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = Window(form);
    info.uId = reinterpret_cast<UINT_PTR>(Window(control));
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
  }

  ui::win32::Win32Host host{GetModuleHandleA(nullptr)};
  TextAndTipsForm form{host};
};

TEST_F(RendererTextAndTips, ABoxWithItsLimitLiftedTakesMoreThanTheEditControlsOwn) {
  // Far beyond 32,767 characters, as a report of years of removals is.
  std::string report;
  while (report.size() < 200000) report += "3/15/2006 8:00:00 AM - File: bad.dll\r\n";
  form.txtReport.SetText(report);
  EXPECT_EQ(GetWindowTextLengthA(Window(form.txtReport)), static_cast<int>(report.size()));

  // What is typed is held to the limit: the plain box stops at its own, the lifted one not.
  std::string typed;
  while (typed.size() < 40000) typed += "typed\r\n";
  for (const ui::TextBox* box : {&form.txtReport, &form.txtNotes}) {
    SetWindowTextA(Window(*box), "");
    SendMessageA(Window(*box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
  }
  EXPECT_EQ(form.txtReport.Text().size(), typed.size());
  EXPECT_LE(form.txtNotes.Text().size(), 32767u);
  EXPECT_GT(SendMessageA(Window(form.txtReport), EM_GETLIMITTEXT, 0, 0), 1000000);
}

// The log viewer's kind of box: read-only, multi-line, unlimited. It holds 10 MB whole, gives it
// back through WM_GETTEXT, and scrolls through it by line, by page and to either end.
TEST_F(RendererTextAndTips, AReadOnlyBoxWithoutLimitShowsATextOfAnySize) {
  HWND view = Window(form.txtView);
  char className[64] = {};
  GetClassNameA(view, className, sizeof className);
  EXPECT_STRNE(className, "Edit") << "the edit control lays out 10 MB for seconds";

  std::string report;
  long lines = 0;
  while (report.size() < 10000000) {
    report += "3/15/2006 8:00:00 AM - File: file" + std::to_string(lines++) + ".dll\r\n";
  }
  report += "=====================End Of Report.";
  form.txtView.SetText(report);
  ASSERT_EQ(SendMessageA(view, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(report.size()));
  std::string back(report.size() + 1, '\0');
  const LRESULT copied =
      SendMessageA(view, WM_GETTEXT, back.size(), reinterpret_cast<LPARAM>(back.data()));
  back.resize(static_cast<std::size_t>(copied));
  EXPECT_TRUE(back == report);

  EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);
  SendMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(GetScrollPos(view, SB_VERT), 1);
  SendMessageA(view, WM_KEYDOWN, VK_END, 0);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(view, SB_VERT, &info);
  EXPECT_EQ(info.nMax, lines) << "one line per record and the last line";
  EXPECT_EQ(info.nPos + static_cast<int>(info.nPage), lines + 1) << "the last page in view";
  SendMessageA(view, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(GetScrollPos(view, SB_VERT), info.nPos - static_cast<int>(info.nPage) + 1);

  // A larger font leaves fewer lines to a page.
  const UINT smallPage = info.nPage;
  form.txtView.SetFontSize(24);
  GetScrollInfo(view, SB_VERT, &info);
  EXPECT_LT(info.nPage, smallPage);

  // A new text shows from its start.
  form.txtView.SetText("short");
  EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);
  EXPECT_EQ(SendMessageA(view, WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(RendererTextAndTips, ControlsGetTheirTipsAndLoseThemAgain) {
  HWND tip = TipWindow();
  ASSERT_NE(tip, nullptr) << "a form with a tip has a tooltip window";
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(TipOf(tip, form.cmdDelete), "Permanently delete selected items");

  form.chkRun.SetToolTipText("Click this option to automatically run at startup");
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(TipOf(tip, form.chkRun), "Click this option to automatically run at startup");
  form.cmdDelete.SetToolTipText("Delete");
  EXPECT_EQ(TipOf(tip, form.cmdDelete), "Delete");
  form.cmdDelete.SetToolTipText("");
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

  // A form loaded again gets its tips again.
  form.Unload();
  form.Show();
  tip = TipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(TipOf(tip, form.chkRun), "Click this option to automatically run at startup");
}

}  // namespace

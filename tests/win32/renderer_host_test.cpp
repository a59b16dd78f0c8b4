// The Win32 host: forms as top-level windows, the message loop, timers, modal loops, menus and
// the keyboard.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/win32_host.h"
#include "win32/renderer_test_form.h"

namespace {

using renderer_test::At;
using renderer_test::FormDesign;
using renderer_test::ShowcaseForm;
using renderer_test::WindowText;
using ui::win32::Win32Host;

class TimerForm : public ui::Form {
 public:
  explicit TimerForm(ui::Host& host, const std::string& name = "TimerForm")
      : Form(host, FormDesign(name, name)) {}
  ui::CommandButton cmdOk{*this, At("cmdOk", "OK", 120, 120, 1200, 375)};
  ui::Timer tmrFast{*this, At("tmrFast", "", 0, 0, 0, 0), 10, true};
  ui::Timer tmrEnd{*this, At("tmrEnd", "", 0, 0, 0, 0), 250, true};
  ui::Timer tmrOff{*this, At("tmrOff", "", 0, 0, 0, 0), 10, false};
};

class MenuForm : public ui::Form {
 public:
  explicit MenuForm(ui::Host& host) : Form(host, FormDesign("MenuForm", "Menus")) {
    mnuTray.SetVisible(false);
  }
  ui::Menu mnuFile{*this, At("mnuFile", "&File", 0, 0, 0, 0), {"&Scan", "-", "E&xit"}};
  ui::Menu mnuTray{*this, At("mnuTray", "Tray", 0, 0, 0, 0), {"Show", "Exit"}};
  ui::Timer tmrPick{*this, At("tmrPick", "", 0, 0, 0, 0), 100, false};
};

class RendererHost : public ::testing::Test {
 protected:
  HWND Window(const ui::Control& control) const { return host.WindowOf(control); }

  Win32Host host{GetModuleHandleA(nullptr)};
};

TEST_F(RendererHost, TimersTickInsideRunAndStopWhenDisabled) {
  TimerForm form(host);
  int fast = 0;
  int off = 0;
  form.tmrFast.OnTick = [&] { ++fast; };
  form.tmrOff.OnTick = [&] { ++off; };
  form.tmrEnd.OnTick = [&] {
    form.tmrEnd.SetEnabled(false);
    host.Quit(7);
  };
  form.Load();
  EXPECT_EQ(host.Run(), 7);
  EXPECT_GE(fast, 3);
  EXPECT_EQ(off, 0);

  form.tmrFast.SetEnabled(false);
  int stopped = fast;
  Sleep(60);
  host.DoEvents();
  EXPECT_EQ(fast, stopped);

  // Unloading the form stops its timers too.
  form.tmrFast.SetEnabled(true);
  form.Unload();
  Sleep(60);
  host.DoEvents();
  EXPECT_EQ(fast, stopped);
}

TEST_F(RendererHost, ATimerHandlerThatThrowsKeepsTheLoopRunning) {
  TimerForm form(host);
  int fast = 0;
  form.tmrFast.OnTick = [&] {
    ++fast;
    throw std::runtime_error("tick failed");
  };
  form.tmrEnd.OnTick = [&] { host.Quit(0); };
  form.Load();
  EXPECT_EQ(host.Run(), 0);
  EXPECT_GE(fast, 2);
  form.Unload();
}

TEST_F(RendererHost, DoEventsRunsPendingMessagesAndKeepsQuit) {
  ShowcaseForm form(host);
  form.Show();
  int clicks = 0;
  form.cmdScan.OnClick = [&] { ++clicks; };
  PostMessageA(Window(form.cmdScan), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 0);
  host.DoEvents();
  EXPECT_EQ(clicks, 1);

  // A quit met by DoEvents is left for the main loop.
  host.Quit(3);
  host.DoEvents();
  EXPECT_EQ(host.Run(), 3);
  form.Unload();
}

TEST_F(RendererHost, AStepLoopYieldsOnlyWhenSomeMillisecondsArePast) {
  ShowcaseForm form(host);
  form.Show();
  int clicks = 0;
  form.cmdScan.OnClick = [&] { ++clicks; };
  LARGE_INTEGER frequency{}, before{}, after{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  host.DoEvents();
  PostMessageA(Window(form.cmdScan), BM_CLICK, 0, 0);
  host.YieldIfDue();
  QueryPerformanceCounter(&after);
  // Only meaningful when this machine did not stall between the two calls.
  if ((after.QuadPart - before.QuadPart) * 1000 < 5 * frequency.QuadPart) {
    EXPECT_EQ(clicks, 0) << "a yield right after another looks for nothing";
  }
  Sleep(20);
  host.YieldIfDue();
  EXPECT_EQ(clicks, 1);
  form.Unload();
}

TEST_F(RendererHost, ModalFormReturnsWhenAnotherTimerHidesIt) {
  TimerForm main(host, "ModalMain");
  TimerForm dialog(host, "ModalDialog");
  std::vector<std::string> events;
  bool mainEnabledDuringModal = true;
  main.tmrFast.SetEnabled(false);
  main.tmrEnd.SetInterval(30);
  dialog.tmrFast.SetEnabled(false);
  dialog.tmrEnd.SetInterval(60);
  main.tmrEnd.OnTick = [&] {
    main.tmrEnd.SetEnabled(false);
    events.push_back("show");
    dialog.Show(true);
    events.push_back("returned");
    host.Quit(0);
  };
  dialog.tmrEnd.OnTick = [&] {
    dialog.tmrEnd.SetEnabled(false);
    mainEnabledDuringModal = IsWindowEnabled(Window(main)) != FALSE;
    events.push_back("hide");
    dialog.Hide();
  };
  main.Show();
  EXPECT_EQ(host.Run(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "hide", "returned"}));
  EXPECT_FALSE(mainEnabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(Window(main)));
  dialog.Unload();
  main.Unload();
}

TEST_F(RendererHost, FormsAreOwnedAndShowInTheTaskBarOnlyWhenAsked) {
  ShowcaseForm form(host);
  form.Show();
  HWND hwnd = Window(form);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), host.OwnerWindow());
  EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  form.SetShowInTaskbar(false);
  EXPECT_FALSE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  form.Hide();
  form.SetShowInTaskbar(true);
  EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  form.Unload();
}

TEST_F(RendererHost, WindowStateAndSizeFollowTheModelAndTheUser) {
  ShowcaseForm form(host);
  form.Show();
  HWND hwnd = Window(form);
  EXPECT_EQ(form.resizes, 1);  // the first show

  form.SetWindowState(ui::WindowState::Minimized);
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_EQ(form.resizes, 2);
  form.SetWindowState(ui::WindowState::Normal);
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_EQ(form.GetWindowState(), ui::WindowState::Normal);

  // Moved in code: the window follows and the form gets one Resize.
  int before = form.resizes;
  form.Move(1440, 1440, form.Width() + 1440, form.Height());
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.left, host.GetScale().DpiX());
  EXPECT_EQ(outer.right - outer.left, host.GetScale().PixelsX(form.Width()));
  EXPECT_EQ(form.resizes, before + 1);

  // Resized by the user: the model takes the new outer size.
  SetWindowPos(hwnd, nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.Width(), host.GetScale().TwipsX(500));
  EXPECT_EQ(form.Height(), host.GetScale().TwipsY(420));
  EXPECT_EQ(form.resizes, before + 2);
  SetWindowPos(hwnd, nullptr, 30, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(form.Left(), host.GetScale().TwipsX(30));
  EXPECT_EQ(form.Top(), host.GetScale().TwipsY(45));

  // Hidden and minimized, then shown: it comes back minimized.
  form.SetWindowState(ui::WindowState::Minimized);
  form.Hide();
  form.Show();
  EXPECT_TRUE(IsIconic(hwnd));
  form.Unload();
}

TEST_F(RendererHost, MouseMessagesToTheFormReachTheModelInTwips) {
  ShowcaseForm form(host);
  form.Show();
  std::vector<int> xs;
  form.OnMouseMove = [&](const ui::MouseArgs& args) { xs.push_back(args.x); };
  // The tray icon's callback: WM_MOUSEMOVE with the mouse message (a double click) as x.
  SendMessageA(Window(form), WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
  ASSERT_EQ(xs.size(), 1u);
  EXPECT_EQ(xs[0], host.GetScale().TwipsX(WM_LBUTTONDBLCLK));
  form.Unload();
}

TEST_F(RendererHost, TheShellsNewTaskbarReachesTheForm) {
  ShowcaseForm form(host);
  form.Show();
  int created = 0;
  form.OnTaskbarCreated = [&] { ++created; };
  SendMessageA(Window(form), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(created, 1);
  form.Unload();
}

TEST_F(RendererHost, MenuBarFollowsTheMenusAndRunsTheirCommands) {
  MenuForm form(host);
  std::vector<int> clicked;
  form.mnuFile.OnItemClick = [&](int index) { clicked.push_back(index); };
  form.Show();
  HWND hwnd = Window(form);
  HMENU bar = GetMenu(hwnd);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 1);  // the tray menu is hidden
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  // The menu bar is part of the frame the model accounts for.
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(host.GetScale().PixelsY(form.ScaleHeight()), client.bottom);

  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 2), 0), 0);
  EXPECT_EQ(clicked, std::vector<int>{2});

  form.mnuFile.SetItemChecked(0, true);
  form.mnuFile.SetItemEnabled(2, false);
  file = GetSubMenu(GetMenu(hwnd), 0);
  EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  form.mnuFile.SetItemVisible(1, false);
  file = GetSubMenu(GetMenu(hwnd), 0);
  EXPECT_EQ(GetMenuItemCount(file), 2);
  // Ids follow the visible items: the second one now is item 2.
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 1), 0), 0);
  EXPECT_EQ(clicked, (std::vector<int>{2, 2}));
  form.Unload();
}

TEST_F(RendererHost, PopupMenuReturnsTheChosenItem) {
  MenuForm form(host);
  std::vector<int> clicked;
  form.mnuTray.OnItemClick = [&](int index) { clicked.push_back(index); };
  form.Show();
  // While the menu is up, a timer picks its second item with the keyboard.
  form.tmrPick.OnTick = [&] {
    form.tmrPick.SetEnabled(false);
    HWND menu = FindWindowA("#32768", nullptr);
    HWND target = menu != nullptr ? menu : Window(form);
    PostMessageA(target, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(target, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(target, WM_KEYDOWN, VK_RETURN, 0);
  };
  form.tmrPick.SetEnabled(true);
  host.PopupMenu(form, form.mnuTray);
  EXPECT_EQ(clicked, std::vector<int>{1});
  form.Unload();
}

TEST_F(RendererHost, TabAndEnterFollowTheCreationOrder) {
  ShowcaseForm form(host);
  form.optFull.SetValue(true);
  form.Show();
  HWND hwnd = Window(form);
  SetForegroundWindow(hwnd);
  host.DoEvents();
  SetFocus(Window(form.cmdScan));
  ASSERT_EQ(GetFocus(), Window(form.cmdScan));
  auto press = [&](WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
    host.DoEvents();
  };
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), Window(form.txtName));
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), Window(form.chkShield));
  // Into the frame: to the selected option, passing over the unselected one.
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), Window(form.optFull));
  EXPECT_TRUE(form.optFull.Value());

  // Enter in the text box presses the default button.
  int clicks = 0;
  form.cmdScan.OnClick = [&] { ++clicks; };
  SetFocus(Window(form.txtName));
  press(VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), Window(form.txtName));

  // A hidden control gives its focus to the next one.
  SetFocus(Window(form.chkShield));
  form.chkShield.SetVisible(false);
  EXPECT_NE(GetFocus(), Window(form.chkShield));
  form.Unload();
}

class BorderForm : public ui::Form {
 public:
  BorderForm(ui::Host& host, ui::BorderStyle border) : Form(host, Args(border)) {}
  static ui::FormArgs Args(ui::BorderStyle border) {
    ui::FormArgs args = FormDesign("BorderForm", "Borders");
    args.border = border;
    args.maxButton = true;
    args.showInTaskbar = false;
    return args;
  }
  HWND loadedButton = nullptr;
  ui::win32::Win32Host* host = nullptr;
  ui::CommandButton cmdOk{*this, At("cmdOk", "OK", 120, 120, 1200, 375)};

 protected:
  void Form_Load() override { loadedButton = host->WindowOf(cmdOk); }
};

TEST_F(RendererHost, BorderStylesMakeTheirFrames) {
  struct Case {
    ui::BorderStyle border;
    LONG_PTR style;
    LONG_PTR missing;
    LONG_PTR exStyle;
  };
  const Case cases[] = {
      {ui::BorderStyle::Sizable, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
      {ui::BorderStyle::FixedSingle, WS_CAPTION | WS_MAXIMIZEBOX, WS_THICKFRAME, 0},
      {ui::BorderStyle::FixedDialog, WS_CAPTION, WS_THICKFRAME | WS_MAXIMIZEBOX,
       WS_EX_DLGMODALFRAME},
      {ui::BorderStyle::FixedToolWindow, WS_CAPTION, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
      {ui::BorderStyle::None, WS_POPUP, WS_CAPTION, 0},
  };
  for (const Case& test : cases) {
    BorderForm form(host, test.border);
    form.host = &host;
    form.Show();
    HWND hwnd = Window(form);
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & test.style, test.style) << static_cast<int>(test.border);
    EXPECT_EQ(style & test.missing, 0) << static_cast<int>(test.border);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & test.exStyle, test.exStyle);
    EXPECT_FALSE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // The frame the model adds to the client area is the window's.
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    int width = 0;
    int height = 0;
    host.NonClientExtent(form, &width, &height);
    EXPECT_EQ(host.GetScale().PixelsX(width), outer.right - outer.left - client.right);
    EXPECT_EQ(host.GetScale().PixelsY(height), outer.bottom - outer.top - client.bottom);
    // Form_Load runs with the controls' windows in place.
    EXPECT_NE(form.loadedButton, nullptr);
    form.Unload();
  }
}

TEST_F(RendererHost, MousePointerShowsOverTheProgramsWindows) {
  ShowcaseForm form(host);
  form.Show();
  host.SetMousePointer(ui::kPointerHourglass);
  EXPECT_EQ(host.MousePointer(), ui::kPointerHourglass);
  HWND button = Window(form.cmdScan);
  LRESULT handled = SendMessageA(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(handled);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  host.SetMousePointer(ui::kPointerDefault);
  SendMessageA(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  form.Unload();
}

TEST_F(RendererHost, FormIconComesFromTheResourceModule) {
  ShowcaseForm form(host);
  form.Show();
  // This test program carries no icons; user32 does (its application icon is 32512).
  host.SetResourceModule(GetModuleHandleA("user32.dll"));
  form.SetIcon("#32512");
  EXPECT_NE(SendMessageA(Window(form), WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageA(Window(form), WM_GETICON, ICON_BIG, 0), 0);

  // An image control draws its picture over the form's background.
  HWND image = Window(form.imgLogo);
  auto drawnPixels = [&] {
    RedrawWindow(image, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(image);
    int drawn = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) drawn += GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE);
    }
    ReleaseDC(image, dc);
    return drawn;
  };
  EXPECT_EQ(drawnPixels(), 0);
  form.imgLogo.SetResource("#32512");
  EXPECT_GT(drawnPixels(), 100);
  form.Unload();
}

}  // namespace

namespace {

class OverlapForm : public ui::Form {
 public:
  explicit OverlapForm(ui::Host& host) : Form(host, FormDesign("OverlapForm", "Overlap")) {}
  ui::CommandButton cmdContinue{*this, At("cmdContinue", "Continue", 2400, 600, 1200, 375)};
  // Made later and reaching under the button, as a status line beside a button does.
  ui::Label lblStatus{*this, At("lblStatus", "Scanning complete.", 120, 600, 3600, 255)};
};

TEST_F(RendererHost, ALabelNeverCoversAButtonItReachesUnder) {
  OverlapForm form(host);
  form.Show();
  HWND button = Window(form.cmdContinue);
  RECT rect{};
  GetWindowRect(button, &rect);
  POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  EXPECT_EQ(WindowFromPoint(middle), button);
  form.Unload();
}

}  // namespace

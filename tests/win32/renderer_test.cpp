// The Win32 renderer against real windows: model changes reach the controls, and what the user
// does to a control comes back into the model.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "ui/win32/file_dialog.h"
#include "ui/win32/text_date_peers.h"
#include "ui/win32/win32_host.h"
#include "win32/renderer_test_form.h"

namespace {

using renderer_test::RectInParent;
using renderer_test::ShowcaseForm;
using renderer_test::WindowText;
using ui::win32::Win32Host;

class Renderer : public ::testing::Test {
 protected:
  void SetUp() override { form.Show(); }
  void TearDown() override {
    form.cancelUnload = 0;
    form.Unload();
    host.DoEvents();
  }
  HWND Window(const ui::Control& control) const { return host.WindowOf(control); }
  int DpiX() const { return host.GetScale().DpiX(); }

  Win32Host host{GetModuleHandleA(nullptr)};
  ShowcaseForm form{host};
};

// A point on the check box of a list-view row, found by hit-testing along the row.
POINT StateIconPoint(HWND list, int row) {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  int y = (bounds.top + bounds.bottom) / 2;
  for (int x = bounds.left; x < bounds.left + 80; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    int found =
        static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (found == row && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) return hit.pt;
  }
  return {-1, -1};
}

ui::ListItem Row(const std::string& text) {
  ui::ListItem item;
  item.text = text;
  return item;
}

std::string ItemText(HWND list, int row, int column) {
  char text[256] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

UINT CheckImage(HWND list, int row) {
  return static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
}

TEST_F(Renderer, FormAndControlsAreSizedFromTwips) {
  HWND hwnd = Window(form);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(FindWindowA("UiForm_RendererShowcase", nullptr), hwnd);
  EXPECT_EQ(WindowText(hwnd), "Renderer showcase");
  EXPECT_TRUE(IsWindowVisible(hwnd));
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 7200 * DpiX() / 1440);
  // The model's outer size and client size agree with the window's frame.
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(host.GetScale().PixelsX(form.Width()), outer.right - outer.left);
  EXPECT_EQ(host.GetScale().PixelsY(form.ScaleHeight()), client.bottom);
  // Centred on the work area at its first show, and the model knows where.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(outer.left - work.left, work.right - outer.right, 1);
  EXPECT_EQ(form.Left(), host.GetScale().TwipsX(outer.left));
  // A control 1440 twips wide is one logical inch wide; positions are relative to the container.
  RECT button = RectInParent(Window(form.cmdScan));
  EXPECT_EQ(button.right - button.left, DpiX());
  RECT option = RectInParent(Window(form.optFull));
  EXPECT_EQ(option.left, 240 * DpiX() / 1440);
  EXPECT_EQ(GetParent(Window(form.optFull)), Window(form.fraMode));
}

TEST_F(Renderer, ModelChangesReachTheWindows) {
  form.lblStatus.SetCaption("Scanning");
  EXPECT_EQ(WindowText(Window(form.lblStatus)), "Scanning");
  EXPECT_TRUE(GetWindowLongPtrA(Window(form.lblStatus), GWL_STYLE) & SS_NOPREFIX);

  form.cmdScan.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window(form.cmdScan)));
  form.cmdScan.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Window(form.cmdScan)));

  form.txtName.Move(240, 600, 2880, 315);
  RECT moved = RectInParent(Window(form.txtName));
  EXPECT_EQ(moved.left, 240 * DpiX() / 1440);
  EXPECT_EQ(moved.right - moved.left, 2 * DpiX());

  form.chkShield.SetValue(ui::kChecked);
  EXPECT_EQ(SendMessageA(Window(form.chkShield), BM_GETCHECK, 0, 0), BST_CHECKED);
  form.chkShield.SetValue(ui::kGrayed);
  EXPECT_EQ(SendMessageA(Window(form.chkShield), BM_GETCHECK, 0, 0), BST_INDETERMINATE);

  ASSERT_TRUE(form.pbProgress.SetMax(200));
  ASSERT_TRUE(form.pbProgress.SetValue(150));
  EXPECT_EQ(SendMessageA(Window(form.pbProgress), PBM_GETPOS, 0, 0), 150);
  EXPECT_EQ(SendMessageA(Window(form.pbProgress), PBM_GETRANGE, FALSE, 0), 200);

  form.cmbDrives.AddItem("E:\\");
  form.cmbDrives.SetListIndex(2);
  EXPECT_EQ(SendMessageA(Window(form.cmbDrives), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Window(form.cmbDrives), CB_GETCURSEL, 0, 0), 2);

  form.lstLog.AddItem("one");
  form.lstLog.AddItem("two");
  form.lstLog.SetListIndex(1);
  form.lstLog.RemoveItem(0);
  EXPECT_EQ(SendMessageA(Window(form.lstLog), LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(Window(form.lstLog), LB_GETCURSEL, 0, 0), 0);

  form.txtLog.SetText("line 1\r\nline 2");
  EXPECT_EQ(WindowText(Window(form.txtLog)), "line 1\r\nline 2");

  form.tabPages.SelectTab(2);
  EXPECT_EQ(SendMessageA(Window(form.tabPages), TCM_GETCURSEL, 0, 0), 1);

  form.cmdScan.SetBold(true);
  LOGFONTA font{};
  auto hfont = reinterpret_cast<HFONT>(SendMessageA(Window(form.cmdScan), WM_GETFONT, 0, 0));
  ASSERT_NE(hfont, nullptr);
  GetObjectA(hfont, sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
}

TEST_F(Renderer, DatePickerFollowsTheModelBothWays) {
  HWND picker = Window(form.dtpWhen);
  // 16 March 2006, 12:00
  ASSERT_TRUE(form.dtpWhen.SetValue(38792.5));
  SYSTEMTIME shown{};
  EXPECT_EQ(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
            GDT_VALID);
  EXPECT_EQ(shown.wYear, 2006);
  EXPECT_EQ(shown.wMonth, 3);
  EXPECT_EQ(shown.wDay, 16);
  EXPECT_EQ(shown.wHour, 12);
  ASSERT_TRUE(form.dtpWhen.SetValue(std::nullopt));
  EXPECT_EQ(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_NONE);

  // The user's change arrives as DTN_DATETIMECHANGE; an unticked box is the model's Null.
  int changes = 0;
  form.dtpWhen.OnChange = [&] { ++changes; };
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = picker;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.dwFlags = GDT_VALID;
  change.st = {2007, 1, 0, 2, 0, 0, 0, 0};
  SendMessageA(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom,
               reinterpret_cast<LPARAM>(&change));
  ASSERT_TRUE(form.dtpWhen.Value().has_value());
  EXPECT_DOUBLE_EQ(*form.dtpWhen.Value(), 39084.0);
  change.dwFlags = GDT_NONE;
  SendMessageA(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom,
               reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(form.dtpWhen.IsNull());
  EXPECT_EQ(changes, 2);

  auto time = ui::win32::DateToSystemTime(39084.75);
  ASSERT_TRUE(time.has_value());
  EXPECT_EQ(time->wHour, 18);
  EXPECT_DOUBLE_EQ(ui::win32::SystemTimeToDate(*time).value_or(0), 39084.75);
}

TEST_F(Renderer, DatePickerShowsItsCustomFormatAndKeepsItsDateWhileNull) {
  HWND picker = Window(form.dtpClock);
  // 16 March 2006, 14:30:05: the 24-hour clock of the format, not the system's time format.
  ASSERT_TRUE(form.dtpClock.SetValue(38792 + (14 * 3600 + 30 * 60 + 5) / 86400.0));
  EXPECT_EQ(WindowText(picker), "14:30:05");
  ASSERT_TRUE(form.dtpClock.SetValue(std::nullopt));
  SYSTEMTIME shown{};
  EXPECT_EQ(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_NONE);
  EXPECT_EQ(WindowText(picker), "14:30:05") << "unticked, it still shows its time";
}

TEST_F(Renderer, ButtonsRaiseClickOnce) {
  int clicks = 0;
  form.cmdScan.OnClick = [&] { ++clicks; };
  SendMessageA(Window(form.cmdScan), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);

  // A check box is not automatic: the click toggles the model, which sets the box.
  int checkClicks = 0;
  form.chkShield.OnClick = [&] { ++checkClicks; };
  SendMessageA(Window(form.chkShield), BM_CLICK, 0, 0);
  EXPECT_EQ(form.chkShield.Value(), ui::kChecked);
  EXPECT_EQ(SendMessageA(Window(form.chkShield), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(checkClicks, 1);
  SendMessageA(Window(form.chkShield), BM_CLICK, 0, 0);
  EXPECT_EQ(form.chkShield.Value(), ui::kUnchecked);
  EXPECT_EQ(SendMessageA(Window(form.chkShield), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(checkClicks, 2);

  // A label reports its clicks and mouse events, with the position in twips.
  int labelClicks = 0;
  ui::MouseArgs down;
  form.lblStatus.OnClick = [&] { ++labelClicks; };
  form.lblStatus.OnMouseDown = [&](const ui::MouseArgs& args) { down = args; };
  SendMessageA(Window(form.lblStatus), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  SendMessageA(Window(form.lblStatus), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(down.button, ui::kMouseLeft);
  EXPECT_EQ(down.x, 10 * 1440 / DpiX());
}

TEST_F(Renderer, OptionButtonsFormOneGroupPerContainer) {
  form.optShort.SetValue(true);
  int quickClicks = 0;
  form.optQuick.OnClick = [&] { ++quickClicks; };
  SendMessageA(Window(form.optQuick), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.optQuick.Value());
  EXPECT_EQ(quickClicks, 1);
  SendMessageA(Window(form.optFull), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.optFull.Value());
  EXPECT_FALSE(form.optQuick.Value());
  EXPECT_EQ(SendMessageA(Window(form.optQuick), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Window(form.optFull), BM_GETCHECK, 0, 0), BST_CHECKED);
  // The other frame's group is untouched.
  EXPECT_TRUE(form.optShort.Value());
  EXPECT_EQ(SendMessageA(Window(form.optShort), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(quickClicks, 1);
}

TEST_F(Renderer, ListViewShowsTheModelsRows) {
  HWND list = Window(form.lvwResults);
  ui::ListItem item;
  item.text = "Cookie: tracker";
  item.subItems = {"Cookie", "C:\\cookies\\tracker.txt"};
  form.lvwResults.Add(item);
  form.lvwResults.Add("Registry value");
  form.lvwResults.Add("Folder");
  form.lvwResults.SetSubItem(1, 2, "HKCU\\Software\\Bad");
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(list, 0, 2), "C:\\cookies\\tracker.txt");
  EXPECT_EQ(ItemText(list, 1, 0), "Registry value");
  EXPECT_EQ(ItemText(list, 1, 2), "HKCU\\Software\\Bad");

  // Ticking in code shows the tick and raises nothing.
  std::vector<int> checks;
  form.lvwResults.OnItemCheck = [&](int row) { checks.push_back(row); };
  form.lvwResults.SetChecked(2, true);
  EXPECT_EQ(CheckImage(list, 2), INDEXTOSTATEIMAGEMASK(2));
  EXPECT_EQ(CheckImage(list, 1), INDEXTOSTATEIMAGEMASK(1));
  EXPECT_TRUE(checks.empty());

  form.lvwResults.Insert(0, Row("First"));
  EXPECT_EQ(ItemText(list, 0, 0), "First");
  EXPECT_EQ(CheckImage(list, 3), INDEXTOSTATEIMAGEMASK(2));
  form.lvwResults.Remove(0);
  EXPECT_EQ(ItemText(list, 0, 0), "Cookie: tracker");
  form.lvwResults.Clear();
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);

  // A large list is only a row count to the window.
  for (int i = 0; i < 20000; ++i) form.lvwResults.Add("row " + std::to_string(i));
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 20000);
  EXPECT_EQ(ItemText(list, 19999, 0), "row 19999");
}

TEST_F(Renderer, ListViewSmallIconsComeFromResources) {
  form.Unload();
  // This test program carries no icons; user32 does (its application icon is 32512). A name
  // that is not found keeps its place in the numbering.
  host.SetResourceModule(GetModuleHandleA("user32.dll"));
  form.lvwResults.smallIcons = {"NoSuchIcon", "#32512"};
  form.lvwResults.Add("no icon");
  form.lvwResults.Add("icon 2", 2);
  form.Show();
  HWND list = Window(form.lvwResults);
  auto icons = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_NE(icons, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(icons), 2);
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 1;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 1);
  item.iItem = 0;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, -1);
}

TEST_F(Renderer, ListViewUserTicksRaiseItemCheck) {
  HWND list = Window(form.lvwResults);
  for (const char* text : {"a", "b", "c"}) form.lvwResults.Add(text);
  std::vector<int> checks;
  form.lvwResults.OnItemCheck = [&](int row) { checks.push_back(row); };

  POINT box = StateIconPoint(list, 1);
  ASSERT_GE(box.x, 0) << "no check box found on row 1";
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  EXPECT_EQ(checks, std::vector<int>{1});
  EXPECT_TRUE(form.lvwResults.Item(1).checked);
  EXPECT_EQ(CheckImage(list, 1), INDEXTOSTATEIMAGEMASK(2));

  // Space ticks the focused row.
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(list, WM_CHAR, ' ', 0);
  SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(checks, (std::vector<int>{1, 2}));
  EXPECT_TRUE(form.lvwResults.Item(2).checked);

  // A second click unticks.
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  EXPECT_FALSE(form.lvwResults.Item(1).checked);
  EXPECT_EQ(checks, (std::vector<int>{1, 2, 1}));
}

TEST_F(Renderer, ListViewSelectionAndColumnsFollowBothWays) {
  HWND list = Window(form.lvwResults);
  for (const char* text : {"a", "b", "c"}) form.lvwResults.Add(text);
  form.lvwResults.SetSelected(1, true);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_SELECTED), LVIS_SELECTED);

  // The user selects another row: the model follows, and single selection clears row 1.
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(form.lvwResults.SelectedIndex(), 2);
  EXPECT_FALSE(form.lvwResults.Item(1).selected);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_SELECTED), 0);

  // Rows inserted above move the selection with them.
  form.lvwResults.Insert(0, Row("new"));
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 3, LVIS_SELECTED), LVIS_SELECTED);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 2, LVIS_SELECTED), 0);

  // Column widths: the model's in twips, a user's resize back into the model.
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), DpiX());
  form.lvwResults.SetColumnWidth(1, 2880);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 2 * DpiX());
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(DpiX() / 2, 0));
  EXPECT_EQ(form.lvwResults.Column(0).width, 720);
}

TEST_F(Renderer, TabStripSelectionShowsItsPage) {
  HWND tabs = Window(form.tabPages);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_TRUE(IsWindowVisible(Window(form.lvwResults)));
  EXPECT_FALSE(IsWindowVisible(Window(form.txtLog)));

  // The page frames, made after the tab strip, lie above it.
  RECT page = RectInParent(Window(form.fraResults));
  POINT middle{(page.left + page.right) / 2, (page.top + page.bottom) / 2};
  HWND top = ChildWindowFromPointEx(Window(form), middle, CWP_SKIPINVISIBLE);
  EXPECT_EQ(top, Window(form.fraResults));

  // A click on the second tab.
  RECT second{};
  SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tabs, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(form.tabPages.SelectedTab(), 2);
  EXPECT_FALSE(IsWindowVisible(Window(form.lvwResults)));
  EXPECT_TRUE(IsWindowVisible(Window(form.txtLog)));
}

TEST_F(Renderer, HidingAFrameHidesWhatIsInIt) {
  form.fraMode.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Window(form.fraMode)));
  EXPECT_FALSE(IsWindowVisible(Window(form.optQuick)));
  EXPECT_TRUE(IsWindowVisible(Window(form.optShort)));
  form.fraMode.SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(Window(form.optQuick)));
  form.fraMode.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window(form.fraMode)));
}

TEST_F(Renderer, TypingReachesTheModelWithoutEcho) {
  int changes = 0;
  form.txtName.OnChange = [&] { ++changes; };
  SetWindowTextA(Window(form.txtName), "typed");
  EXPECT_EQ(form.txtName.Text(), "typed");
  EXPECT_EQ(changes, 1);
  form.txtName.SetText("from code");
  EXPECT_EQ(WindowText(Window(form.txtName)), "from code");
  EXPECT_EQ(changes, 2);

  // The user picks a drive: the combo box tells the model.
  int picks = 0;
  form.cmbDrives.OnClick = [&] { ++picks; };
  HWND combo = Window(form.cmbDrives);
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(form.cmbDrives.ListIndex(), 1);
  EXPECT_EQ(picks, 1);

  HWND list = Window(form.lstLog);
  form.lstLog.AddItem("x");
  form.lstLog.AddItem("y");
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(form.lstLog.ListIndex(), 1);
}

TEST_F(Renderer, AThrowingHandlerStaysInsideTheWindowProcedure) {
  int calls = 0;
  form.cmdScan.OnClick = [&] {
    ++calls;
    throw std::runtime_error("handler failed");
  };
  form.cmdScan.OnMouseDown = [](const ui::MouseArgs&) { throw 42; };
  SendMessageA(Window(form.cmdScan), BM_CLICK, 0, 0);
  SendMessageA(Window(form.cmdScan), BM_CLICK, 0, 0);
  EXPECT_EQ(calls, 2);
  // The other controls still work.
  int checks = 0;
  form.chkShield.OnClick = [&] { ++checks; };
  SendMessageA(Window(form.chkShield), BM_CLICK, 0, 0);
  EXPECT_EQ(checks, 1);
}

TEST_F(Renderer, CloseBoxUnloadsThroughTheModel) {
  HWND hwnd = Window(form);
  form.cancelUnload = 1;
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(form.queryUnloads, 1);
  EXPECT_EQ(form.lastUnloadMode, ui::UnloadMode::FormControlMenu);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(form.IsLoaded());

  form.cancelUnload = 0;
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(Window(form), nullptr);
  EXPECT_EQ(Window(form.cmdScan), nullptr);
  // The model lives on and loads again with its state.
  form.lblStatus.SetCaption("again");
  form.Show();
  EXPECT_EQ(WindowText(Window(form.lblStatus)), "again");
}

TEST_F(Renderer, AHandlerMayUnloadItsOwnForm) {
  // The button's window is destroyed while its own window procedure is still on the stack.
  form.cmdScan.OnClick = [&] { form.Unload(); };
  HWND button = Window(form.cmdScan);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(button));
  host.DoEvents();

  form.Show();
  form.lvwResults.Add("row");
  form.lvwResults.OnItemCheck = [&](int) { form.Unload(); };
  HWND list = Window(form.lvwResults);
  POINT box = StateIconPoint(list, 0);
  ASSERT_GE(box.x, 0);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(list));
}

TEST_F(Renderer, ColoursComeFromTheControlOrItsContainer) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto colourOf = [](LRESULT brush) {
    LOGBRUSH info{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof info, &info);
    return info.lbColor;
  };
  HWND label = Window(form.lblStatus);
  form.lblStatus.SetForeColor(0x000000FF);
  form.lblStatus.SetBackColor(0x00FFFF00);
  LRESULT brush = SendMessageA(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(colourOf(brush), RGB(0, 0xFF, 0xFF));
  EXPECT_EQ(GetTextColor(dc), RGB(0xFF, 0, 0));

  // An option button without a colour of its own shows its frame's colour.
  form.fraMode.SetBackColor(0x0000FF00);
  HWND option = Window(form.optQuick);
  brush = SendMessageA(GetParent(option), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(option));
  EXPECT_EQ(colourOf(brush), RGB(0, 0xFF, 0));
  // A system colour index (the button face).
  form.fraMode.SetBackColor(0x8000000F);
  brush = SendMessageA(GetParent(option), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(option));
  EXPECT_EQ(colourOf(brush), GetSysColor(COLOR_BTNFACE));
  DeleteDC(dc);
}

TEST(RendererFileDialog, FilterBecomesNulSeparatedPairs) {
  using ui::win32::DialogFilter;
  EXPECT_EQ(DialogFilter("Text (*.txt)|*.txt|All (*.*)|*.*"),
            std::string("Text (*.txt)\0*.txt\0All (*.*)\0*.*\0\0", 34));
  EXPECT_EQ(DialogFilter(""), std::string(1, '\0'));
}

}  // namespace

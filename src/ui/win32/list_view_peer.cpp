#include "ui/win32/list_view_peer.h"

#include <cstring>
#include <string>

namespace ui::win32 {

namespace {

constexpr UINT kUnchecked = 1;  // state image 1 of the check-box image list
constexpr UINT kCheckedImage = 2;

// The parts of the display information that do not depend on the character set.
template <class Item>
void FillItem(const ListView& list, bool hasIcons, Item& item) {
  const ListItem& row = list.Item(item.iItem);
  if ((item.mask & LVIF_IMAGE) != 0) {
    bool icon = hasIcons && item.iSubItem == 0 && row.smallIcon > 0 &&
                row.smallIcon <= static_cast<int>(list.smallIcons.size());
    item.iImage = icon ? row.smallIcon - 1 : -1;
  }
  if ((item.mask & LVIF_STATE) != 0 && list.checkBoxes) {
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                 INDEXTOSTATEIMAGEMASK(row.checked ? kCheckedImage : kUnchecked);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

// A row whose first column starts with (or, without partial, equals) the text, searching from
// start and wrapping around; -1 when none does. Type-ahead in a virtual list asks for this.
int FindRow(const ListView& list, const std::string& text, bool partial, int start) {
  const int count = list.Count();
  if (count == 0 || text.empty()) return -1;
  if (start < 0 || start >= count) start = 0;
  for (int step = 0; step < count; ++step) {
    int row = (start + step) % count;
    const std::string& caption = list.Item(row).text;
    bool match = partial ? _strnicmp(caption.c_str(), text.c_str(), text.size()) == 0
                         : _stricmp(caption.c_str(), text.c_str()) == 0;
    if (match) return row;
  }
  return -1;
}

}  // namespace

HWND ListViewPeer::MakeWindow(HWND parent, const RECT& bounds) {
  DWORD style =
      WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  if (!list_.multiSelect) style |= LVS_SINGLESEL;
  if (list_.hideColumnHeaders) style |= LVS_NOCOLUMNHEADER;
  return CreateChild(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, parent, bounds);
}

void ListViewPeer::SyncState() {
  ScopedFlag applying(applying_);
  listProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd_, GCLP_WNDPROC));
  DWORD all = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_DOUBLEBUFFER;
  DWORD wanted = LVS_EX_DOUBLEBUFFER | (list_.fullRowSelect ? LVS_EX_FULLROWSELECT : 0) |
                 (list_.gridLines ? LVS_EX_GRIDLINES : 0) |
                 (list_.checkBoxes ? LVS_EX_CHECKBOXES : 0);
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, all, wanted);
  // A virtual list asks for the state image of each row only when told to.
  if (list_.checkBoxes) SendMessageA(hwnd_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  LoadIcons();
  SyncColumns();
  SyncColors();
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.Count()), 0);
  SyncSelection();
}

void ListViewPeer::LoadIcons() {
  if (list_.smallIcons.empty()) return;
  int width = GetSystemMetrics(SM_CXSMICON);
  int height = GetSystemMetrics(SM_CYSMICON);
  icons_.Reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK,
                                static_cast<int>(list_.smallIcons.size()), 0));
  if (!icons_) return;
  for (const std::string& name : list_.smallIcons) {
    auto icon = static_cast<HICON>(
        LoadImageA(context_.Resources(), name.c_str(), IMAGE_ICON, width, height, 0));
    if (icon != nullptr) {
      ImageList_AddIcon(icons_.Get(), icon);
      DestroyIcon(icon);
    } else {
      // Keep the numbering of the icons that follow.
      ImageList_AddIcon(icons_.Get(), LoadIconA(nullptr, IDI_APPLICATION));
    }
  }
  SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.Get()));
}

void ListViewPeer::SyncColumns() {
  HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETHEADER, 0, 0));
  int existing =
      header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < list_.ColumnCount(); ++i) {
    std::string text = list_.Column(i).text;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = GetScale().PixelsX(list_.Column(i).width);
    UINT message = i < existing ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA;
    SendMessageA(hwnd_, message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  for (int i = existing - 1; i >= list_.ColumnCount(); --i) {
    SendMessageA(hwnd_, LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
  }
}

void ListViewPeer::SyncColors() {
  std::uint32_t back = control_.BackColor();
  std::uint32_t fore = control_.ForeColor();
  COLORREF background = back == kDefaultColor ? GetSysColor(COLOR_WINDOW) : ToColorRef(back);
  SendMessageA(hwnd_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
  SendMessageA(hwnd_, LVM_SETTEXTBKCOLOR, 0,
               static_cast<LPARAM>(back == kDefaultColor ? CLR_DEFAULT : background));
  SendMessageA(hwnd_, LVM_SETTEXTCOLOR, 0,
               static_cast<LPARAM>(fore == kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT)
                                                         : ToColorRef(fore)));
}

void ListViewPeer::ShowSelected(int row) {
  UINT wanted = list_.Item(row).selected ? LVIS_SELECTED : 0;
  UINT shown = static_cast<UINT>(Ask(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED));
  if (wanted == (shown & LVIS_SELECTED)) return;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = wanted;
  Ask(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListViewPeer::SyncSelection() {
  // The window numbers its selection by row, so after rows moved it is rebuilt from the model.
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  const auto& items = list_.Items();
  for (int row = 0; row < static_cast<int>(items.size()); ++row) {
    if (items[row].selected) ShowSelected(row);
  }
}

void ListViewPeer::Apply(Prop prop) {
  switch (prop) {
    case Prop::Columns:
      if (!fromWindow_) {
        ScopedFlag applying(applying_);
        SyncColumns();
      }
      break;
    case Prop::Color:
      SyncColors();
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    default:
      ControlPeer::Apply(prop);
      break;
  }
}

void ListViewPeer::FlushCount() {
  if (!countStale_) return;
  countStale_ = false;
  ScopedFlag applying(applying_);
  throttle_.Begin();
  // Only the appended rows' area needs painting.
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.Count()),
               LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  throttle_.End();
}

void ListViewPeer::ApplyItems(ItemChange change, int index) {
  ScopedFlag applying(applying_);
  const auto count = static_cast<WPARAM>(list_.Count());
  if (change == ItemChange::Inserted && index == list_.Count() - 1 && !list_.Item(index).selected) {
    countStale_ = true;
    // A hidden list is brought up to date by its next message: the paint when it shows, or a
    // query.
    if (ShownWithParents(hwnd_) && throttle_.Ready(hwnd_)) FlushCount();
    return;
  }
  FlushCount();
  switch (change) {
    case ItemChange::Inserted:
      if (index == list_.Count() - 1) {
        SendMessageA(hwnd_, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        ShowSelected(index);
      } else {
        SendMessageA(hwnd_, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
        SyncSelection();
      }
      break;
    case ItemChange::Removed:
      SendMessageA(hwnd_, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
      SyncSelection();
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case ItemChange::Reset:
      // Rows gone from anywhere: the rest keep their place in view.
      SendMessageA(hwnd_, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
      SyncSelection();
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case ItemChange::Updated:
      if (!fromWindow_) ShowSelected(index);
      RedrawIfInView(index);
      break;
  }
}

void ListViewPeer::RedrawIfInView(int row) {
  // Each redraw asks the window system to invalidate, which under Wine is a round trip to its
  // server: Select All of 20,000 rows spent seconds on rows nobody could see. A row out of view,
  // or in a list that is hidden, is drawn from the model when it comes into view.
  if (!ShownWithParents(hwnd_)) return;
  const auto top = static_cast<int>(Ask(LVM_GETTOPINDEX, 0, 0));
  const auto page = static_cast<int>(Ask(LVM_GETCOUNTPERPAGE, 0, 0));
  // The row partly shown below the last whole one counts as in view.
  if (row < top || row > top + page) return;
  Ask(LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

LRESULT ListViewPeer::Ask(UINT message, WPARAM wParam, LPARAM lParam) {
  // Straight to the list's own procedure: a message sent to the window passes the subclass
  // chain, which under Wine reads its window property from the window server each time.
  if (listProc_ == nullptr) return SendMessageA(hwnd_, message, wParam, lParam);
  return CallWindowProcA(listProc_, hwnd_, message, wParam, lParam);
}

void ListViewPeer::SelectFromWindow(int first, int last, bool selected) {
  if (last >= list_.Count()) last = list_.Count() - 1;
  ScopedFlag from(fromWindow_);
  for (int row = first < 0 ? 0 : first; row <= last; ++row) {
    if (list_.Item(row).selected != selected) Guarded([&] { list_.SetSelected(row, selected); });
  }
}

void ListViewPeer::GetDisplayInfo(LVITEMA& item) {
  if (item.iItem < 0 || item.iItem >= list_.Count()) return;
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    lstrcpynA(item.pszText, list_.Item(item.iItem).Column(item.iSubItem).c_str(), item.cchTextMax);
  }
  FillItem(list_, static_cast<bool>(icons_), item);
}

void ListViewPeer::GetDisplayInfo(LVITEMW& item) {
  if (item.iItem < 0 || item.iItem >= list_.Count()) return;
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    const std::string& text = list_.Item(item.iItem).Column(item.iSubItem);
    int written = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax);
    if (written == 0) item.pszText[item.cchTextMax - 1] = L'\0';
  }
  FillItem(list_, static_cast<bool>(icons_), item);
}

bool ListViewPeer::OnNotify(NMHDR& header, LRESULT* result) {
  *result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      GetDisplayInfo(reinterpret_cast<NMLVDISPINFOA&>(header).item);
      return true;
    case LVN_GETDISPINFOW:
      GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
      return true;
    case LVN_ITEMCHANGED: {
      if (applying_) return true;
      auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) == 0) return true;
      if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) return true;
      bool selected = (change.uNewState & LVIS_SELECTED) != 0;
      // Row -1: the change applies to every row.
      if (change.iItem < 0) {
        SelectFromWindow(0, list_.Count() - 1, selected);
      } else {
        SelectFromWindow(change.iItem, change.iItem, selected);
      }
      return true;
    }
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
      Guarded([&] { list_.UserColumnClick(column); });
      return true;
    }
    case LVN_ODSTATECHANGED: {
      if (applying_) return true;
      auto& change = reinterpret_cast<NMLVODSTATECHANGE&>(header);
      if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
        SelectFromWindow(change.iFrom, change.iTo, (change.uNewState & LVIS_SELECTED) != 0);
      }
      return true;
    }
    case LVN_ODFINDITEMA: {
      auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
      bool text = (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find.lvfi.psz != nullptr;
      *result =
          text ? FindRow(list_, find.lvfi.psz, (find.lvfi.flags & LVFI_PARTIAL) != 0, find.iStart)
               : -1;
      return true;
    }
    case LVN_ODFINDITEMW: {
      auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
      std::string text;
      if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find.lvfi.psz != nullptr) {
        char buffer[260] = {};
        WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, buffer, sizeof buffer - 1, nullptr,
                            nullptr);
        text = buffer;
      }
      *result = FindRow(list_, text, (find.lvfi.flags & LVFI_PARTIAL) != 0, find.iStart);
      return true;
    }
    default:
      return false;
  }
}

bool ListViewPeer::StateIconAt(LPARAM position, int* row) const {
  LVHITTESTINFO hit{};
  hit.pt.x = static_cast<short>(LOWORD(position));
  hit.pt.y = static_cast<short>(HIWORD(position));
  int found = static_cast<int>(SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (found < 0 || found >= list_.Count()) return false;
  if ((hit.flags & LVHT_ONITEM) != LVHT_ONITEMSTATEICON) return false;
  *row = found;
  return true;
}

void ListViewPeer::Toggle(int row) {
  if (row < 0 || row >= list_.Count()) return;
  bool checked = list_.Item(row).checked;
  Guarded([&] { list_.UserCheck(row, !checked); });
}

void ListViewPeer::ReadColumnWidths() {
  ScopedFlag from(fromWindow_);
  for (int i = 0; i < list_.ColumnCount(); ++i) {
    int pixels =
        static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    if (pixels == GetScale().PixelsX(list_.Column(i).width)) continue;
    Guarded([&] { list_.SetColumnWidth(i, GetScale().TwipsX(pixels)); });
  }
}

bool ListViewPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (throttle_.OnTimer(hwnd_, message, wParam)) {
    FlushCount();
    *result = 0;
    return true;
  }
  FlushCount();
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // Each click on a check box is one tick, double clicks included; the list itself never
      // sees it, so it cannot toggle the box a second time.
      int row = -1;
      if (!list_.checkBoxes || !StateIconAt(lParam, &row)) return false;
      SetFocus(hwnd_);
      Toggle(row);
      *result = 0;
      return true;
    }
    case WM_KEYDOWN: {
      if (wParam != VK_SPACE || !list_.checkBoxes) return false;
      int row = static_cast<int>(
          SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      if (row < 0)
        row = static_cast<int>(
            SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
      if (row >= 0) Toggle(row);
      *result = 0;
      return true;
    }
    case WM_CHAR:
      // The space that toggled a box must not also start a type-ahead search.
      if (wParam != ' ' || !list_.checkBoxes) return false;
      *result = 0;
      return true;
    case WM_NOTIFY: {
      // The header's notifications go to the list itself: a user's column resize.
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      HWND headerWindow = reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETHEADER, 0, 0));
      if (header == nullptr || header->hwndFrom != headerWindow) return false;
      if (header->code != HDN_ITEMCHANGEDA && header->code != HDN_ITEMCHANGEDW &&
          header->code != HDN_ENDTRACKA && header->code != HDN_ENDTRACKW) {
        return false;
      }
      HWND self = hwnd_;
      *result = CallDefault(self, message, wParam, lParam);
      if (!applying_ && Live()) ReadColumnWidths();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ui::win32

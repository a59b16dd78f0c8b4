// Drives the real program from a second process, as a user would: finds its windows by their
// window class, clicks buttons by caption, reads what a control shows, and closes windows.
//   desktop_driver wait FORM [TIMEOUT_MS]        the form's window is shown
//   desktop_driver tray FORM [TIMEOUT_MS]        the form's window exists and is minimized (as
//                                                the program is while it sits in the tray)
//   desktop_driver click FORM CAPTION            BM_CLICK on the button with that caption
//   desktop_driver visible FORM CAPTION          a visible control shows that caption
//   desktop_driver hidden FORM CAPTION           no visible control shows that caption
//   desktop_driver tabs FORM COUNT               a visible tab control has COUNT tabs
//   desktop_driver hover FORM CAPTION            the mouse rests on the button with that caption
//   desktop_driver tip TEXT [TIMEOUT_MS]         a tooltip shows TEXT
//   desktop_driver text FORM TEXT [MIN_LENGTH]   a visible control's text holds TEXT (and at
//                                                least MIN_LENGTH characters)
//   desktop_driver choose FORM INDEX             selects entry INDEX (from 0) of the visible combo
//                                                box, as the user's choice
//   desktop_driver menukeys FORM RIGHTS [DOWNS]  opens the menu bar from the keyboard, moves
//                                                RIGHTS titles to the right and runs that
//                                                menu's first item (or the one DOWNS below it)
//   desktop_driver rows FORM COUNT               the visible list view has COUNT rows
//   desktop_driver selectall FORM                selects every row of the visible list view
//   desktop_driver close FORM                    WM_CLOSE to the form
//   desktop_driver resources FORM                prints the GDI and USER object counts and the
//                                                handle count of the process that owns the form
//   desktop_driver answer TITLE ID [TIMEOUT_MS]  presses button ID (IDOK 1, IDCANCEL 2, IDYES 6,
//                                                IDNO 7) of the message box with that title
//   desktop_driver closewindow TITLE [TIMEOUT_MS] WM_CLOSE to the top-level window with that
//                                                title, of any class (the help viewer)
//   desktop_driver press TITLE ID [TIMEOUT_MS]   the command ID to the top-level window with that
//                                                title, of any class (IDOK 1 is a wizard's Next)
// Exit code 0 on success, 1 when the check failed, 2 on bad arguments.
#include <windows.h>
#include <commctrl.h>
#include <winternl.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

// The GDI objects of a process as its own handle table lists them. The table's address is in the
// process's PEB (GdiSharedHandleTable); each entry is 24 bytes (object, owner, unique, type,
// flags, user pointer) and a used one has a type. Wine keeps this table as Windows does but
// answers GetGuiResources with 0, so the soak reads the table instead there.
long GdiTableCount(HANDLE process) {
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (query == nullptr ||
      query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return -1;
  }
  constexpr std::size_t kGdiTableInPeb = 0xF8;
  constexpr std::size_t kEntries = 0x10000;
  constexpr std::size_t kEntrySize = 24;
  constexpr std::size_t kTypeOffset = 14;
  std::uint64_t table = 0;
  if (!ReadProcessMemory(process,
                         reinterpret_cast<const char*>(basic.PebBaseAddress) + kGdiTableInPeb,
                         &table, sizeof table, nullptr) ||
      table == 0) {
    return -1;
  }
  std::vector<unsigned char> entries(kEntries * kEntrySize);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size(), &read)) {
    return -1;
  }
  long used = 0;
  for (std::size_t at = 0; at + kEntrySize <= read; at += kEntrySize) {
    if (entries[at + kTypeOffset] != 0) ++used;
  }
  return used;
}

// The windows of a process, top-level and child: the USER objects it is made of.
long WindowCount(DWORD processId) {
  struct Count {
    DWORD processId;
    long windows;
  } count{processId, 0};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* count = reinterpret_cast<Count*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != count->processId) return TRUE;
        ++count->windows;
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) -> BOOL {
              ++reinterpret_cast<Count*>(inner)->windows;
              return TRUE;
            },
            data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

// A process's handle count as the system's process list gives it.
long ListedHandleCount(DWORD processId) {
  using QuerySystem = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<unsigned char> buffer(1 << 20);
  ULONG needed = 0;
  while (query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
               &needed) != 0) {
    if (buffer.size() >= (64u << 20)) return -1;
    buffer.resize(buffer.size() * 2);
  }
  for (std::size_t at = 0;;) {
    const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
    if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) {
      return static_cast<long>(entry->HandleCount);
    }
    if (entry->NextEntryOffset == 0) return -1;
    at += entry->NextEntryOffset;
  }
}

HWND FindForm(const char* form) {
  std::string className = std::string("UiForm_") + form;
  return FindWindowA(className.c_str(), nullptr);
}

struct Search {
  std::string caption;
  std::string windowClass;  // empty: any class
  bool visibleOnly = true;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (search->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  char text[512] = {};
  char cls[128] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  GetClassNameA(hwnd, cls, sizeof cls);
  bool classMatches =
      search->windowClass.empty() || _stricmp(cls, search->windowClass.c_str()) == 0;
  bool captionMatches = search->caption.empty() || search->caption == text;
  if (classMatches && captionMatches) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindChild(HWND form, const std::string& caption, const std::string& windowClass) {
  Search search{caption, windowClass};
  EnumChildWindows(form, Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible, enabled top-level window with that title. Not FindWindow: a program may keep a
// hidden window of the same title, which FindWindow can return first.
struct TopLevelSearch {
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (search->title == text && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(const char* title) {
  TopLevelSearch search{title};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible control whose whole text contains a piece, and that text's length.
struct TextSearch {
  std::string piece;
  HWND found = nullptr;
  long length = 0;
};

BOOL CALLBACK VisitText(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TextSearch*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  if (text.find(search->piece) == std::string::npos) return TRUE;
  search->found = hwnd;
  search->length = static_cast<long>(copied);
  return FALSE;
}

// A visible tooltip window whose current text is this one.
bool FindShownTip(const std::string& text) {
  struct TipSearch {
    std::string text;
    bool found = false;
  } search{text};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TipSearch*>(param);
        char cls[64] = {};
        char shown[512] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (_stricmp(cls, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(hwnd)) return TRUE;
        SendMessageA(hwnd, WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
        if (s->text != shown) return TRUE;
        s->found = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Fail(const char* what, const char* detail) {
  std::fprintf(stderr, "desktop_driver: %s: %s\n", what, detail);
  return 1;
}

// A real click of the left button at the middle of a rectangle, through the input queue as a
// user's click comes; twice for a double click.
void ClickAt(const RECT& rect, int clicks) {
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  Sleep(100);
  // One call for every press and release, so that a double click arrives as one, however busy
  // the machine is.
  INPUT input[4] = {};
  const int count = clicks > 1 ? 4 : 2;
  for (int i = 0; i < count; ++i) {
    input[i].type = INPUT_MOUSE;
    input[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(count, input, sizeof(INPUT));
  Sleep(50);
}

// Where the newest icon of the notification area is: at the right end of the task bar. This
// Wine's task bar paints its icons itself, each a small icon's width plus a border either side,
// the newest rightmost.
std::optional<RECT> TrayIconRect() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (taskbar == nullptr || !IsWindowVisible(taskbar)) return std::nullopt;
  RECT bar{};
  GetWindowRect(taskbar, &bar);
  const int size = GetSystemMetrics(SM_CXSMICON) + 4;
  return RECT{bar.right - size, bar.top, bar.right, bar.bottom};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  const char* formName = argv[2];

  if (command == "wait" || command == "tray") {
    // Shown, or minimized (as the program is while it sits in the tray).
    const bool tray = command == "tray";
    int timeout = argc > 3 ? std::atoi(argv[3]) : 20000;
    for (int waited = 0; waited <= timeout; waited += 100) {
      HWND form = FindForm(formName);
      if (form != nullptr && (tray ? IsIconic(form) : IsWindowVisible(form))) return 0;
      Sleep(100);
    }
    return Fail(tray ? "no minimized window for" : "no visible window for", formName);
  }

  if (command == "answer") {
    if (argc < 4) return 2;
    const int id = std::atoi(argv[3]);
    const int timeout = argc > 4 ? std::atoi(argv[4]) : 20000;
    for (int waited = 0; waited <= timeout; waited += 100) {
      HWND box = FindWindowA("#32770", formName);
      if (box != nullptr && IsWindowVisible(box)) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
        return 0;
      }
      Sleep(100);
    }
    return Fail("no message box titled", formName);
  }

  if (command == "closewindow" || command == "press") {
    const bool press = command == "press";
    if (press && argc < 4) return 2;
    const int id = press ? std::atoi(argv[3]) : 0;
    const int timeoutArg = press ? 4 : 3;
    const int timeout = argc > timeoutArg ? std::atoi(argv[timeoutArg]) : 20000;
    for (int waited = 0; waited <= timeout; waited += 100) {
      HWND window = FindTopLevel(formName);
      if (window != nullptr) {
        if (press) {
          PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        } else {
          PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return 0;
      }
      Sleep(100);
    }
    return Fail("no window titled", formName);
  }

  if (command == "trayclick") {
    // trayclick - CLICKS: waits for the task bar, then clicks its newest icon.
    const int clicks = argc > 3 ? std::atoi(argv[3]) : 1;
    for (int waited = 0; waited <= 10000; waited += 100) {
      if (const std::optional<RECT> icon = TrayIconRect()) {
        ClickAt(*icon, clicks);
        return 0;
      }
      Sleep(100);
    }
    return Fail("no icon in the notification area", formName);
  }
  if (command == "tip") {
    const int timeout = argc > 3 ? std::atoi(argv[3]) : 10000;
    for (int waited = 0; waited <= timeout; waited += 100) {
      if (FindShownTip(formName)) return 0;
      Sleep(100);
    }
    return Fail("no tooltip shows", formName);
  }

  HWND form = FindForm(formName);
  if (form == nullptr) return Fail("no window for", formName);

  if (command == "close") {
    PostMessageA(form, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == "selectall") {
    HWND list = FindChild(form, "", WC_LISTVIEWA);
    if (list == nullptr) return Fail("no visible list view on", formName);
    // The item goes to the program's memory: a pointer into this process means nothing there.
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return Fail("cannot open the program's process", formName);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    void* remote = VirtualAllocEx(process, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
    const bool written =
        remote != nullptr && WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    if (written) {
      SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(remote));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return written ? 0 : Fail("cannot write into the program's process", formName);
  }
  if (command == "resources") {
    DWORD processId = 0;
    GetWindowThreadProcessId(form, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return Fail("cannot open the process of", formName);
    // The system's own counts where it keeps them; where it answers 0 (Wine's stubs), what the
    // process's GDI table, its windows and the process list show.
    long gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    if (gdi == 0) gdi = GdiTableCount(process);
    long user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    if (user == 0) user = WindowCount(processId);
    DWORD counted = 0;
    long handles = GetProcessHandleCount(process, &counted) ? static_cast<long>(counted) : 0;
    if (handles == 0) handles = ListedHandleCount(processId);
    std::printf("gdi %ld user %ld handles %ld\n", gdi, user, handles);
    CloseHandle(process);
    return 0;
  }
  if (command == "rect") {
    // The window's place and the work area's, for a script to compare: "l t r b  l t r b".
    RECT window{};
    RECT work{};
    GetWindowRect(form, &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", window.left, window.top, window.right,
                window.bottom, work.left, work.top, work.right, work.bottom);
    return 0;
  }
  if (argc < 4) return 2;
  const std::string argument = argv[3];

  if (command == "click") {
    HWND button = FindChild(form, argument, "Button");
    if (button == nullptr) return Fail("no visible button", argv[3]);
    SendMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "mouseclick") {
    HWND control = FindChild(form, argument, "");
    if (control == nullptr) return Fail("no visible control", argv[3]);
    // The press and release go to the control itself, where a user's click on it would arrive:
    // input sent through the queue to a window that is still settling after its slide was at
    // times not delivered.
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    return 0;
  }
  if (command == "hover") {
    HWND button = FindChild(form, argument, "Button");
    if (button == nullptr) return Fail("no visible button", argv[3]);
    RECT rect{};
    GetWindowRect(button, &rect);
    // Two moves: a tooltip starts counting at a move over its tool.
    SetCursorPos(rect.left + 4, rect.top + 4);
    Sleep(100);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
  }
  if (command == "visible") {
    return FindChild(form, argument, "") != nullptr ? 0 : Fail("not shown", argv[3]);
  }
  if (command == "hidden") {
    return FindChild(form, argument, "") == nullptr ? 0 : Fail("shown", argv[3]);
  }
  if (command == "tabs") {
    HWND tabs = FindChild(form, "", WC_TABCONTROLA);
    if (tabs == nullptr) return Fail("no visible tab control on", formName);
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    return count == std::atoi(argv[3]) ? 0 : Fail("tab count", std::to_string(count).c_str());
  }
  if (command == "choose") {
    HWND combo = FindChild(form, "", "ComboBox");
    if (combo == nullptr) return Fail("no visible combo box on", formName);
    const int index = std::atoi(argv[3]);
    if (SendMessageA(combo, CB_SETCURSEL, index, 0) != index) return Fail("no entry", argv[3]);
    // Setting the selection in code raises no notification; the user's choice does.
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return 0;
  }
  if (command == "menukeys") {
    // The menu loop runs in the program and reads its own queue, so posted keys steer it as
    // typed ones would.
    SetForegroundWindow(form);
    PostMessageA(form, WM_SYSCOMMAND, SC_KEYMENU, 0);
    Sleep(300);
    const auto key = [form](WPARAM virtualKey) {
      PostMessageA(form, WM_KEYDOWN, virtualKey, 0);
      PostMessageA(form, WM_KEYUP, virtualKey, 0xC0000000);
      Sleep(150);
    };
    for (int i = std::atoi(argv[3]); i > 0; --i) key(VK_RIGHT);
    key(VK_DOWN);
    for (int i = argc > 4 ? std::atoi(argv[4]) : 0; i > 0; --i) key(VK_DOWN);
    key(VK_RETURN);
    return 0;
  }
  if (command == "rows") {
    HWND list = FindChild(form, "", WC_LISTVIEWA);
    if (list == nullptr) return Fail("no visible list view on", formName);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    return count == std::atoi(argv[3]) ? 0 : Fail("row count", std::to_string(count).c_str());
  }
  if (command == "text") {
    // WM_GETTEXT is carried across processes; the text comes back whole.
    TextSearch search{argument};
    EnumChildWindows(form, VisitText, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return Fail("no visible control holds", argv[3]);
    if (argc > 4 && search.length < std::atol(argv[4])) {
      return Fail("the control holds only", std::to_string(search.length).c_str());
    }
    return 0;
  }
  return 2;
}

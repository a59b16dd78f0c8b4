#include "platform/win32/win32_desktop.h"

#include <utility>
#include <vector>

#include "platform/instance_name.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPixelAt96Dpi = 15;

int TwipsPerPixel(int axis) {
  const ScreenDc screen(GetDC(nullptr));
  const int dotsPerInch = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), axis) : 0;
  return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : kTwipsPerPixelAt96Dpi;
}

std::string UserName() {
  char name[257] = {};  // UNLEN + 1
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

Win32Desktop::Win32Desktop(std::string exeName) : exeName_(std::move(exeName)) {}

int Win32Desktop::MessageBox(const std::string& text, const std::string& title,
                             std::uint32_t style) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), style);
}

std::intptr_t Win32Desktop::ShellExecute(const std::string& verb, const std::string& file,
                                         const std::string& parameters,
                                         const std::string& directory, int show) {
  // An empty verb is the file type's default action. Some shell extensions need COM, which the
  // program initialises on its thread before it gets here.
  const HINSTANCE result = ShellExecuteA(nullptr, OrNull(verb), file.c_str(), OrNull(parameters),
                                         OrNull(directory), show);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Desktop::StartProgram(const std::string& commandLine, int show) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION started{};
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return false;
  }
  // The program runs on its own; nobody waits for it, so its handles close right away.
  const UniqueHandle thread(started.hThread);
  const UniqueHandle process(started.hProcess);
  return true;
}

int Win32Desktop::SystemMetric(int index) {
  return GetSystemMetrics(index);
}

Rect Win32Desktop::DesktopClientRect() {
  RECT rect{};
  GetClientRect(GetDesktopWindow(), &rect);
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

Rect Win32Desktop::TaskbarClientRect() {
  // GetClientRect leaves the rectangle empty when FindWindowA found nothing.
  RECT rect{};
  HWND taskbar = FindWindowA("shell_TrayWnd", "");
  if (taskbar != nullptr) GetClientRect(taskbar, &rect);
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

int Win32Desktop::TwipsPerPixelX() {
  return TwipsPerPixel(LOGPIXELSX);
}

int Win32Desktop::TwipsPerPixelY() {
  return TwipsPerPixel(LOGPIXELSY);
}

bool Win32Desktop::AnotherInstanceRunning() {
  if (anotherInstance_) return *anotherInstance_;
  const std::string name = InstanceMutexName(exeName_, UserName());
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  instanceMutex_.Reset(mutex);
  // Opening an existing name succeeds with ERROR_ALREADY_EXISTS. A name that another security
  // context created cannot be opened at all (access denied): that is another instance too.
  anotherInstance_ =
      instanceMutex_.IsValid() ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  return *anotherInstance_;
}

}  // namespace platform::win32

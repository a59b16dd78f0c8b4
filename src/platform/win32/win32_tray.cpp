#include "platform/win32/win32_tray.h"

#include <cstring>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

bool Win32Tray::NotifyIcon(std::uint32_t message, const platform::NotifyIcon& icon) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = reinterpret_cast<HWND>(icon.window);
  data.uID = icon.id;
  data.uFlags = icon.flags;
  data.uCallbackMessage = icon.callbackMessage;
  if (!icon.iconResource.empty()) {
    // Shared icons belong to the system's cache and need no clean-up.
    data.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), icon.iconResource.c_str(),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  }
  // The tip is cut to the record's field, keeping its terminating zero.
  std::strncpy(data.szTip, icon.tip.c_str(), sizeof data.szTip - 1);
  return Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace platform::win32

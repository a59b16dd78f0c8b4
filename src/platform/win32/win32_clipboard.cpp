#include "platform/win32/win32_clipboard.h"

#include <cstring>

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

// Holds the clipboard open and closes it once. Neither copyable nor movable.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(std::uintptr_t owner)
      : open_(OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE) {}
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool Win32Clipboard::Clear(std::uintptr_t owner) {
  const OpenClipboardScope clipboard(owner);
  return clipboard.IsOpen() && EmptyClipboard() != FALSE;
}

bool Win32Clipboard::SetText(const std::string& text, std::uintptr_t owner) {
  const OpenClipboardScope clipboard(owner);
  // Emptying makes the owner the clipboard's owner, which SetClipboardData needs.
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory == nullptr) return false;
  void* bytes = GlobalLock(memory);
  if (bytes == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  // Once set, the memory belongs to the system; until then it is still ours to free.
  if (SetClipboardData(CF_TEXT, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace platform::win32

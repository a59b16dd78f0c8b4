#include "platform/win32/win32_shell_folders.h"

#include <cstring>

#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace platform::win32 {
namespace {

// The text up to the first NUL of a MAX_PATH buffer the shell filled.
std::string BufferText(const char* buffer) {
  return std::string(buffer, strnlen(buffer, MAX_PATH));
}

}  // namespace

std::optional<std::string> Win32ShellFolders::SpecialFolderPath(int csidl) {
  char path[MAX_PATH] = {};
  // Never creates the folder: a missing folder is the answer, not something to fix here.
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return std::nullopt;
  return BufferText(path);
}

std::optional<std::string> Win32ShellFolders::SpecialFolderLocationPath(int csidl) {
  LPITEMIDLIST items = nullptr;
  if (SHGetSpecialFolderLocation(GetDesktopWindow(), csidl, &items) != S_OK || items == nullptr) {
    return std::nullopt;
  }
  char path[MAX_PATH] = {};
  // A virtual folder (the Recycle Bin) has a location but no path.
  const BOOL found = SHGetPathFromIDListA(items, path);
  CoTaskMemFree(items);
  if (!found) return std::nullopt;
  return BufferText(path);
}

}  // namespace platform::win32

#include "ui/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/menu.h"

namespace ui::win32 {

std::string DialogFilter(const std::string& filter) {
  std::string result = filter;
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  // One NUL ends the last string, the second ends the list; an empty filter is just the end.
  if (!result.empty()) result.push_back('\0');
  result.push_back('\0');
  return result;
}

bool ShowOpenFileDialog(HWND owner, FileDialog& dialog) {
  std::vector<char> path(32768, '\0');
  dialog.fileName.copy(path.data(), path.size() - 1);
  std::string filter = DialogFilter(dialog.filter);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = dialog.filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrInitialDir = dialog.initDir.empty() ? nullptr : dialog.initDir.c_str();
  request.lpstrTitle = dialog.dialogTitle.empty() ? nullptr : dialog.dialogTitle.c_str();
  // OFN_NOCHANGEDIR: the program's working folder must not follow the user's browsing.
  request.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&request)) return false;
  dialog.fileName = path.data();
  return true;
}

}  // namespace ui::win32

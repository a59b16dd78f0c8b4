#pragma once

#include <windows.h>

#include <string>

namespace ui {
class FileDialog;
}

namespace ui::win32 {

// The model's filter ("Text (*.txt)|*.txt|All (*.*)|*.*") as the common dialog wants it: pairs
// separated by NULs and the whole ended by two.
std::string DialogFilter(const std::string& filter);
// The file-open dialog over owner; on OK the dialog's fileName is the chosen path.
bool ShowOpenFileDialog(HWND owner, FileDialog& dialog);

}  // namespace ui::win32

#pragma once

#include "platform/machine.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_internet.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_restore.h"
#include "platform/win32/win32_shell_folders.h"
#include "platform/win32/win32_signatures.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_tray.h"

namespace platform::win32 {

// The real machine's services, owned in one place for the life of the program.
class Win32Machine {
 private:
  // Declared first: `machine` below refers to them.
  Win32Registry registry_;
  Win32System system_;
  Win32Clock clock_;
  Win32Desktop desktop_{system_.ExeName()};
  Win32Files files_;
  Win32ShellFolders shellFolders_;
  Win32CodePage codePage_;
  Win32Tray tray_;
  Win32Processes processes_;
  Win32Restore restore_;
  Win32Clipboard clipboard_;
  Win32Libraries libraries_;
  Win32Internet internet_;
  Win32Signatures signatures_;

 public:
  Win32Machine() = default;
  Win32Machine(const Win32Machine&) = delete;
  Win32Machine& operator=(const Win32Machine&) = delete;

  Machine machine{registry_, system_,    desktop_, clock_,     files_,     shellFolders_, codePage_,
                  tray_,     processes_, restore_, clipboard_, libraries_, internet_, signatures_};
};

}  // namespace platform::win32

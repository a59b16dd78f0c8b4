#pragma once

#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/libraries.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/restore.h"
#include "platform/shell_folders.h"
#include "platform/signatures.h"
#include "platform/system.h"
#include "platform/tray.h"

namespace platform {

// The services of one machine, real or simulated. The program's logic reaches Windows only
// through these; a Machine does not own them.
struct Machine {
  Registry& registry;
  System& system;
  Desktop& desktop;
  Clock& clock;
  Files& files;
  ShellFolders& shellFolders;
  AnsiCodePage& codePage;
  Tray& tray;
  Processes& processes;
  Restore& restore;
  Clipboard& clipboard;
  Libraries& libraries;
  Internet& internet;
  Signatures& signatures;
};

// The same machine seen through another file system, or another view of the shell's folders
// (a counting or remembering one wrapped around the machine's own).
inline Machine WithFiles(const Machine& m, Files& files) {
  return {m.registry,     m.system,    m.desktop,  m.clock,     files,
          m.shellFolders, m.codePage,  m.tray,     m.processes, m.restore,
          m.clipboard,    m.libraries, m.internet, m.signatures};
}
inline Machine WithShellFolders(const Machine& m, ShellFolders& shellFolders) {
  return {m.registry, m.system,    m.desktop, m.clock,     m.files,     shellFolders, m.codePage,
          m.tray,     m.processes, m.restore, m.clipboard, m.libraries, m.internet,   m.signatures};
}

}  // namespace platform

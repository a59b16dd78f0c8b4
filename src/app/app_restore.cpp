// The Restore window: the quarantine listed, put back and purged.
#include "app/app.h"
#include "removal/frm_restore.h"

namespace app {

removal::frmRestore& App::frmRestore() {
  if (!restore_) {
    restore_ = std::make_unique<removal::frmRestore>(
        host,
        removal::frmRestore::Services{
            machine, quarantine, protectedPaths, [this](const char* key) { return Message(key); },
            [this](const std::string& text, std::uint32_t style) { return Tell(text, style); },
            [this](const std::string& text) { AddExclusion(text); }});
  }
  return *restore_;
}

void App::ShowRestoreWindow() {
  removal::frmRestore& window = frmRestore();
  // The quarantine changes with every removal: a window loaded before shows it afresh.
  if (window.IsLoaded()) window.FillList();
  window.Show();
}

}  // namespace app

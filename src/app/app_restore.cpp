// The Restore window: the quarantine listed, put back and purged.
#include "app/app.h"
#include "removal/frm_restore.h"

namespace app {

void App::ShowRestoreWindow() {
  removal::frmRestore& window = windows.frmRestore();
  // The quarantine changes with every removal: a window loaded before shows it afresh.
  if (window.IsLoaded()) window.FillList();
  window.Show();
}

}  // namespace app

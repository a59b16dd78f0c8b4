// The shields' timers: the memory shield every ten seconds, the home-page shield every five.
#include "app/app.h"
#include "app/frm_main.h"
#include "protection/home_page_shield.h"
#include "protection/memory_shield.h"

namespace app {

void FrmMain::tmrMemoryInspected_Timer() {
  // A scan that the user started looks at the running programs itself (and stops what it
  // finds); the shield does not ask about them in the middle of it.
  if (!cmdScan.Enabled()) return;
  app_.memoryShield().Tick();
}

void FrmMain::CheckHomePage() {
  app_.homePageShield().CheckHomePage();
}

}  // namespace app

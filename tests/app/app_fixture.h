#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "app/frm_hidden.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "common/text_file.h"
#include "definitions/line_codec.h"
#include "golden.h"
#include "removal/frm_delete.h"
#include "platform/sim/sim_machine.h"
#include "ui/headless_host.h"

namespace app_test {

// The program's per-user settings key.
inline constexpr const char* kUserRoot =
    "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware";

// A fresh program on a fresh simulated machine, its clock in step with the host's virtual time.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    host.onTimeAdvanced = [this](std::int64_t ms) { sim.clock.Advance(ms); };
  }
  // Starts the program and lets the splash run until the main window is up.
  void StartProgram() {
    app.Start();
    host.Advance(200);
  }
  // The user has run the program before: English, and the first-run questions answered.
  void SkipFirstRun() {
    sim.registry.PutString(platform::kHkeyCurrentUser, std::string(kUserRoot) + "\\Settings",
                           "Language", "English");
    sim.registry.PutString(platform::kHkeyLocalMachine,
                           "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings",
                           "FirstTime", "Yes");
  }
  // On a first start the language chooser comes up modally; the user closes it, keeping English.
  void CloseLanguageChooser() {
    host.OnModal("frmLanguage", [](ui::Form& chooser) { chooser.Unload(); });
  }
  // The starter definitions in the data folder as the build stores them: notes left out, every
  // entry scrambled.
  void PlantStarterDefinitions() {
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      std::string stored;
      const std::string plain =
          test_support::ReadSourceFile("data/definitions/" + std::string(name) + ".txt");
      for (const std::string& line : common::SplitLines(plain)) {
        if (!line.empty() && line[0] != '#') stored += definitions::ScrambleText(line) + "\r\n";
      }
      sim.files.AddFile(std::string(platform::sim::kSimDataFolder) + "\\" + name + ".dat", stored);
    }
  }
  void TearDown() override {
    EXPECT_TRUE(host.Errors().empty()) << host.Errors().front();
    EXPECT_EQ(host.HeldLocks(), 0) << "a window left frozen";
  }

  platform::sim::SimMachine sim;
  ui::HeadlessHost host;
  app::App app{sim.machine, host};
};

}  // namespace app_test

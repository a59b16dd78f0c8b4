#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "scan/stage_harness.h"
#include "ui/dump.h"

namespace scan_test {

// A scan stage on a fresh simulated machine, with its definitions and exclusions written to the
// data folder and its lists read back as text.
template <class Harness>
class StageTest : public ::testing::Test {
 protected:
  void Definitions(const char* file, const std::vector<std::string>& lines) {
    ASSERT_TRUE(WriteDefinitionFile(sim.files, platform::sim::kSimDataFolder, file, lines));
  }
  // Replaces the exclusion file.
  void Exclude(const std::string& lines) {
    sim.files.AddFile(std::string(platform::sim::kSimDataFolder) + "\\ENoSignature.dat", lines);
  }
  std::string Found() const { return ui::DumpRows(stage.found); }
  std::string Details() const { return ui::DumpRows(stage.details); }

  platform::sim::SimMachine sim;
  Harness stage{sim.machine, platform::sim::kSimDataFolder};
};

}  // namespace scan_test

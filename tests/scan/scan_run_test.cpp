// A whole scan driven without the main window: the stages the options choose, in their order,
// reported through the observer, their findings in the results.
#include "scan/scan_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "removal/quarantine.h"
#include "removal/removal_run.h"
#include "removal/restore_point.h"
#include "stage_harness.h"
#include "ui/dump.h"

namespace {

using platform::sim::kSimDataFolder;

class ScanRunTest : public ::testing::Test {
 protected:
  ScanRunTest() {
    for (const char* name : {"FileDefinition.dat", "DirectoryDefinition.dat",
                             "RegistryDefinition.dat", "ExeDefinition.dat", "BlockedCookies.dat"}) {
      scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, name, {});
    }
    scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "FileDefinition.dat",
                                   {"bad.exe=Bad|C:\\Bad"});
    scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "RegistryDefinition.dat",
                                   {"1^Software\\Bad^=Bad Settings"});
    sim.files.AddFile("C:\\Bad\\bad.exe", "MZ");
    sim.registry.AddKey(platform::kHkeyCurrentUser, "Software\\Bad");
  }

  scan::ScanServices Services(bool userScan) {
    return {
        .machine = sim.machine,
        .results = harness.results,
        .exclusions = harness.exclusions,
        .protectedPaths = harness.protectedPaths,
        .dataFolder = data,
        .state = state,
        .message = [](const std::string& key) { return key; },
        .yield = [] {},
        .userScan = [userScan] { return userScan; },
        .progress = [](const std::string&, int, int) {},
        .lockMainWindow = {},
        .runningItems = nullptr,
        .askAboutProcess =
            [this](const std::string& file, const std::string& company, std::uint32_t pid) {
              asked.push_back(file + " | " + company + " | " + std::to_string(pid));
            },
    };
  }

  bool Run(scan::ScanOptions options) {
    scan::ScanObserver observer;
    observer.definitionsMissing = [this] { events.push_back("missing"); };
    observer.started = [this] { events.push_back("started"); };
    observer.stageBegan = [this](scan::Stage, const char* key, int) { events.push_back(key); };
    observer.stageSkipped = [this](scan::Stage stage) {
      events.push_back("skipped " + std::to_string(static_cast<int>(stage)));
    };
    observer.finished = [this] { events.push_back("finished"); };
    scan::ScanRun run(Services(true), options, observer);
    return run.Run();
  }

  platform::sim::SimMachine sim;
  std::string data = kSimDataFolder;
  scan_test::StageHarness harness{sim.machine, data};
  scan::ScanState state;
  std::vector<std::string> events;
  std::vector<std::string> asked;
};

TEST_F(ScanRunTest, RunsTheChosenStagesInOrderAndFillsTheResults) {
  ASSERT_TRUE(Run({.cookies = true, .memory = false, .registry = true}));
  EXPECT_EQ(events, (std::vector<std::string>{"started", "MSG_COOKIES", "skipped 1", "MSG_REGISTRY",
                                              "MSG_SPYWARE", "finished"}));
  EXPECT_EQ(ui::DumpRows(harness.found), "<2> Bad Settings - Found\n<3> Bad - Found\n");
  EXPECT_EQ(state.counters.threatsFound, 2);
  EXPECT_EQ(state.counters.registryEntriesInspected, 1);
  EXPECT_EQ(state.statusPrefix, "MSG_SPYWARE: ");

  events.clear();
  harness.results.Clear();
  state.counters = {};
  ASSERT_TRUE(Run({.cookies = false, .memory = false, .registry = false}));
  EXPECT_EQ(events, (std::vector<std::string>{"started", "skipped 1", "MSG_REGISTRY", "skipped 2",
                                              "MSG_SPYWARE", "finished"}));
  EXPECT_EQ(ui::DumpRows(harness.found), "<3> Bad - Found\n");
}

TEST_F(ScanRunTest, AMissingDefinitionFileStopsTheScanBeforeItBegins) {
  ASSERT_TRUE(sim.files.DeleteFile(data + "\\ExeDefinition.dat"));
  EXPECT_FALSE(Run({}));
  EXPECT_EQ(events, std::vector<std::string>{"missing"});
  EXPECT_EQ(harness.found.Count(), 0);
}

// The memory shield's run: the process stage alone, asking about what it meets, no window.
TEST_F(ScanRunTest, TheShieldsRunAsksAboutARunningThreatAndScansNothingElse) {
  scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "ExeDefinition.dat",
                                 {"bad.exe=Bad|C:\\Bad"});
  const std::uint32_t pid = sim.processes.Start("C:\\Bad\\bad.exe");
  scan::ScanRun run(Services(false), {}, {});
  run.RunProcessStage();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "BAD.EXE | MSG_NOCOMPANY BAD.EXE | " + std::to_string(pid));
  EXPECT_TRUE(sim.processes.IsRunning(pid)) << "the question decides, not the run";
  EXPECT_EQ(state.counters.registryEntriesInspected, 0);
  EXPECT_EQ(harness.files.Count(), 0) << "no other stage ran";
}

// A scheduled scan that removes what it finds: the scan, every threat ticked, the removal of
// the ticked traces and the results emptied, with no window loaded.
TEST_F(ScanRunTest, AnAutomaticRemovalTakesWhatTheScanFoundWithoutAWindow) {
  sim.files.AddFile("C:\\Keep\\bad.exe", "MZ");
  ASSERT_TRUE(Run({.registry = true}));
  ASSERT_FALSE(harness.form.IsLoaded());
  for (std::size_t threat = 0; threat < harness.results.findings().Threats().size(); ++threat) {
    harness.details.SetChecked(static_cast<int>(threat), true);
    harness.results.TickThreat(static_cast<int>(threat), true);
  }
  const std::vector<removal::WorkItem> items = harness.results.TickedWorkItems();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "C:\\Bad\\bad.exe");
  EXPECT_EQ(items[1].kind, removal::WorkKind::Registry);

  removal::Quarantine quarantine{sim.machine, data};
  removal::RestorePoint restorePoint{sim.machine};
  removal::RemovalRun run(sim.machine, quarantine, restorePoint, harness.protectedPaths,
                          {"Product", 0, true, static_cast<int>(items.size())}, {});
  EXPECT_TRUE(run.Run(items).empty());
  harness.results.RemoveChecked();

  EXPECT_FALSE(sim.files.Exists("C:\\Bad\\bad.exe"));
  EXPECT_TRUE(sim.files.Exists("C:\\Keep\\bad.exe")) << "only what the definitions name";
  EXPECT_FALSE(sim.registry.KeyExists(platform::kHkeyCurrentUser, "Software\\Bad"));
  EXPECT_EQ(harness.results.findings().Threats().size(), 0u);
  EXPECT_EQ(harness.files.Count() + harness.registry.Count(), 0);
}

}  // namespace

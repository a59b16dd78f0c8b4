// A removal driven without any window: the items in, the machine and the failures out.
#include "removal/removal_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "removal/quarantine.h"
#include "removal/restore_point.h"

namespace removal {
namespace {

using platform::kHkeyCurrentUser;

WorkItem File(const std::string& path, const std::string& threat, int row) {
  return {WorkKind::File, row, 3, path, "", "", threat};
}

// A simulated machine with its quarantine, restore points and protected places.
class RemovalRunTest : public ::testing::Test {
 protected:
  platform::sim::SimMachine sim;
  const std::string data = platform::sim::kSimDataFolder;
  Quarantine quarantine{sim.machine, data};
  RestorePoint restorePoint{sim.machine};
  definitions::ProtectedPaths protectedPaths{sim.machine};
};

TEST_F(RemovalRunTest, RemovesBacksUpAndReturnsWhatStayedWithoutAWindow) {
  sim.files.AddFile("C:\\Bad\\bad.ini", "settings");
  sim.files.AddFile("C:\\Bad\\locked.ini", "held");
  sim.files.SetInUse("C:\\Bad\\locked.ini", true);
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Bad", "Mode", "on");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Bad", "Other", "kept");

  int passes = 0;
  std::vector<std::string> captions;
  int yields = 0;
  RemovalObserver observer;
  observer.passBegan = [&](int maximum) {
    ++passes;
    EXPECT_EQ(maximum, 7);
  };
  observer.itemBegan = [&](const WorkItem&, const std::string& caption) {
    captions.push_back(caption);
  };
  observer.yield = [&] { ++yields; };
  RemovalRun run(sim.machine, quarantine, restorePoint, protectedPaths, {"Product", 0, true, 7},
                 observer);
  const std::vector<WorkItem> items = {
      File("C:\\Bad\\bad.ini", "Bad", 1),
      File("C:\\Bad\\locked.ini", "Bad", 2),
      File("C:\\WINDOWS\\system32\\..", "Bad", 3),
      {WorkKind::Registry, 1, 1, "-2147483647", "Software\\Bad", "Mode", "Bad"}};
  const std::vector<Failure> failures = run.Run(items);

  EXPECT_FALSE(sim.files.Exists("C:\\Bad\\bad.ini"));
  EXPECT_EQ(sim.files.FileContent(quarantine.Folder() + "\\bad.ini"), "settings");
  std::string text;
  platform::RegKey key = 0;
  ASSERT_EQ(sim.registry.OpenKey(kHkeyCurrentUser, "Software\\Bad", platform::kKeyRead, &key), 0);
  EXPECT_FALSE(platform::ReadStringValue(sim.registry, key, "Mode", &text));
  EXPECT_TRUE(platform::ReadStringValue(sim.registry, key, "Other", &text));
  sim.registry.CloseKey(key);

  // The held file and the protected folder stayed, each listed once, by the retry pass.
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].shown, "C:\\Bad\\locked.ini");
  EXPECT_EQ(failures[1].shown, "C:\\WINDOWS");
  EXPECT_EQ(failures[1].item, &items[2]);
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(captions.size(), 8u) << "every item once per pass";
  EXPECT_GT(yields, 20000) << "the window is let run before the work starts";
  // The restore point brackets the work; the log has the first pass's records only.
  ASSERT_EQ(sim.restore.Calls().size(), 2u);
  EXPECT_EQ(sim.restore.Calls()[0].description.rfind("Product Restore Point ", 0), 0u);
  const std::string log = sim.files.FileContent(quarantine.LogPath()).value_or("");
  EXPECT_EQ(log.find("File: bad.ini"), log.rfind("File: bad.ini")) << log;
}

// An item written in another spelling is acted on, recorded and reported in the one Windows
// resolves, by both passes.
TEST_F(RemovalRunTest, BothPassesActAtTheResolvedSpelling) {
  sim.files.AddFile("C:\\Bad\\bad.dll", "MZ");
  sim.files.AddFile("C:\\Bad\\held.dll", "MZ");
  sim.files.SetInUse("C:\\Bad\\held.dll", true);
  RemovalRun run(sim.machine, quarantine, restorePoint, protectedPaths, {"Product", 0, true, 2},
                 {});
  const std::vector<WorkItem> items = {File("C:/Bad/./bad.dll", "Bad", 1),
                                       File("C:\\Bad\\..\\Bad\\held.dll", "Bad", 2)};
  const std::vector<Failure> failures = run.Run(items);

  EXPECT_FALSE(sim.files.Exists("C:\\Bad\\bad.dll"));
  const std::string log = sim.files.FileContent(quarantine.LogPath()).value_or("");
  EXPECT_NE(log.find("C:\\Bad\\bad.dll"), std::string::npos) << log;
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].shown, "C:\\Bad\\held.dll");
  EXPECT_TRUE(sim.files.Exists("C:\\Bad\\held.dll"));
}

}  // namespace
}  // namespace removal

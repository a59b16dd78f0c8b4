#include "removal/restore_point.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"

namespace removal {
namespace {

using platform::OsVersion;

class RestorePointTest : public ::testing::Test {
 protected:
  const std::vector<platform::sim::RestorePointCall>& Calls() const { return sim.restore.Calls(); }

  platform::sim::SimMachine sim;
  RestorePoint restorePoint{sim.machine};
};

struct VersionCase {
  OsVersion version;
  bool supported;
};

class RestorePointSupportTest : public RestorePointTest,
                                public ::testing::WithParamInterface<VersionCase> {};

TEST_P(RestorePointSupportTest, FollowsTheWindowsVersion) {
  sim.system.SetOsVersion(GetParam().version);
  EXPECT_EQ(restorePoint.IsRestorePointSupported(), GetParam().supported);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, RestorePointSupportTest,
    ::testing::Values(VersionCase{{platform::kPlatformWin32Windows, 4, 90}, true},   // Me
                      VersionCase{{platform::kPlatformWin32Windows, 4, 10}, false},  // 98
                      VersionCase{{platform::kPlatformWin32Nt, 5, 0}, false},        // 2000
                      VersionCase{{platform::kPlatformWin32Nt, 5, 1}, true},         // XP
                      VersionCase{{platform::kPlatformWin32Nt, 5, 2}, false},        // 2003
                      VersionCase{{platform::kPlatformWin32Nt, 6, 0}, true},         // Vista
                      VersionCase{{platform::kPlatformWin32Nt, 10, 0}, true},
                      VersionCase{{platform::kPlatformWin32Nt, 4, 0}, false},  // NT 4
                      VersionCase{{platform::kPlatformWin32s, 5, 1}, false}));

TEST_F(RestorePointTest, NoSupportWhenTheVersionCannotBeRead) {
  sim.system.SetGetVersionFails(true);
  EXPECT_FALSE(restorePoint.IsRestorePointSupported());
}

TEST_F(RestorePointTest, TheEndCallCarriesTheSequenceNumberTheBeginningReturned) {
  sim.restore.SetNextSequence(4711);
  EXPECT_TRUE(restorePoint.BeginRestorePoint("Quillmoor AntiSpyware Restore Point 3/16/2006",
                                             platform::kRestorePointRestore));
  EXPECT_EQ(restorePoint.RestorePointSequence(), 4711);
  EXPECT_TRUE(restorePoint.EndRestorePoint());
  EXPECT_EQ(restorePoint.RestorePointSequence(), 0);

  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].eventType, platform::kBeginSystemChange);
  EXPECT_EQ(Calls()[0].pointType, 6u);
  EXPECT_EQ(Calls()[0].sequence, 0);
  EXPECT_EQ(Calls()[0].description, "Quillmoor AntiSpyware Restore Point 3/16/2006");
  EXPECT_EQ(Calls()[1].eventType, platform::kEndSystemChange);
  EXPECT_EQ(Calls()[1].pointType, 0u);
  EXPECT_EQ(Calls()[1].sequence, 4711);
  EXPECT_EQ(Calls()[1].description, "");
  ASSERT_EQ(sim.restore.Points().size(), 1u);
  EXPECT_TRUE(sim.restore.Points()[0].ended);
}

TEST_F(RestorePointTest, ASecondBeginningWhileOneIsOpenRaises100001AndAsksNothing) {
  ASSERT_TRUE(restorePoint.BeginRestorePoint("first", platform::kRestorePointRestore));
  const std::int64_t open = restorePoint.RestorePointSequence();

  RestorePointError error;
  EXPECT_FALSE(restorePoint.BeginRestorePoint("second", platform::kRestorePointRestore, &error));
  EXPECT_EQ(error.number, 100001);
  EXPECT_EQ(error.description, "You must End the previous restore point first.");
  EXPECT_EQ(Calls().size(), 1u);
  EXPECT_EQ(restorePoint.RestorePointSequence(), open) << "the open one is still the one to end";

  EXPECT_TRUE(restorePoint.EndRestorePoint());
  RestorePointError none;
  EXPECT_TRUE(restorePoint.BeginRestorePoint("third", platform::kRestorePointRestore, &none));
  EXPECT_EQ(none.number, 0);
}

TEST_F(RestorePointTest, ARefusalLeavesNothingOpenAndTheEndIsRefusedHarmlessly) {
  sim.restore.SetEnabled(false);
  EXPECT_FALSE(restorePoint.BeginRestorePoint("off", platform::kRestorePointRestore));
  EXPECT_EQ(restorePoint.RestorePointSequence(), 0);
  EXPECT_FALSE(restorePoint.EndRestorePoint());
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[1].sequence, 0);

  // An end the system refuses still closes the point on the program's side.
  sim.restore.SetEnabled(true);
  ASSERT_TRUE(restorePoint.BeginRestorePoint("on", platform::kRestorePointRestore));
  sim.restore.SetEnabled(false);
  EXPECT_FALSE(restorePoint.EndRestorePoint());
  EXPECT_EQ(restorePoint.RestorePointSequence(), 0);
  sim.restore.SetEnabled(true);
  RestorePointError error;
  EXPECT_TRUE(restorePoint.BeginRestorePoint("again", platform::kRestorePointRestore, &error));
  EXPECT_EQ(error.number, 0);
}

TEST_F(RestorePointTest, ALongDescriptionIsCutTo64Characters) {
  const std::string first64 = "Quillmoor AntiSpyware Restore Point 3/16/2006 9:00:00 AM Brand X";
  ASSERT_EQ(first64.size(), 64u);
  ASSERT_TRUE(restorePoint.BeginRestorePoint(first64 + " Extra", platform::kRestorePointRestore));
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].description, first64);
}

}  // namespace
}  // namespace removal

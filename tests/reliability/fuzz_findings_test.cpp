// Inputs the fuzz targets (fuzz/) found faults with, kept so that the faults stay mended.
#include <gtest/gtest.h>

#include "common/dates.h"
#include "definitions/exclusions.h"
#include "platform/sim/sim_machine.h"

namespace {

using platform::sim::kSimDataFolder;

TEST(FuzzFindingsTest, AnExclusionAddedToAFileWithoutAFinalLineBreakIsALineOfItsOwn) {
  platform::sim::SimMachine sim;
  const std::string path = std::string(kSimDataFolder) + "\\ENoSignature.dat";
  sim.files.AddFile(path, "C:\\Program Files\\Tool\\tool.exe|other.dll");
  definitions::Exclusions exclusions(sim.files);
  exclusions.LoadExclusions(kSimDataFolder);

  ASSERT_TRUE(exclusions.AddExclusion(kSimDataFolder, "C:"));
  EXPECT_TRUE(exclusions.IsExcluded("C:"));
  EXPECT_TRUE(exclusions.IsExcluded("other.dll")) << "the last entry of the file keeps its name";
  EXPECT_EQ(*sim.files.ReadAll(path), "C:\\Program Files\\Tool\\tool.exe|other.dll\r\nC:\r\n");

  // A file that ends in a line break gains no empty line.
  ASSERT_TRUE(exclusions.AddExclusion(kSimDataFolder, "x.exe"));
  EXPECT_EQ(*sim.files.ReadAll(path),
            "C:\\Program Files\\Tool\\tool.exe|other.dll\r\nC:\r\nx.exe\r\n");
}

TEST(FuzzFindingsTest, ADateBeforeTheEpochWithATimeKeepsItsDay) {
  // Before 30 December 1899 the days count down while the time of day still counts up.
  for (const char* text : {"1/1/100 12:01", "12/29/1899 6:00:00 AM", "1/1/1800 11:59:59 PM"}) {
    const auto date = common::ParseDateEnUs(text);
    ASSERT_TRUE(date) << text;
    const auto again = common::ParseDateEnUs(common::FormatDateEnUs(*date));
    ASSERT_TRUE(again) << text;
    EXPECT_DOUBLE_EQ(*again, *date) << text << " came back as " << common::FormatDateEnUs(*date);
  }
  EXPECT_DOUBLE_EQ(*common::ParseDateEnUs("12/29/1899 6:00:00 AM"), -1.25);
  EXPECT_EQ(common::FormatDateEnUs(*common::ParseDateEnUs("1/1/100 12:01")), "1/1/100 12:01:00 PM");
  EXPECT_DOUBLE_EQ(*common::ParseDateDeDe("29.12.1899 06:00:00"), -1.25);
}

}  // namespace

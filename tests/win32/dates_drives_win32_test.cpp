// Locale dates and the drive list against the real calls: the same texts and drives the
// simulated machine gives its en-US user.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/dates.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"

namespace {

TEST(Win32DatesTest, GeneralDatesMatchTheSimulatedEnglishLocale) {
  platform::win32::Win32Clock clock;
  for (double date : {38792.375, 38792.0, 38792.999994, 0.5, 46000.7654321}) {
    EXPECT_EQ(clock.FormatDate(date), common::FormatDateEnUs(date)) << date;
  }
  EXPECT_EQ(clock.FormatDate(38792.375), "3/16/2006 9:00:00 AM");
  // What the program writes and what the definition server answers reads back the same way.
  for (const char* text : {"3/16/2006", "3/20/2006 4:15:00 PM", "3/16/2006 12:00:00 AM"}) {
    const auto read = clock.ParseDate(text);
    ASSERT_TRUE(read) << text;
    EXPECT_NEAR(*read, *common::ParseDateEnUs(text), 1e-9) << text;
  }
  EXPECT_EQ(clock.ParseDate("<html>"), std::nullopt);
}

TEST(Win32DrivesTest, TheSystemDriveIsAReadyFixedDrive) {
  platform::win32::Win32Files files;
  auto drives = files.Drives();
  auto c = std::find_if(drives.begin(), drives.end(),
                        [](const platform::DriveInfo& d) { return d.letter == "C"; });
  ASSERT_NE(c, drives.end());
  EXPECT_EQ(c->type, platform::kDriveFixed);
  EXPECT_TRUE(c->ready);
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end(),
                             [](const auto& a, const auto& b) { return a.letter < b.letter; }));
}

}  // namespace

#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

TEST(Win32SystemTest, ReportsAnNtFamilyVersion) {
  Win32System system;
  OsVersion version{kPlatformWin32s, 0, 0};
  ASSERT_TRUE(system.GetVersion(&version));
  EXPECT_EQ(version.platformId, kPlatformWin32Nt);
  EXPECT_GE(version.major, 5u);
}

// This program carries the product's version block, built from the same brand settings.
TEST(Win32SystemTest, ReadsTheBrandBackFromItsOwnVersionBlock) {
  Win32System system;
  const OwnVersionInfo info = system.GetOwnVersionInfo();
  EXPECT_EQ(info.productName, BRAND_PRODUCT);
  EXPECT_EQ(info.companyName, BRAND_COMPANY);
  EXPECT_EQ(info.comments, BRAND_WEBSITE);
  EXPECT_EQ(info.major, BRAND_VERSION_MAJOR);
  EXPECT_EQ(info.minor, BRAND_VERSION_MINOR);
}

TEST(Win32SystemTest, FolderAndNameSplitTheModulePath) {
  Win32System system;
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  EXPECT_EQ(system.ExeName(), "win32_tests");
  EXPECT_EQ(system.ProgramFolder() + "\\" + system.ExeName() + ".exe", path);
  EXPECT_NE(system.ProgramFolder().back(), '\\');
}

// Days from 1899-12-30 by the civil calendar, computed independently of the OLE functions.
double DateValue(const SYSTEMTIME& t) {
  const int y = t.wMonth <= 2 ? t.wYear - 1 : t.wYear;
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (t.wMonth + (t.wMonth > 2 ? -3 : 9)) + 2) / 5 + t.wDay - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const int daysSince1970 = era * 146097 + dayOfEra - 719468;
  const double seconds = t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
  return daysSince1970 + 25569 + seconds / 86400;
}

TEST(Win32ClockTest, NowIsTheLocalTimeAsADateValue) {
  Win32Clock clock;
  SYSTEMTIME before{};
  SYSTEMTIME after{};
  GetLocalTime(&before);
  const DWORD ticksBefore = GetTickCount();
  const double now = clock.Now();
  const std::uint32_t ticks = clock.TickCount();
  const DWORD ticksAfter = GetTickCount();
  GetLocalTime(&after);
  // A second of slack either way: the conversion may drop the milliseconds.
  EXPECT_GE(now, DateValue(before) - 1.0 / 86400);
  EXPECT_LE(now, DateValue(after) + 1.0 / 86400);
  EXPECT_GE(ticks, ticksBefore);
  EXPECT_LE(ticks, ticksAfter);
}

}  // namespace
}  // namespace platform::win32

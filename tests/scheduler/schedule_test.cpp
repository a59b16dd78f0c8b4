// When a scheduled scan is due, and how the schedule is stored and read back, without a window.
#include "scheduler/schedule.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_clock.h"

namespace scheduler {
namespace {

using platform::sim::SimClock;

// 16 March 2006, a Thursday, is day 38792.
constexpr double kThursday = 38792.0;

double At(double day, int hours, int minutes, double seconds) {
  return day + (hours * 3600 + minutes * 60 + seconds) / 86400;
}

TEST(ScheduleRulesTest, DueForTheWholeSecondOfTheDayOrDateOnly) {
  const Schedule daily{kDaily, 14 * 3600 + 30 * 60, std::nullopt};
  EXPECT_TRUE(IsDue(daily, At(kThursday, 14, 30, 0)));
  EXPECT_TRUE(IsDue(daily, At(kThursday, 14, 30, 0.999))) << "late in the second";
  EXPECT_FALSE(IsDue(daily, At(kThursday, 14, 29, 59.999)));
  EXPECT_FALSE(IsDue(daily, At(kThursday, 14, 30, 1)));
  EXPECT_FALSE(IsDue(daily, At(kThursday, 2, 30, 0))) << "the 24-hour clock";
  EXPECT_TRUE(IsDue(daily, At(kThursday + 1, 14, 30, 0)));

  Schedule once{kDateAndTime, 14 * 3600, static_cast<std::int64_t>(kThursday)};
  EXPECT_TRUE(IsDue(once, At(kThursday, 14, 0, 0)));
  EXPECT_FALSE(IsDue(once, At(kThursday + 1, 14, 0, 0)));
  once.date.reset();
  EXPECT_FALSE(IsDue(once, At(kThursday, 14, 0, 0)));
  for (int day : {kNever, 10, -1}) {
    EXPECT_FALSE(IsDue(Schedule{day, 14 * 3600, 38792}, At(kThursday, 14, 0, 0))) << day;
  }
  EXPECT_FALSE(IsDue(Schedule{kDaily, std::nullopt, std::nullopt}, kThursday));
}

TEST(ScheduleRulesTest, AWeekdayIsItsNumberCountedFromMonday) {
  // 13 March 2006 was a Monday.
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(WeekdayIndex(38789 + day), day);
    const Schedule schedule{day, 9 * 3600, std::nullopt};
    for (int other = 0; other < 7; ++other) {
      EXPECT_EQ(IsDue(schedule, At(38789 + other, 9, 0, 0)), other == day) << day << other;
    }
  }
  EXPECT_EQ(WeekdayIndex(0), 5) << "30 December 1899 was a Saturday";
  EXPECT_EQ(WeekdayIndex(-1), 4);
}

TEST(ScheduleRulesTest, OneStartPerDueSecond) {
  Scheduler scheduler;
  const Schedule schedule{kDaily, 14 * 3600 + 30 * 60, std::nullopt};
  EXPECT_FALSE(scheduler.StartDue(schedule, At(kThursday, 14, 29, 59)));
  EXPECT_TRUE(scheduler.StartDue(schedule, At(kThursday, 14, 30, 0)));
  EXPECT_FALSE(scheduler.StartDue(schedule, At(kThursday, 14, 30, 0.5)));
  EXPECT_TRUE(scheduler.StartDue(schedule, At(kThursday + 1, 14, 30, 0))) << "the next day";
}

TEST(ScheduleRulesTest, StoredTextsReadInEveryLocaleAndOldOnesInTheirOwn) {
  EXPECT_EQ(TimeText(At(kThursday, 14, 30, 0)), "14:30:00");
  EXPECT_EQ(TimeText(At(0, 9, 5, 7)), "09:05:07");
  EXPECT_EQ(DateText(At(kThursday, 23, 59, 59)), "2006-03-16");
  EXPECT_EQ(TimeText(std::nullopt), "Null");
  EXPECT_EQ(DateText(std::nullopt), "Null");
  SimClock clock;
  for (SimClock::Locale locale : {SimClock::Locale::EnUs, SimClock::Locale::DeDe}) {
    clock.SetLocale(locale);
    EXPECT_EQ(ReadTime("14:30:00", clock), 52200);
    EXPECT_EQ(ReadDate("2006-03-16", clock), 38792);
    for (const char* never : {"Null", "", "noon", "25:00:00", "2006-02-30"}) {
      EXPECT_EQ(ReadTime(never, clock), std::nullopt) << never;
      EXPECT_EQ(ReadDate(never, clock), std::nullopt) << never;
    }
  }
  // Earlier versions stored the pickers' whole values in the system's date format.
  EXPECT_EQ(ReadTime("16.03.2006 14:30:00", clock), 52200);
  EXPECT_EQ(ReadDate("16.03.2006", clock), 38792);
  clock.SetLocale(SimClock::Locale::EnUs);
  EXPECT_EQ(ReadTime("3/16/2006 2:30:00 PM", clock), 52200);
  EXPECT_EQ(ReadDate("3/16/2006 9:00:00 AM", clock), 38792);
  EXPECT_EQ(ReadDate("16.03.2006", clock), std::nullopt);
  EXPECT_EQ(ReadDay(" 3 "), 3);
  EXPECT_EQ(ReadDay("7x"), std::nullopt);
}

}  // namespace
}  // namespace scheduler

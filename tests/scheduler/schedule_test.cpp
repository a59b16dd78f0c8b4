// When a scheduled scan is due, and how the schedule is stored and read back, without a window.
#include "scheduler/schedule.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_clock.h"

namespace scheduler {
namespace {

using platform::sim::SimClock;

// 16 March 2006, a Thursday, is day 38792.
constexpr double kThursday = 38792.0;
constexpr double kSecond = 1.0 / 86400;

double At(double day, int hours, int minutes, int seconds) {
  return day + (hours * 3600 + minutes * 60 + seconds) * kSecond;
}

Schedule Daily(int hours, int minutes, int seconds) {
  return Schedule{kDaily, hours * 3600 + minutes * 60 + seconds, std::nullopt};
}

TEST(ScheduleRulesTest, DailyIsDueForTheWholeSecondAndOnlyThen) {
  const Schedule schedule = Daily(14, 30, 0);
  EXPECT_TRUE(IsDue(schedule, At(kThursday, 14, 30, 0)));
  EXPECT_TRUE(IsDue(schedule, At(kThursday, 14, 30, 0) + 0.999 / 86400)) << "late in the second";
  EXPECT_FALSE(IsDue(schedule, At(kThursday, 14, 30, 0) - 0.001 / 86400));
  EXPECT_FALSE(IsDue(schedule, At(kThursday, 14, 30, 1)));
  EXPECT_FALSE(IsDue(schedule, At(kThursday, 2, 30, 0))) << "the 24-hour clock";
  EXPECT_TRUE(IsDue(schedule, At(kThursday + 1, 14, 30, 0)));
  EXPECT_TRUE(IsDue(Daily(0, 0, 0), kThursday + 1));
  EXPECT_FALSE(IsDue(Daily(23, 59, 59), kThursday + 1));
}

TEST(ScheduleRulesTest, AWeekdayIsItsNumberCountedFromMonday) {
  // 13 March 2006 was a Monday; 19 March a Sunday.
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(WeekdayIndex(38789 + day), day);
    Schedule schedule{day, 9 * 3600, std::nullopt};
    for (int other = 0; other < 7; ++other) {
      EXPECT_EQ(IsDue(schedule, At(38789 + other, 9, 0, 0)), other == day) << day << other;
    }
  }
  EXPECT_EQ(WeekdayIndex(0), 5) << "30 December 1899 was a Saturday";
  EXPECT_EQ(WeekdayIndex(-1), 4);
  EXPECT_EQ(WeekdayIndex(-7), 5);
}

TEST(ScheduleRulesTest, DateAndTimeNeedsTheDayAndNeverAndNullsNeverMatch) {
  Schedule once{kDateAndTime, 14 * 3600, static_cast<std::int64_t>(kThursday)};
  EXPECT_TRUE(IsDue(once, At(kThursday, 14, 0, 0)));
  EXPECT_FALSE(IsDue(once, At(kThursday + 1, 14, 0, 0)));
  EXPECT_FALSE(IsDue(once, At(kThursday - 7, 14, 0, 0)));
  once.date.reset();
  EXPECT_FALSE(IsDue(once, At(kThursday, 14, 0, 0)));

  for (int day : {kNever, 10, -1, 1000}) {
    EXPECT_FALSE(IsDue(Schedule{day, 14 * 3600, static_cast<std::int64_t>(kThursday)},
                       At(kThursday, 14, 0, 0)))
        << day;
  }
  EXPECT_FALSE(IsDue(Schedule{kDaily, std::nullopt, std::nullopt}, kThursday));
}

TEST(ScheduleRulesTest, OneStartPerDueSecond) {
  Scheduler scheduler;
  const Schedule schedule = Daily(14, 30, 0);
  EXPECT_FALSE(scheduler.StartDue(schedule, At(kThursday, 14, 29, 59)));
  EXPECT_TRUE(scheduler.StartDue(schedule, At(kThursday, 14, 30, 0)));
  EXPECT_FALSE(scheduler.StartDue(schedule, At(kThursday, 14, 30, 0) + 0.5 * kSecond))
      << "a scan that ended within its second";
  EXPECT_FALSE(scheduler.StartDue(schedule, At(kThursday, 14, 30, 1)));
  EXPECT_TRUE(scheduler.StartDue(schedule, At(kThursday + 1, 14, 30, 0))) << "the next day";
}

TEST(ScheduleRulesTest, StoredTextsAreTheSameInEveryLocale) {
  EXPECT_EQ(TimeText(At(kThursday, 14, 30, 0)), "14:30:00");
  EXPECT_EQ(TimeText(At(0, 9, 5, 7)), "09:05:07");
  EXPECT_EQ(TimeText(std::nullopt), "Null");
  EXPECT_EQ(DateText(At(kThursday, 23, 59, 59)), "2006-03-16");
  EXPECT_EQ(DateText(std::nullopt), "Null");

  SimClock clock;
  for (SimClock::Locale locale : {SimClock::Locale::EnUs, SimClock::Locale::DeDe}) {
    clock.SetLocale(locale);
    EXPECT_EQ(ReadTime("14:30:00", clock), 14 * 3600 + 30 * 60);
    EXPECT_EQ(ReadDate("2006-03-16", clock), 38792);
    EXPECT_EQ(ReadTime("Null", clock), std::nullopt);
    EXPECT_EQ(ReadDate("Null", clock), std::nullopt);
    for (const char* bad : {"", "noon", "25:00:00", "2006-02-30"}) {
      EXPECT_EQ(ReadTime(bad, clock), std::nullopt) << bad;
      EXPECT_EQ(ReadDate(bad, clock), std::nullopt) << bad;
    }
  }
}

TEST(ScheduleRulesTest, OldLocaleTextsReadUnderTheirOwnLocale) {
  // Earlier versions stored the pickers' whole values in the system's format.
  SimClock clock;
  EXPECT_EQ(ReadTime("3/16/2006 2:30:00 PM", clock), 14 * 3600 + 30 * 60);
  EXPECT_EQ(ReadTime("2:30:00 PM", clock), 14 * 3600 + 30 * 60);
  EXPECT_EQ(ReadDate("3/16/2006 9:00:00 AM", clock), 38792);
  EXPECT_EQ(ReadTime("3/16/2006", clock), 0) << "midnight is written as the date alone";
  EXPECT_EQ(ReadDate("16.03.2006", clock), std::nullopt) << "a German date means nothing here";

  clock.SetLocale(SimClock::Locale::DeDe);
  EXPECT_EQ(ReadTime("16.03.2006 14:30:00", clock), 14 * 3600 + 30 * 60);
  EXPECT_EQ(ReadDate("16.03.2006", clock), 38792);
  EXPECT_EQ(ReadDate("3/16/2006", clock), std::nullopt);
}

TEST(ScheduleRulesTest, ReadScheduleAndThePickersValues) {
  SimClock clock;
  Schedule schedule = ReadSchedule("8", "14:30:00", "2006-03-16", clock);
  EXPECT_EQ(schedule.day, kDateAndTime);
  EXPECT_TRUE(IsDue(schedule, At(kThursday, 14, 30, 0)));
  EXPECT_EQ(ReadSchedule(" 3 ", "Null", "Null", clock).day, 3);
  for (const char* bad : {"", "Daily", "7x", "-"}) {
    EXPECT_FALSE(ReadDay(bad).has_value()) << bad;
  }
  EXPECT_EQ(ReadSchedule("seven", "14:30:00", "Null", clock).day, -1) << "never due";

  // The time on the given day; the date at its midnight.
  EXPECT_DOUBLE_EQ(*TimePickerValue("14:30:00", At(kThursday, 9, 0, 0), clock),
                   At(kThursday, 14, 30, 0));
  EXPECT_EQ(DatePickerValue("3/16/2006 9:00:00 AM", clock), kThursday);
  EXPECT_EQ(TimePickerValue("Null", kThursday, clock), std::nullopt);
}

}  // namespace
}  // namespace scheduler

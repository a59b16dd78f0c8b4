#include "common/dates.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(ParseDateEnUsTest, ReadsWhatTheLocaleWritesAndRefusesTheRest) {
  // 16 March 2006 is day 38792 of the date values.
  EXPECT_EQ(ParseDateEnUs("3/16/2006"), 38792.0);
  EXPECT_EQ(ParseDateEnUs("3/16/2006 12:00:00 AM"), 38792.0);
  EXPECT_DOUBLE_EQ(*ParseDateEnUs("3/20/2006 4:15:00 PM"), 38796 + 16.25 / 24);
  EXPECT_DOUBLE_EQ(*ParseDateEnUs("3/20/2006 4:15PM"), 38796 + 16.25 / 24);
  EXPECT_DOUBLE_EQ(*ParseDateEnUs("2006-03-20 16:15"), 38796 + 16.25 / 24);
  EXPECT_DOUBLE_EQ(*ParseDateEnUs("12:30:00 PM"), 0.5 + 0.5 / 24);
  EXPECT_EQ(ParseDateEnUs("3/16/06"), 38792.0);
  for (const char* bad : {"", "PM", "2/30/2006", "13/1/2006", "3/16/2006 13:00 PM",
                          "3/16/2006 4:61", "<html>", "3/16/2006 junk", "3/16"}) {
    EXPECT_EQ(ParseDateEnUs(bad), std::nullopt) << bad;
  }
  // What the formatter writes reads back.
  for (double date : {38792.0, 38796.677083333336, 40000.999988425923}) {
    EXPECT_NEAR(*ParseDateEnUs(FormatDateEnUs(date)), date, 1.0 / 86400);
  }
}

TEST(DatesDeDeTest, DayFirstTwentyFourHourAndBackAgain) {
  EXPECT_EQ(FormatDateDeDe(38792.375), "16.03.2006 09:00:00");
  EXPECT_EQ(FormatDateDeDe(38796 + 16.25 / 24), "20.03.2006 16:15:00");
  EXPECT_EQ(FormatDateDeDe(38792.0), "16.03.2006");
  EXPECT_EQ(FormatDateDeDe(0.5), "12:00:00");
  EXPECT_EQ(ParseDateDeDe("16.03.2006"), 38792.0);
  EXPECT_EQ(ParseDateDeDe("16.3.06"), 38792.0);
  EXPECT_DOUBLE_EQ(*ParseDateDeDe("20.03.2006 16:15"), 38796 + 16.25 / 24);
  EXPECT_DOUBLE_EQ(*ParseDateDeDe("14:30:00"), 14.5 / 24);
  // The other locale's texts are not German dates: 3/16 has no 16th month.
  for (const char* bad :
       {"", "3/16/2006", "2:30:00 PM", "30.02.2006", "16.03.2006 24:00", "16.03.2006 9:00 9:00"}) {
    EXPECT_EQ(ParseDateDeDe(bad), std::nullopt) << bad;
  }
  for (double date : {38792.0, 38796.677083333336, 40000.999988425923}) {
    EXPECT_NEAR(*ParseDateDeDe(FormatDateDeDe(date)), date, 1.0 / 86400);
  }
}

TEST(DateSerialTest, RealDaysOnlyAndTheirPartsBack) {
  EXPECT_EQ(DateSerial(2006, 3, 16), 38792.0);
  EXPECT_EQ(DateSerial(1899, 12, 30), 0.0);
  EXPECT_EQ(DateSerial(2008, 2, 29), 39507.0);
  EXPECT_EQ(DateSerial(2006, 2, 29), std::nullopt);
  EXPECT_EQ(DateSerial(2006, 13, 1), std::nullopt);
  EXPECT_EQ(DateSerial(99, 1, 1), std::nullopt);
  int year = 0, month = 0, day = 0;
  DateParts(38792.99, &year, &month, &day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20060316);
}

}  // namespace
}  // namespace common

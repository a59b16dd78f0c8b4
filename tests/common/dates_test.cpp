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

}  // namespace
}  // namespace common

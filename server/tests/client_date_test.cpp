#include <gtest/gtest.h>

#include "client_date.h"

namespace defserver {
namespace {

// The reading of a date text in the stored form, "earliest..latest".
std::string Readings(const std::string& text) {
  const std::optional<DateReading> reading = ParseClientDate(text);
  if (!reading) return "none";
  return FormatStored(reading->earliest) + ".." + FormatStored(reading->latest);
}

TEST(ClientDateTest, EveryLocalesGeneralDateIsRead) {
  const struct {
    const char* text;
    const char* readings;
  } cases[] = {
      // The client's own default and its midnight form.
      {"3/16/2006 12:00:00 AM", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"3/16/2006", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"3/20/2006 4:15:00 PM", "2006-03-20 16:15:00..2006-03-20 16:15:00"},
      {"  3/20/2006 12:05:09 pm ", "2006-03-20 12:05:09..2006-03-20 12:05:09"},
      {"3/20/2006 4:15:00PM", "2006-03-20 16:15:00..2006-03-20 16:15:00"},
      // Day first with dots, ISO, slashes, dashes, two-digit years.
      {"16.03.2006 16:15:00", "2006-03-16 16:15:00..2006-03-16 16:15:00"},
      {"16.3.2006", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"2006-03-16", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"2006-03-16 16:15:00", "2006-03-16 16:15:00..2006-03-16 16:15:00"},
      {"2006-03-16T16:15:00", "2006-03-16 16:15:00..2006-03-16 16:15:00"},
      {"2006/03/16", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"16/03/2006 16:15:00", "2006-03-16 16:15:00..2006-03-16 16:15:00"},
      {"16-03-2006", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"3/16/06", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"16.03.99", "1999-03-16 00:00:00..1999-03-16 00:00:00"},
      // Without seconds the client's date is somewhere in that minute.
      {"16.03.2006 16:15", "2006-03-16 16:15:00..2006-03-16 16:15:59"},
      {"16.03.2006 16.15.30", "2006-03-16 16:15:30..2006-03-16 16:15:30"},
      // Slashed day and month that could be either way round: month first unless padded.
      {"4/5/2006", "2006-04-05 00:00:00..2006-04-05 00:00:00"},
      {"05/04/2006 16:15:00", "2006-04-05 16:15:00..2006-04-05 16:15:00"},
      {"5/04/2006 4:15:00 PM", "2006-04-05 16:15:00..2006-04-05 16:15:00"},
      {"03/16/2006", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"5-4-2006", "2006-04-05 00:00:00..2006-04-05 00:00:00"},
      {"3-16-2006", "2006-03-16 00:00:00..2006-03-16 00:00:00"},
      {"2/29/2008", "2008-02-29 00:00:00..2008-02-29 00:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Readings(c.text), c.readings) << c.text;
}

TEST(ClientDateTest, TextsThatAreNoDateAreRefused) {
  for (const char* text : {"",
                           " ",
                           "yesterday",
                           "3/16",
                           "3/16/2006/1",
                           "3/16.2006",
                           "13/13/2006",
                           "2/29/2006",
                           "0/10/2006",
                           "3/16/206",
                           "3/16/20066",
                           "3/16/2006 25:00:00",
                           "3/16/2006 13:00:00 PM",
                           "3/16/2006 0:00:00 AM",
                           "3/16/2006 4:15:00 XM",
                           "3/16/2006 4:5:00",
                           "3/16/2006 4",
                           "3/16/2006 4:15:00 PM trailing",
                           "3/16/2006\t4:15:00",
                           "3/16/2006' OR '1'='1",
                           "16.03.1899",
                           "1/1/10000",
                           "99999999999/1/2006",
                           "2006-03-16T",
                           "3/16/2006T4:15:00",
                           "-3/16/2006",
                           "3/-16/2006"}) {
    EXPECT_FALSE(ParseClientDate(text)) << text;
  }
  EXPECT_FALSE(ParseClientDate(std::string(100, '1')));
}

TEST(ClientDateTest, TheDateAnswersAreInTheClientsForm) {
  EXPECT_EQ(FormatClientDate(*ParseStored("2006-03-16 00:00:00")), "3/16/2006 12:00:00 AM");
  EXPECT_EQ(FormatClientDate(*ParseStored("2006-03-20 16:15:09")), "3/20/2006 4:15:09 PM");
  EXPECT_EQ(FormatClientDate(*ParseStored("2010-12-31 12:00:00")), "12/31/2010 12:00:00 PM");
  // Stored dates read back to themselves across month, leap and year ends.
  for (const char* stored : {"1900-01-01 00:00:00", "2000-02-29 23:59:59", "2100-03-01 00:00:00",
                             "9999-12-31 23:59:59"}) {
    EXPECT_EQ(FormatStored(*ParseStored(stored)), stored);
  }
  EXPECT_FALSE(ParseStored("2006-02-30 00:00:00"));
  EXPECT_FALSE(ParseStored("2006-03-16 24:00:00"));
}

}  // namespace
}  // namespace defserver

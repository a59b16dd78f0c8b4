#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "client_date.h"
#include "difference.h"
#include "store.h"
#include "update_records.h"

namespace defserver::testing {

// A definition database in memory that a test publishes sets into, and the update a client
// with a given date would receive from it.
class Scenario : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    store_ = Store::Open(":memory:", true, &error);
    ASSERT_TRUE(store_) << error;
  }

  // Publishes the set at a date in the stored form ("2006-04-01 10:00:00"); a kind the set
  // does not name is published empty.
  void Publish(const std::string& date, DefinitionSet set) {
    for (Kind kind : kAllKinds) set[kind];
    Store::PublishCounts counts;
    std::string error;
    ASSERT_EQ(store_->Publish(*ParseStored(date), set, &counts, &error),
              Store::PublishOutcome::kPublished)
        << error;
  }

  std::vector<Record> RecordsSince(const std::string& clientDate) {
    const std::optional<DateReading> reading = ParseClientDate(clientDate);
    EXPECT_TRUE(reading) << clientDate;
    if (!reading) return {};
    std::vector<EntryHistory> rows;
    EXPECT_TRUE(store_->LoadHistory(reading->earliest, &rows));
    return ComputeDifference(rows, *reading);
  }

  // The records in one string, one per line: "ADD FILE a.exe=A" or "DEL EXE a.exe".
  std::string Dump(const std::string& clientDate) {
    std::string dump;
    for (const Record& record : RecordsSince(clientDate)) {
      dump += (record.operation == Operation::kAdd ? "ADD " : "DEL ") + record.typeWord + " " +
              record.text + "\n";
    }
    return dump;
  }

  std::string UpdateSince(const std::string& clientDate) {
    return EncodeUpdate(RecordsSince(clientDate));
  }

  std::unique_ptr<Store> store_;
};

}  // namespace defserver::testing

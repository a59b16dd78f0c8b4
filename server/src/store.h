#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "civil_time.h"
#include "definition_folder.h"
#include "difference.h"

struct sqlite3;

namespace defserver {

// The definition database: every entry with its kind, its plain text, the time it was added and
// the time it was removed (none while current); the publishes; and the names clients submitted.
// One connection, used by one thread at a time: the HTTP server's threads take turns.
class Store {
 public:
  // Opens the database at path, creating the file and its tables when `create` is set; null
  // with *error set when that fails.
  static std::unique_ptr<Store> Open(const std::string& path, bool create, std::string* error);
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // The date of the newest publish; *newest is left empty when nothing was published yet.
  // False when the database cannot be read.
  bool NewestPublish(std::optional<Seconds>* newest);

  // The rows of every entry that was current at `since` or later, for ComputeDifference.
  bool LoadHistory(Seconds since, std::vector<EntryHistory>* rows);

  // The current entries of one kind, in the order they were added.
  bool CurrentEntries(Kind kind, std::vector<std::string>* entries);

  enum class PublishOutcome { kPublished, kUnchanged, kNotLater, kFailed };
  struct PublishCounts {
    int added = 0;
    int removed = 0;
  };
  // Makes the kinds present in `set` hold exactly its entries: entries that are new are added
  // and current ones that are missing are removed, both at `date`. The date must be later than
  // the newest publish, because clients that already have that one only ask for what came
  // after it. A set with no differences records nothing and leaves the newest date alone: a
  // newer date with nothing behind it would make every client fetch an empty update and, having
  // merged nothing, keep asking.
  PublishOutcome Publish(Seconds date, const DefinitionSet& set, PublishCounts* counts,
                         std::string* error);

  // Records one submission of program names at `now`. *anyNew tells whether one of the names
  // had not been submitted before (names compare without regard to ASCII case).
  bool RecordSubmission(const std::vector<std::string>& names, Seconds now, bool* anyNew);

 private:
  explicit Store(sqlite3* db) : db_(db) {}
  bool Execute(const char* sql);
  PublishOutcome PublishLocked(Seconds date, const DefinitionSet& set, PublishCounts* counts,
                               std::string* error);

  sqlite3* db_;
  std::mutex mutex_;
};

}  // namespace defserver

#include "store.h"

#include <sqlite3.h>

#include <set>

namespace defserver {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS publishes (
  id INTEGER PRIMARY KEY,
  published_at TEXT NOT NULL UNIQUE,
  added INTEGER NOT NULL,
  removed INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS entries (
  id INTEGER PRIMARY KEY,
  kind TEXT NOT NULL CHECK (kind IN ('file', 'executable', 'registry', 'cookie', 'directory',
                                     'safety')),
  text TEXT NOT NULL,
  added_at TEXT NOT NULL,
  removed_at TEXT CHECK (removed_at IS NULL OR removed_at > added_at)
);
CREATE UNIQUE INDEX IF NOT EXISTS entries_current ON entries (kind, text)
  WHERE removed_at IS NULL;
CREATE INDEX IF NOT EXISTS entries_removed ON entries (removed_at);
CREATE TABLE IF NOT EXISTS submitted_names (
  name TEXT PRIMARY KEY COLLATE NOCASE,
  first_seen TEXT NOT NULL,
  last_seen TEXT NOT NULL,
  times INTEGER NOT NULL
);
)sql";

// A prepared statement, finalized when it goes.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) statement_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return statement_ != nullptr; }

  // Texts are 8-bit definition text, stored byte for byte.
  void Bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
  }
  void Bind(int index, sqlite3_int64 value) { sqlite3_bind_int64(statement_, index, value); }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE; }
  bool Run() { return Step() == SQLITE_DONE; }
  void Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }

  bool IsNull(int column) { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
  sqlite3_int64 Integer(int column) { return sqlite3_column_int64(statement_, column); }
  std::string Text(int column) {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
  }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace

std::unique_ptr<Store> Store::Open(const std::string& path, bool create, std::string* error) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    *error = path + ": " + (db ? sqlite3_errmsg(db) : "cannot be opened");
    sqlite3_close(db);
    return nullptr;
  }
  std::unique_ptr<Store> store(new Store(db));
  // Publishing runs as a separate process while the server reads: write-ahead logging lets the
  // readers go on, and the busy timeout makes either side wait for the other's short writes.
  sqlite3_busy_timeout(db, 5000);
  if (!store->Execute("PRAGMA journal_mode = WAL") || !store->Execute(kSchema)) {
    *error = path + ": " + sqlite3_errmsg(db);
    return nullptr;
  }
  return store;
}

Store::~Store() {
  sqlite3_close(db_);
}

bool Store::Execute(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Store::NewestPublish(std::optional<Seconds>* newest) {
  std::lock_guard lock(mutex_);
  Statement query(db_, "SELECT max(published_at) FROM publishes");
  if (query.Step() != SQLITE_ROW) return false;
  newest->reset();
  if (query.IsNull(0)) return true;
  *newest = ParseStored(query.Text(0));
  return newest->has_value();
}

bool Store::LoadHistory(Seconds since, std::vector<EntryHistory>* rows) {
  std::lock_guard lock(mutex_);
  rows->clear();
  Statement query(db_,
                  "SELECT kind, text, added_at, removed_at FROM entries "
                  "WHERE removed_at IS NULL OR removed_at > ?1 ORDER BY id");
  query.Bind(1, FormatStored(since));
  int step;
  while ((step = query.Step()) == SQLITE_ROW) {
    EntryHistory row;
    const std::optional<Kind> kind = KindFromName(query.Text(0));
    const std::optional<Seconds> added = ParseStored(query.Text(2));
    if (!kind || !added) return false;
    row.kind = *kind;
    row.text = query.Text(1);
    row.added = *added;
    if (!query.IsNull(3)) {
      row.removed = ParseStored(query.Text(3));
      if (!row.removed) return false;
    }
    rows->push_back(std::move(row));
  }
  return step == SQLITE_DONE;
}

bool Store::CurrentEntries(Kind kind, std::vector<std::string>* entries) {
  std::lock_guard lock(mutex_);
  entries->clear();
  Statement query(db_,
                  "SELECT text FROM entries WHERE kind = ?1 AND removed_at IS NULL ORDER BY id");
  query.Bind(1, KindName(kind));
  int step;
  while ((step = query.Step()) == SQLITE_ROW) entries->push_back(query.Text(0));
  return step == SQLITE_DONE;
}

Store::PublishOutcome Store::Publish(Seconds date, const DefinitionSet& set, PublishCounts* counts,
                                     std::string* error) {
  std::lock_guard lock(mutex_);
  *counts = PublishCounts();
  // Taking the write lock first keeps the newest date from changing under the check below.
  if (!Execute("BEGIN IMMEDIATE")) {
    *error = sqlite3_errmsg(db_);
    return PublishOutcome::kFailed;
  }
  const PublishOutcome outcome = PublishLocked(date, set, counts, error);
  if (outcome == PublishOutcome::kPublished) {
    if (Execute("COMMIT")) return outcome;
    *error = sqlite3_errmsg(db_);
  }
  Execute("ROLLBACK");
  if (outcome != PublishOutcome::kPublished) return outcome;
  *counts = PublishCounts();
  return PublishOutcome::kFailed;
}

Store::PublishOutcome Store::PublishLocked(Seconds date, const DefinitionSet& set,
                                           PublishCounts* counts, std::string* error) {
  const std::string stamp = FormatStored(date);
  Statement newest(db_, "SELECT count(*) FROM publishes WHERE published_at >= ?1");
  newest.Bind(1, stamp);
  if (newest.Step() != SQLITE_ROW) {
    *error = sqlite3_errmsg(db_);
    return PublishOutcome::kFailed;
  }
  if (newest.Integer(0) > 0) {
    *error = "the date " + stamp + " is not later than the newest publish";
    return PublishOutcome::kNotLater;
  }

  Statement current(db_, "SELECT id, text FROM entries WHERE kind = ?1 AND removed_at IS NULL");
  Statement remove(db_, "UPDATE entries SET removed_at = ?1 WHERE id = ?2");
  Statement add(db_, "INSERT INTO entries (kind, text, added_at) VALUES (?1, ?2, ?3)");
  if (!current.Ok() || !remove.Ok() || !add.Ok()) {
    *error = sqlite3_errmsg(db_);
    return PublishOutcome::kFailed;
  }
  for (const auto& [kind, entries] : set) {
    // Read first, change after: rows changed under a running query may be seen again or not.
    std::vector<std::pair<sqlite3_int64, std::string>> rows;
    current.Reset();
    current.Bind(1, KindName(kind));
    int step;
    while ((step = current.Step()) == SQLITE_ROW)
      rows.emplace_back(current.Integer(0), current.Text(1));
    if (step != SQLITE_DONE) {
      *error = sqlite3_errmsg(db_);
      return PublishOutcome::kFailed;
    }
    const std::set<std::string> wanted(entries.begin(), entries.end());
    std::set<std::string> present;
    for (auto& [id, text] : rows) {
      if (wanted.count(text) == 0) {
        remove.Reset();
        remove.Bind(1, stamp);
        remove.Bind(2, id);
        if (!remove.Run()) {
          *error = sqlite3_errmsg(db_);
          return PublishOutcome::kFailed;
        }
        ++counts->removed;
      }
      present.insert(std::move(text));
    }
    for (const std::string& entry : entries) {
      if (present.count(entry) != 0) continue;
      add.Reset();
      add.Bind(1, KindName(kind));
      add.Bind(2, entry);
      add.Bind(3, stamp);
      if (!add.Run()) {
        *error = sqlite3_errmsg(db_);
        return PublishOutcome::kFailed;
      }
      present.insert(entry);
      ++counts->added;
    }
  }
  if (counts->added == 0 && counts->removed == 0) return PublishOutcome::kUnchanged;

  Statement record(db_, "INSERT INTO publishes (published_at, added, removed) VALUES (?1, ?2, ?3)");
  record.Bind(1, stamp);
  record.Bind(2, counts->added);
  record.Bind(3, counts->removed);
  if (!record.Run()) {
    *error = sqlite3_errmsg(db_);
    return PublishOutcome::kFailed;
  }
  return PublishOutcome::kPublished;
}

bool Store::RecordSubmission(const std::vector<std::string>& names, Seconds now, bool* anyNew) {
  std::lock_guard lock(mutex_);
  *anyNew = false;
  if (!Execute("BEGIN IMMEDIATE")) return false;
  const std::string stamp = FormatStored(now);
  Statement insert(db_,
                   "INSERT INTO submitted_names (name, first_seen, last_seen, times) "
                   "VALUES (?1, ?2, ?2, 1) ON CONFLICT (name) DO NOTHING");
  Statement update(db_,
                   "UPDATE submitted_names SET last_seen = ?2, times = times + 1 WHERE name = ?1");
  bool ok = insert.Ok() && update.Ok();
  for (const std::string& name : names) {
    if (!ok) break;
    insert.Reset();
    insert.Bind(1, name);
    insert.Bind(2, stamp);
    ok = insert.Run();
    if (ok && sqlite3_changes(db_) > 0) {
      *anyNew = true;
      continue;
    }
    update.Reset();
    update.Bind(1, name);
    update.Bind(2, stamp);
    ok = ok && update.Run();
  }
  if (ok && Execute("COMMIT")) return true;
  Execute("ROLLBACK");
  *anyNew = false;
  return false;
}

}  // namespace defserver

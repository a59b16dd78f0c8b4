#include "difference.h"

#include <algorithm>
#include <map>
#include <utility>

#include "entry_rules.h"

namespace defserver {

namespace {

// Everything known about one entry text of one kind.
struct Entry {
  Kind kind = Kind::kFile;
  std::string text;
  std::vector<const EntryHistory*> rows;

  bool Current() const {
    return std::any_of(rows.begin(), rows.end(),
                       [](const EntryHistory* row) { return !row->removed; });
  }

  // Where the entry's current row is: its publish date, then its place among the rows.
  std::pair<Seconds, size_t> AddedAt(const EntryHistory* first) const {
    for (const EntryHistory* row : rows) {
      if (!row->removed) return {row->added, static_cast<size_t>(row - first)};
    }
    return {0, 0};
  }

  // Current from the reading's earliest moment to its latest.
  bool HeldThroughout(const DateReading& reading) const {
    return std::any_of(rows.begin(), rows.end(), [&](const EntryHistory* row) {
      return row->added <= reading.earliest && (!row->removed || *row->removed > reading.latest);
    });
  }

  // Current at some moment of the reading.
  bool HeldSometime(const DateReading& reading) const {
    return std::any_of(rows.begin(), rows.end(), [&](const EntryHistory* row) {
      return row->added <= reading.latest && (!row->removed || *row->removed > reading.earliest);
    });
  }
};

struct KeyState {
  bool current = false;         // a current entry has the key
  bool maybeHeld = false;       // the client may hold a line under the key
  const Entry* held = nullptr;  // one such entry, for the type word of a deletion
};

using KeyMap = std::map<std::pair<ClientFile, std::string>, KeyState>;

Kind KindOfFile(ClientFile file) {
  switch (file) {
    case ClientFile::kFileDefinition:
      return Kind::kFile;
    case ClientFile::kExeDefinition:
      return Kind::kExecutable;
    case ClientFile::kRegistry:
      return Kind::kRegistry;
    case ClientFile::kCookies:
      return Kind::kCookie;
    case ClientFile::kDirectory:
      return Kind::kDirectory;
    case ClientFile::kSafety:
      return Kind::kSafety;
  }
  return Kind::kFile;
}

bool NeedsDeletion(const KeyMap& keys, ClientFile file, const std::string& key) {
  const auto found = keys.find({file, key});
  return found != keys.end() && found->second.maybeHeld && !found->second.current;
}

size_t KindOrder(Kind kind) {
  return static_cast<size_t>(std::find(kAllKinds.begin(), kAllKinds.end(), kind) -
                             kAllKinds.begin());
}

}  // namespace

std::vector<Record> ComputeDifference(const std::vector<EntryHistory>& rows,
                                      const DateReading& reading) {
  std::map<std::pair<Kind, std::string>, Entry> entries;
  for (const EntryHistory& row : rows) {
    Entry& entry = entries[{row.kind, row.text}];
    entry.kind = row.kind;
    entry.text = row.text;
    entry.rows.push_back(&row);
  }

  struct Addition {
    std::pair<Seconds, size_t> added;
    const Entry* entry;
  };
  std::vector<Addition> additions;
  KeyMap keys;
  for (const auto& [identity, entry] : entries) {
    const bool current = entry.Current();
    const bool maybe = entry.HeldSometime(reading);
    if (current && !entry.HeldThroughout(reading)) {
      additions.push_back({entry.AddedAt(rows.data()), &entry});
    }
    for (ClientFile file : ClientFilesOf(entry.kind)) {
      for (const std::string& key : ClientKeys(entry.kind, entry.text)) {
        KeyState& state = keys[{file, key}];
        state.current = state.current || current;
        if (maybe && !state.held) state.held = &entry;
        state.maybeHeld = state.maybeHeld || maybe;
      }
    }
  }

  std::vector<Record> records;
  for (const auto& [place, state] : keys) {
    const auto& [file, key] = place;
    if (!NeedsDeletion(keys, file, key)) continue;
    if (file == ClientFile::kFileDefinition) {
      // No current entry of either kind has the key, so an executable deletion is safe, and it
      // also clears an executable line an earlier update had to leave behind.
      records.push_back(DeleteRecord(Kind::kExecutable, key, ""));
    } else if (file != ClientFile::kExeDefinition) {
      records.push_back(DeleteRecord(KindOfFile(file), key, state.held->text));
    }
  }

  std::sort(additions.begin(), additions.end(),
            [](const Addition& a, const Addition& b) { return a.added < b.added; });
  for (const Addition& addition : additions) {
    records.push_back(AddRecord(addition.entry->kind, addition.entry->text));
  }
  // The client sorts records into its files itself; a fixed order (deletions first, each in
  // the order it walks its files) makes the text the same for the same difference.
  std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
    return std::make_pair(a.operation == Operation::kAdd, KindOrder(a.kind)) <
           std::make_pair(b.operation == Operation::kAdd, KindOrder(b.kind));
  });
  return records;
}

}  // namespace defserver

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "civil_time.h"
#include "client_date.h"
#include "definition_kind.h"
#include "update_records.h"

namespace defserver {

// One stored row of an entry: when it was added and, unless it is still current, when it was
// removed again. An entry removed and added again has a row for each time it was current.
struct EntryHistory {
  Kind kind = Kind::kFile;
  std::string text;
  Seconds added = 0;
  std::optional<Seconds> removed;
};

// The records that bring a client whose definitions date is the reading to the newest published
// state (the rows not removed).
//
// A client at date t holds the entries current at t: added at or before t and not removed by t.
// An entry is sent as an addition unless the client holds it for certain (throughout the
// reading); so an entry added and removed again after the client's date is not sent, one that
// the client may have had within the reading is deleted, and an entry removed and added again
// is sent when the client's date falls into the gap.
//
// Deletions work by key (the client drops every line whose text before "=" matches, and does
// so after it has appended the additions of the same update), so a key is deleted only when
// the client may hold a line under it and no current entry has that key any more. When an entry
// is replaced by another of the same key, the new one is added and the old one stays with the
// client: one update cannot both drop a key and keep a line under it. A stale definition finds
// something no longer listed; a dropped one would miss a threat. For the same reason an
// executable is not deleted while a file entry of its name is current, because the client
// deletes executables from its file definitions as well; once no entry of the name is left,
// the deletion is sent as an executable one, which clears both files.
//
// `rows` must hold every row current at or after the reading's earliest moment; additions come
// in the order they were added and, within one publish, in the order of the rows.
std::vector<Record> ComputeDifference(const std::vector<EntryHistory>& rows,
                                      const DateReading& reading);

}  // namespace defserver

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "definition_kind.h"

namespace defserver {

// One record of the update text a client merges into its definition files.
enum class Operation { kAdd, kDelete };

struct Record {
  Operation operation = Operation::kAdd;
  Kind kind = Kind::kFile;
  // The word that tells the client which of its files the record is for.
  std::string typeWord;
  // For an addition the plain entry; for a deletion the client key whose lines go.
  std::string text;
  bool operator==(const Record&) const = default;
};

Record AddRecord(Kind kind, std::string_view entry);
// A deletion under the type word of the kind, or for safety entries of the given entry.
Record DeleteRecord(Kind kind, std::string_view key, std::string_view entry);

// The record as sent: the scrambled type word, "|", "ADD" or "DEL", "[DEF]", the entry, and
// "[BR]" after it. The client scrambles every plain "|" and "=" of an added file, folder,
// executable or protected entry itself and writes everything else as received, so the entry
// is scrambled except for those two characters; cookie and registry entries, and the keys of
// deletions, are written as received and so are sent scrambled whole.
std::string EncodeRecord(const Record& record);

// The whole update text: the records one after the other.
std::string EncodeUpdate(const std::vector<Record>& records);

}  // namespace defserver

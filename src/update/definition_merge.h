#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace update {

// An update text beyond this is no difference of definitions but a fault or an attack; it is
// refused whole rather than merged in part.
inline constexpr std::size_t kMaxUpdateTextBytes = 64u * 1024u * 1024u;

// One record of an update text: "<scrambled type>|<operation>[DEF]<entry>".
struct UpdateRecord {
  std::string type;  // decoded: "FILE", "EXE", "DLL", "REG", "COOK", "DIR", or a protected kind
  std::string operation;  // "ADD" or "DEL" (others are ignored)
  std::string entry;      // as sent: stored form, with "|" and "=" plain
};

// The records of an update text: pieces between "[BR]" (any case), each trimmed, empty ones
// skipped. nullopt when a piece is no record (no "[DEF]", or no "|" in its header): the text is
// then an error page or garbage, not a difference.
std::optional<std::vector<UpdateRecord>> ParseUpdateText(const std::string& text);

// How a merge shows itself: the progress window's status text, and letting window messages run.
struct MergeObserver {
  std::function<void(const std::string&)> showStatus;
  std::function<void()> letEventsRun;
};

struct MergeResult {
  // One for every ADD written to a file, plus one for every file DEL records were applied to.
  std::int32_t changes = 0;
  // Every file that had changes was put in place. When not, the definitions date must stay, so
  // that the next update brings what is missing.
  bool complete = false;
};

// Merges an update text into the six definition files of the data folder. Each file that
// changes is written whole to temp.dat beside it and put in place with one replace, so that a
// crash or a full disk leaves every file as it was or as it should become.
class DefinitionMerge {
 public:
  DefinitionMerge(platform::Files& files, std::string dataFolder, MergeObserver observer)
      : files_(files), dataFolder_(std::move(dataFolder)), observer_(std::move(observer)) {}

  // A text over kMaxUpdateTextBytes or not made of records changes nothing (0, not complete).
  MergeResult MergeDefinitionUpdate(const std::string& updateText);

 private:
  // The new content of one target file, from its old content and the records that belong to it.
  // `changes` gains what this file adds to the count.
  std::string MergeInto(int target, const std::string& oldContent,
                        const std::vector<UpdateRecord>& records, std::int32_t* changes,
                        bool* changed);
  void Status(const std::string& text);
  void LetEventsRun();

  platform::Files& files_;
  std::string dataFolder_;
  MergeObserver observer_;
};

}  // namespace update

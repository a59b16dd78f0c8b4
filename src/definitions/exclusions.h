#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/files.h"

namespace definitions {

// What the user told the program to leave alone, one entry per line, in the data folder. The
// user may edit it by hand.
inline constexpr const char* kExclusionFile = "ENoSignature.dat";
// Follows every entry of `ExclusionList`; an entry cannot hold one.
inline constexpr char kExclusionSeparator = '|';

// The exclusion list: `ExclusionList`, every non-blank line of ENoSignature.dat as read, each
// followed by "|", and beside it the same list in lower case with a hash set of its entries, so
// that a scan with tens of thousands of findings and exclusions tests each finding in constant
// time.
class Exclusions {
 public:
  explicit Exclusions(platform::Files& files);
  // Not copied or moved: the index points into the list.
  Exclusions(const Exclusions&) = delete;
  Exclusions& operator=(const Exclusions&) = delete;

  // Rebuilds the list from ENoSignature.dat in the data folder: empty when the file is missing,
  // else every line that is not blank after trimming, kept as read. Yields after every line.
  // A file that is there but cannot be read leaves the list as it was.
  void LoadExclusions(const std::string& dataFolder, const std::function<void()>& yield = {});

  // Appends the trimmed text as one line (CR LF) to ENoSignature.dat, creating the file when
  // missing, then reloads the whole file, so that lines edited by hand since the last load count
  // too. A text holding "|" becomes two entries, as it will on every later load. False, with the
  // list as it was, when the file could not be written.
  bool AddExclusion(const std::string& dataFolder, const std::string& text,
                    const std::function<void()>& yield = {});

  // Some entry equals the text, as given or trimmed, letter case ignored.
  bool IsExcluded(std::string_view text) const;
  // IsExcluded, or some entry contains the text (letter case ignored): the folder of an excluded
  // file is excluded from the folder scan too. A text that is blank after trimming is contained
  // in nearly every entry but names nothing; it is not excluded.
  bool IsExcludedPartial(std::string_view text) const;

  // The in-memory form: each entry followed by "|".
  const std::string& ExclusionList() const { return exclusionList_; }
  bool IsEmpty() const { return exclusionList_.empty(); }

 private:
  void Rebuild(std::string list);

  platform::Files& files_;
  std::string exclusionList_;
  // `ExclusionList` in lower case.
  std::string lowerList_;
  // The distinct entries of lowerList_, split at "|"; pieces that are blank after trimming
  // (from a "|" at either end of a line, or two together) are left out.
  std::unordered_set<std::string_view> index_;
};

}  // namespace definitions

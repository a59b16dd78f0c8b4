#include "definitions/exclusions.h"

#include <utility>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_files.h"

namespace definitions {
namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

Exclusions::Exclusions(platform::Files& files) : files_(files) {}

void Exclusions::LoadExclusions(const std::string& dataFolder, const std::function<void()>& yield) {
  const std::string path = DataFilePath(dataFolder, kExclusionFile);
  if (!common::FileExists(files_, path)) {
    Rebuild({});
    return;
  }
  common::LineReader reader(files_, path);
  if (!reader.IsOpen()) return;
  // Built aside and put in place at the end: a check made while the load yields sees the whole
  // previous list rather than part of the new one.
  std::string list;
  std::string line;
  while (reader.ReadLine(&line)) {
    if (!IsBlank(line)) {
      list += line;
      list += kExclusionSeparator;
    }
    if (yield) yield();
  }
  Rebuild(std::move(list));
}

void Exclusions::Rebuild(std::string list) {
  index_.clear();
  exclusionList_ = std::move(list);
  lowerList_ = common::LowerCase(exclusionList_);
  // A line may hold "|" (typed by hand, or added from a finding that held one); the list then
  // reads it as several entries, and so must the index.
  const std::string_view all = lowerList_;
  std::size_t from = 0;
  for (std::size_t bar = all.find(kExclusionSeparator); bar != std::string_view::npos;
       bar = all.find(kExclusionSeparator, from)) {
    const std::string_view entry = all.substr(from, bar - from);
    if (!IsBlank(entry)) index_.insert(entry);
    from = bar + 1;
  }
}

bool Exclusions::AddExclusion(const std::string& dataFolder, const std::string& text,
                              const std::function<void()>& yield) {
  const std::string path = DataFilePath(dataFolder, kExclusionFile);
  // A file edited by hand may end without a line break; the new entry would then be glued to
  // its last line, and both that entry and the new one would be lost.
  std::string line = common::Trim(text) + "\r\n";
  if (const auto size = files_.FileSize(path); size && *size > 0) {
    const auto last = files_.ReadAt(path, *size - 1, 1);
    if (last && *last != "\n") line.insert(0, "\r\n");
  }
  if (!files_.Append(path, line)) return false;
  LoadExclusions(dataFolder, yield);
  return true;
}

bool Exclusions::IsExcluded(std::string_view text) const {
  if (index_.empty()) return false;
  const std::string lower = common::LowerCase(text);
  if (index_.contains(lower)) return true;
  if (lower.empty() || (lower.front() != ' ' && lower.back() != ' ')) return false;
  return index_.contains(common::Trim(lower));
}

bool Exclusions::IsExcludedPartial(std::string_view text) const {
  if (IsExcluded(text)) return true;
  // No entry holds a "|", so a text without one that occurs anywhere in the whole list lies
  // inside a single entry: one search through one string instead of one per entry.
  if (IsBlank(text) || text.find(kExclusionSeparator) != std::string_view::npos) return false;
  return lowerList_.find(common::LowerCase(text)) != std::string::npos;
}

}  // namespace definitions

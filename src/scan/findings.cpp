#include "scan/findings.h"

#include <algorithm>
#include <utility>

#include "common/text.h"

namespace scan {
namespace {

constexpr const char* kFoundSuffix = " - Found";

FindingsList ListOf(TraceKind kind) {
  switch (kind) {
    case TraceKind::File:
      return FindingsList::Files;
    case TraceKind::Registry:
      return FindingsList::Registry;
    case TraceKind::Cookie:
      return FindingsList::Cookies;
  }
  return FindingsList::Files;
}

template <typename Entry>
void EraseTicked(std::vector<Entry>& entries) {
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [](const Entry& entry) { return entry.ticked; }),
                entries.end());
}

}  // namespace

void Findings::Clear() {
  found_.clear();
  threats_.clear();
  files_.clear();
  registry_.clear();
  cookies_.clear();
  foundIndex_.clear();
  countedTraces_ = 0;
  if (observer_.cleared) observer_.cleared();
}

void Findings::AddFound(std::string text, int icon) {
  foundIndex_.insert(common::LowerCase(text));
  found_.push_back({std::move(text), icon, false});
  if (observer_.added) observer_.added(FindingsList::Found, found_.size() - 1);
}

void Findings::AddThreat(Threat threat) {
  threats_.push_back(std::move(threat));
  if (observer_.added) observer_.added(FindingsList::Threats, threats_.size() - 1);
}

void Findings::AddTrace(Trace trace) {
  std::vector<Trace>& traces = TracesOf(trace.kind);
  const FindingsList list = ListOf(trace.kind);
  traces.push_back(std::move(trace));
  if (observer_.added) observer_.added(list, traces.size() - 1);
}

bool Findings::HasThreat(const std::string& name) const {
  const std::string key = common::LowerCase(name + kFoundSuffix);
  auto it = foundIndex_.lower_bound(key);
  return it != foundIndex_.end() && it->compare(0, key.size(), key) == 0;
}

const std::vector<Trace>& Findings::Traces(TraceKind kind) const {
  return const_cast<Findings*>(this)->TracesOf(kind);
}

std::vector<Trace>& Findings::TracesOf(TraceKind kind) {
  switch (kind) {
    case TraceKind::Registry:
      return registry_;
    case TraceKind::Cookie:
      return cookies_;
    case TraceKind::File:
      break;
  }
  return files_;
}

void Findings::SetTicked(FindingsList list, std::size_t index, bool ticked) {
  bool* flag = nullptr;
  switch (list) {
    case FindingsList::Found:
      if (index < found_.size()) flag = &found_[index].ticked;
      break;
    case FindingsList::Threats:
      if (index < threats_.size()) flag = &threats_[index].ticked;
      break;
    case FindingsList::Files:
    case FindingsList::Registry:
    case FindingsList::Cookies: {
      const TraceKind kind = list == FindingsList::Files      ? TraceKind::File
                             : list == FindingsList::Registry ? TraceKind::Registry
                                                              : TraceKind::Cookie;
      std::vector<Trace>& traces = TracesOf(kind);
      if (index < traces.size()) flag = &traces[index].ticked;
      break;
    }
  }
  if (flag == nullptr || *flag == ticked) return;
  *flag = ticked;
  if (observer_.ticked) observer_.ticked(list, index, ticked);
}

void Findings::Tick(TraceKind kind, const std::function<bool(const Trace&)>& matches, bool ticked) {
  std::vector<Trace>& traces = TracesOf(kind);
  for (std::size_t index = 0; index < traces.size(); ++index) {
    if (matches(traces[index])) SetTicked(ListOf(kind), index, ticked);
  }
}

void Findings::TickThreat(std::size_t index, bool ticked) {
  if (index >= threats_.size()) return;
  SetTicked(FindingsList::Threats, index, ticked);
  // Copies: ticking may not change them, but the vectors are walked while flags change.
  const std::string name = threats_[index].name;
  const std::string location = threats_[index].location;
  // The traces of the threat's own kind. Comparisons are exact.
  switch (threats_[index].icon) {
    case kIconCookie:
      Tick(
          TraceKind::Cookie, [&](const Trace& trace) { return trace.location == location; },
          ticked);
      break;
    case kIconRegistry:
      Tick(
          TraceKind::Registry, [&](const Trace& trace) { return trace.key == name; }, ticked);
      break;
    case kIconFolder:
      Tick(
          TraceKind::File, [&](const Trace& trace) { return trace.location == location; }, ticked);
      break;
    case kIconFile:
      break;
    default:
      return;
  }
  // A threat has one row, of the kind of its first trace, but its traces may be of every kind:
  // the registry entries and files of the same threat go with it, or deleting a threat found
  // first in the registry would leave its programs behind.
  if (name.empty()) return;
  Tick(
      TraceKind::Registry, [&](const Trace& trace) { return trace.threat == name; }, ticked);
  Tick(
      TraceKind::File,
      [&](const Trace& trace) { return trace.threat == name || trace.owner == name; }, ticked);
}

void Findings::RemoveTicked() {
  for (const FoundEntry& entry : found_) {
    if (!entry.ticked) continue;
    auto it = foundIndex_.find(common::LowerCase(entry.text));
    if (it != foundIndex_.end()) foundIndex_.erase(it);
  }
  EraseTicked(files_);
  EraseTicked(registry_);
  EraseTicked(cookies_);
  EraseTicked(found_);
  EraseTicked(threats_);
  if (observer_.purged) observer_.purged();
}

}  // namespace scan

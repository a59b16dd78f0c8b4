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
  index_ = TraceIndex{};
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
  IndexTrace(traces.back(), traces.size() - 1);
  if (observer_.added) observer_.added(list, traces.size() - 1);
}

void Findings::IndexTrace(const Trace& trace, std::size_t position) {
  switch (trace.kind) {
    case TraceKind::File:
      index_.fileByLocation[trace.location].push_back(position);
      index_.fileByThreat[trace.threat].push_back(position);
      if (trace.owner != trace.threat) index_.fileByThreat[trace.owner].push_back(position);
      break;
    case TraceKind::Registry:
      index_.registryByKey[trace.key].push_back(position);
      index_.registryByThreat[trace.threat].push_back(position);
      break;
    case TraceKind::Cookie:
      index_.cookieByLocation[trace.location].push_back(position);
      break;
  }
}

void Findings::RebuildTraceIndex() {
  index_ = TraceIndex{};
  for (const std::vector<Trace>* traces : {&files_, &registry_, &cookies_}) {
    for (std::size_t position = 0; position < traces->size(); ++position)
      IndexTrace((*traces)[position], position);
  }
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

void Findings::Tick(TraceKind kind, const std::vector<std::size_t>* positions, bool ticked) {
  if (positions == nullptr) return;
  for (std::size_t position : *positions) SetTicked(ListOf(kind), position, ticked);
}

namespace {

const std::vector<std::size_t>* Find(const std::unordered_map<std::string,
                                                              std::vector<std::size_t>>& index,
                                     const std::string& key) {
  auto it = index.find(key);
  return it == index.end() ? nullptr : &it->second;
}

}  // namespace

void Findings::TickThreat(std::size_t index, bool ticked) {
  if (index >= threats_.size()) return;
  SetTicked(FindingsList::Threats, index, ticked);
  // Copies: ticking may not change them, but the vectors are walked while flags change.
  const std::string name = threats_[index].name;
  const std::string location = threats_[index].location;
  // The traces of the threat's own kind. Comparisons are exact.
  switch (threats_[index].icon) {
    case kIconCookie:
      Tick(TraceKind::Cookie, Find(index_.cookieByLocation, location), ticked);
      break;
    case kIconRegistry:
      Tick(TraceKind::Registry, Find(index_.registryByKey, name), ticked);
      break;
    case kIconFolder:
      Tick(TraceKind::File, Find(index_.fileByLocation, location), ticked);
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
  Tick(TraceKind::Registry, Find(index_.registryByThreat, name), ticked);
  // Files by their threat column and folders by the threat that owns them.
  Tick(TraceKind::File, Find(index_.fileByThreat, name), ticked);
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
  RebuildTraceIndex();
  if (observer_.purged) observer_.purged();
}

}  // namespace scan

#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace scan {

// Small icons of the results lists.
inline constexpr int kIconCookie = 1;
inline constexpr int kIconRegistry = 2;
inline constexpr int kIconFile = 3;
inline constexpr int kIconFolder = 4;
inline constexpr int kIconExcluded = 5;

// A line of the found list: a threat's group row ("<name> - Found"), an excluded finding or a
// notice. The user may tick it.
struct FoundEntry {
  std::string text;
  int icon = 0;
  bool ticked = false;
};

// A threat as the results page lists it, once, with the location and type of its first trace.
struct Threat {
  std::string name;
  std::string location;
  std::string type;
  int icon = 0;
  bool ticked = false;
};

// Which work list holds a trace, and so which removal route takes it.
enum class TraceKind { File, Registry, Cookie };

// One thing a scan found and a removal takes away.
struct Trace {
  TraceKind kind = TraceKind::File;
  // Files and folders: the path. Registry: the hive as its signed number. Cookies: the path.
  std::string location;
  // Registry: the key below the hive and the value's name (empty for the whole key).
  std::string key;
  std::string value;
  // The threat column of the trace's row: a file's or registry entry's threat; empty for a
  // folder and a cookie.
  std::string threat;
  // The threat a folder belongs to, when its threat column is empty.
  std::string owner;
  // A cookie's second column.
  std::string detail;
  int icon = 0;
  bool ticked = false;
};

// The lists of findings, as the observers see them change.
enum class FindingsList { Found, Threats, Files, Registry, Cookies };

// What a scan found: the found list, the threats and their traces, each ticked or not. The
// stages append to it; ticking a threat reaches its traces; what is ticked goes when it is
// removed or excluded; totals are counted here. The results page's lists are views of it (see
// ScanResults), so what the program knows never depends on what a row happens to show.
class Findings {
 public:
  struct Observer {
    std::function<void(FindingsList list, std::size_t index)> added;
    std::function<void(FindingsList list, std::size_t index, bool ticked)> ticked;
    // The ticked entries of every list were taken out.
    std::function<void()> purged;
    std::function<void()> cleared;
  };
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

  void Clear();
  void AddFound(std::string text, int icon);
  void AddThreat(Threat threat);
  void AddTrace(Trace trace);

  // True when a found entry begins with name & " - Found", letter case ignored: the threat was
  // found before in this scan. O(log n) whatever the number of entries.
  bool HasThreat(const std::string& name) const;

  // A user's tick on a threat, copied to its traces: the traces of the kind of its first trace
  // (cookies and folders by location, registry entries by a key named like the threat), then
  // every registry entry and every file or folder of that threat, so that removing a threat
  // found first in the registry takes its programs and folders too. A threat with an unknown
  // icon ticks nothing else.
  void TickThreat(std::size_t index, bool ticked);
  // Sets a tick without reaching anything else (a view row ticked directly).
  void SetTicked(FindingsList list, std::size_t index, bool ticked);

  // Takes out the ticked traces, found entries and threats: what was removed or excluded.
  void RemoveTicked();

  const std::vector<FoundEntry>& Found() const { return found_; }
  const std::vector<Threat>& Threats() const { return threats_; }
  // The traces of one work list, in the order they were found.
  const std::vector<Trace>& Traces(TraceKind kind) const;
  // Every trace a scan counted (the traces total of the results page).
  std::size_t TraceCount() const { return countedTraces_; }
  void CountTrace() { ++countedTraces_; }

 private:
  std::vector<Trace>& TracesOf(TraceKind kind);
  // Ticks the traces of one kind at the given positions.
  void Tick(TraceKind kind, const std::vector<std::size_t>* positions, bool ticked);
  void IndexTrace(const Trace& trace, std::size_t position);
  void RebuildTraceIndex();

  // Where the traces are by what a threat's tick reaches, so that ticking every one of 20,000
  // threats does not walk every trace for each: positions in the kind's vector, ascending.
  using Positions = std::unordered_map<std::string, std::vector<std::size_t>>;
  struct TraceIndex {
    Positions fileByLocation, fileByThreat;  // by threat column and by owning threat
    Positions registryByKey, registryByThreat;
    Positions cookieByLocation;
  };
  TraceIndex index_;

  std::vector<FoundEntry> found_;
  std::vector<Threat> threats_;
  std::vector<Trace> files_, registry_, cookies_;
  std::multiset<std::string> foundIndex_;  // the found entries' texts in lower case
  std::size_t countedTraces_ = 0;
  Observer observer_;
};

}  // namespace scan

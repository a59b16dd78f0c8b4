#include "scan/results.h"

#include <algorithm>

#include "common/text.h"

namespace scan {

ScanResults::ScanResults(Lists lists) : lists_(lists) {
  Findings::Observer observer;
  observer.added = [this](FindingsList list, std::size_t index) { ShowAdded(list, index); };
  observer.ticked = [this](FindingsList list, std::size_t index, bool ticked) {
    ui::ListView& view = ListOf(list);
    if (static_cast<int>(index) < view.Count()) view.SetChecked(static_cast<int>(index), ticked);
  };
  observer.purged = [this] {
    for (ui::ListView* list :
         {&lists_.files, &lists_.registry, &lists_.cookies, &lists_.found, &lists_.details}) {
      if (purgeYield_ != nullptr) (*purgeYield_)();
      list->RemoveChecked();
    }
  };
  observer.cleared = [this] {
    for (ui::ListView* list : {&lists_.found, &lists_.details, &lists_.files, &lists_.registry,
                               &lists_.cookies, &lists_.notFound}) {
      list->Clear();
    }
  };
  findings_.SetObserver(std::move(observer));
  // A tick set on a row, by the user or by the program, reaches the model at once; when the
  // model set it, the model already holds it and SetTicked does nothing.
  const std::pair<ui::ListView*, FindingsList> views[] = {
      {&lists_.found, FindingsList::Found},
      {&lists_.details, FindingsList::Threats},
      {&lists_.files, FindingsList::Files},
      {&lists_.registry, FindingsList::Registry},
      {&lists_.cookies, FindingsList::Cookies}};
  for (const auto& [view, list] : views) {
    view->onRowChecked = [this, list = list](int index, bool ticked) {
      if (index >= 0) findings_.SetTicked(list, static_cast<std::size_t>(index), ticked);
    };
  }
}

ScanResults::~ScanResults() {
  for (ui::ListView* view :
       {&lists_.found, &lists_.details, &lists_.files, &lists_.registry, &lists_.cookies}) {
    view->onRowChecked = nullptr;
  }
}

ui::ListView& ScanResults::ListOf(FindingsList list) {
  switch (list) {
    case FindingsList::Found:
      return lists_.found;
    case FindingsList::Threats:
      return lists_.details;
    case FindingsList::Files:
      return lists_.files;
    case FindingsList::Registry:
      return lists_.registry;
    case FindingsList::Cookies:
      return lists_.cookies;
  }
  return lists_.found;
}

void ScanResults::ShowAdded(FindingsList list, std::size_t index) {
  ui::ListItem row;
  switch (list) {
    case FindingsList::Found: {
      const FoundEntry& entry = findings_.Found()[index];
      row.text = entry.text;
      row.smallIcon = entry.icon;
      break;
    }
    case FindingsList::Threats: {
      const Threat& threat = findings_.Threats()[index];
      row.text = threat.name;
      row.subItems = {threat.location, threat.type};
      row.smallIcon = threat.icon;
      break;
    }
    case FindingsList::Files: {
      const Trace& trace = findings_.Traces(TraceKind::File)[index];
      row.text = trace.location;
      row.subItems = {trace.threat};
      if (!trace.owner.empty() && trace.owner != trace.threat) row.subItems.push_back(trace.owner);
      row.smallIcon = trace.icon;
      break;
    }
    case FindingsList::Registry: {
      const Trace& trace = findings_.Traces(TraceKind::Registry)[index];
      row.text = trace.location;
      row.subItems = {trace.key, trace.value, trace.threat};
      row.smallIcon = trace.icon;
      break;
    }
    case FindingsList::Cookies: {
      const Trace& trace = findings_.Traces(TraceKind::Cookie)[index];
      row.text = trace.location;
      row.subItems = {trace.detail};
      row.smallIcon = trace.icon;
      break;
    }
  }
  ListOf(list).Add(std::move(row));
}

void ScanResults::Clear() {
  findings_.Clear();
}

void ScanResults::PullTicks() {
  auto pull = [this](FindingsList list, std::size_t size) {
    const ui::ListView& view = ListOf(list);
    const std::size_t shown = std::min(size, static_cast<std::size_t>(view.Count()));
    for (std::size_t index = 0; index < shown; ++index) {
      findings_.SetTicked(list, index, view.Item(static_cast<int>(index)).checked);
    }
  };
  pull(FindingsList::Found, findings_.Found().size());
  pull(FindingsList::Threats, findings_.Threats().size());
  pull(FindingsList::Files, findings_.Traces(TraceKind::File).size());
  pull(FindingsList::Registry, findings_.Traces(TraceKind::Registry).size());
  pull(FindingsList::Cookies, findings_.Traces(TraceKind::Cookie).size());
}

bool ScanResults::KeepTrace(TraceKind kind, int row, const std::string& threat,
                            const std::string& location) {
  ui::ListView& list = kind == TraceKind::File       ? lists_.files
                       : kind == TraceKind::Registry ? lists_.registry
                                                     : lists_.cookies;
  if (row < 1 || row > list.Count()) return false;
  ui::ListView& details = lists_.details;
  for (int index = 0; index < details.Count(); ++index) {
    const ui::ListItem& candidate = details.Item(index);
    if (threat.empty() ? candidate.Column(1) == location : candidate.text == threat) {
      details.SetChecked(index, false);
      break;
    }
  }
  list.SetChecked(row - 1, false);
  return true;
}

std::vector<removal::WorkItem> ScanResults::TickedWorkItems() {
  PullTicks();
  std::vector<removal::WorkItem> items;
  auto add = [&](TraceKind traceKind, removal::WorkKind kind) {
    const std::vector<Trace>& traces = findings_.Traces(traceKind);
    const int rows = static_cast<int>(traces.size());
    for (int row = 0; row < rows; ++row) {
      const Trace& trace = traces[row];
      if (!trace.ticked) continue;
      items.push_back({kind, row + 1, rows, trace.location, trace.key, trace.value,
                       kind == removal::WorkKind::Cookie ? "" : trace.threat});
    }
  };
  add(TraceKind::File, removal::WorkKind::File);
  add(TraceKind::Registry, removal::WorkKind::Registry);
  add(TraceKind::Cookie, removal::WorkKind::Cookie);
  return items;
}

std::vector<std::string> ScanResults::TickedExclusionEntries() {
  PullTicks();
  std::vector<std::string> entries;
  for (const Threat& threat : findings_.Threats()) {
    if (!threat.ticked) continue;
    entries.push_back(threat.location);
    entries.push_back(common::ReplaceAll(threat.name, "Cookie: ", ""));
  }
  return entries;
}

void ScanResults::RemoveChecked(const std::function<void()>& yield) {
  PullTicks();
  if (yield) yield();
  // A purge inside another one's yield uses its own yield or none, and gives the outer one's
  // back when it ends.
  struct Yielding {
    const std::function<void()>*& slot;
    const std::function<void()>* outer;
    ~Yielding() { slot = outer; }
  } yielding{purgeYield_, purgeYield_};
  purgeYield_ = yield ? &yield : nullptr;
  findings_.RemoveTicked();
}

void ScanResults::TickThreat(int detailsRow, bool ticked) {
  if (detailsRow < 0) return;
  findings_.TickThreat(static_cast<std::size_t>(detailsRow), ticked);
}

void ScanResults::AddGroupRow(const std::string& name, int icon) {
  findings_.AddFound(name + " - Found", icon);
}

void ScanResults::AddDetailsRow(const std::string& name, const std::string& location,
                                const std::string& type, int icon) {
  findings_.AddThreat({name, location, type, icon, false});
}

void ScanResults::AddExcludedRow(const std::string& tested) {
  findings_.AddFound("EXCLUDED: " + tested, kIconExcluded);
}

void ScanResults::AddNotice(const std::string& text, int icon) {
  findings_.AddFound(text, icon);
}

void ScanResults::AddFileRow(const std::string& path, const std::string& threatName, int icon,
                             const std::string& owner) {
  Trace trace;
  trace.kind = TraceKind::File;
  trace.location = path;
  trace.threat = threatName;
  trace.owner = owner;
  trace.icon = icon;
  findings_.AddTrace(std::move(trace));
}

void ScanResults::AddRegistryRow(const std::string& mainKey, const std::string& keyValue,
                                 const std::string& value, const std::string& threatName) {
  Trace trace;
  trace.kind = TraceKind::Registry;
  trace.location = mainKey;
  trace.key = keyValue;
  trace.value = value;
  trace.threat = threatName;
  trace.icon = kIconRegistry;
  findings_.AddTrace(std::move(trace));
}

void ScanResults::AddCookieRow(const std::string& cookieName, const std::string& location) {
  Trace trace;
  trace.kind = TraceKind::Cookie;
  trace.location = cookieName;
  trace.detail = location;
  trace.icon = kIconCookie;
  findings_.AddTrace(std::move(trace));
}

void ScanResults::CountTrace() {
  findings_.CountTrace();
  lists_.tracesFound.SetCaption(std::to_string(findings_.TraceCount()));
}

}  // namespace scan

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "removal/removal_run.h"
#include "scan/findings.h"
#include "ui/basic_controls.h"
#include "ui/list_view.h"

namespace scan {

// The results page's lists as views of the findings: what the stages add goes into the model
// and appears as rows; a tick copied to a threat's traces shows on their rows; what is removed
// or excluded leaves the model and its rows together. Ticks the user (or a test) sets on the
// rows themselves reach the model as they are set (ListView::onRowChecked); PullTicks takes
// them all once more before a removal or an exclusion depends on them.
class ScanResults {
 public:
  struct Lists {
    ui::ListView& found;     // group rows, excluded rows and notices
    ui::ListView& details;   // one checkable row per threat
    ui::ListView& files;     // file and folder traces
    ui::ListView& registry;  // registry traces
    ui::ListView& cookies;   // cookie files
    ui::ListView& notFound;  // files the removal could not find
    ui::Label& tracesFound;  // the traces total
  };
  explicit ScanResults(Lists lists);
  ~ScanResults();
  ScanResults(const ScanResults&) = delete;
  ScanResults& operator=(const ScanResults&) = delete;

  Findings& findings() { return findings_; }

  // Empties the findings and every list (the traces label is left to the caller).
  void Clear();
  // Removes the ticked traces, found entries and threats: what was removed or excluded. With a
  // yield, the window answers between the steps (the ticks taken, the findings, each list):
  // 20,000 rows take the window's heap and list controls a tenth of a second in all. Between
  // the steps a list not yet purged still numbers its rows as before, so the caller keeps the
  // lists from the user's input until it returns.
  void RemoveChecked(const std::function<void()>& yield = nullptr);
  // Takes the ticks shown on the rows into the findings.
  void PullTicks();
  // A trace the removal could not take stays on the results page for the user to deal with:
  // its row and its threat's row are unticked. The threat is the details row of that name; a
  // folder or cookie, which have none, is the details row of its location. row counts from 1
  // as the removal's work items do; false when the list has no such row.
  bool KeepTrace(TraceKind kind, int row, const std::string& threat, const std::string& location);
  // The ticked traces as the removal takes them: files and folders, registry entries, cookies,
  // each with its place in its list.
  std::vector<removal::WorkItem> TickedWorkItems();
  // What excluding the ticked threats adds to the exclusion file: each one's location and its
  // name (a cookie's without its "Cookie: " prefix).
  std::vector<std::string> TickedExclusionEntries();
  // A threat's row was ticked or unticked: its traces follow (Findings::TickThreat).
  void TickThreat(int detailsRow, bool ticked);

  // True when the threat was found before in this scan (Findings::HasThreat).
  bool HasThreat(const std::string& name) const { return findings_.HasThreat(name); }
  // A threat's group row in the found list and its checkable details row.
  void AddGroupRow(const std::string& name, int icon);
  void AddDetailsRow(const std::string& name, const std::string& location, const std::string& type,
                     int icon);
  // A finding that the user excluded: "EXCLUDED: " & what was tested, with the excluded icon.
  void AddExcludedRow(const std::string& tested);
  // A notice in the found list (the cookie and process stages write some).
  void AddNotice(const std::string& text, int icon);
  // Work-list rows: one per trace. A file row's threat column is empty for a folder; the owner,
  // the threat a folder belongs to, is kept in a further column so that ticking the threat
  // reaches its folders too (left out when it adds nothing to the threat column).
  void AddFileRow(const std::string& path, const std::string& threatName, int icon,
                  const std::string& owner = "");
  void AddRegistryRow(const std::string& mainKey, const std::string& keyValue,
                      const std::string& value, const std::string& threatName);
  void AddCookieRow(const std::string& cookieName, const std::string& location);
  // One more trace: the traces total grows and the label shows it.
  void CountTrace();

 private:
  ui::ListView& ListOf(FindingsList list);
  void ShowAdded(FindingsList list, std::size_t index);

  Lists lists_;
  Findings findings_;
  // The yield of the RemoveChecked under way, for the views' purge between the lists.
  const std::function<void()>* purgeYield_ = nullptr;
};

}  // namespace scan

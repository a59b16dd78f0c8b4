#pragma once

#include <set>
#include <string>

#include "ui/basic_controls.h"
#include "ui/list_view.h"

namespace scan {

// Small icons of the results lists.
inline constexpr int kIconCookie = 1;
inline constexpr int kIconRegistry = 2;
inline constexpr int kIconFile = 3;
inline constexpr int kIconFolder = 4;
inline constexpr int kIconExcluded = 5;

// The lists a scan fills, in front of the main window's list views: what the stages add and
// how a threat is looked up. The look-up keeps an index of the found list's row texts that
// follows every change of that list, so it costs the same with ten rows or a hundred thousand.
class ScanResults {
 public:
  struct Lists {
    ui::ListView& found;     // group rows, excluded rows and notices
    ui::ListView& details;   // one checkable row per threat
    ui::ListView& files;     // file and folder traces
    ui::ListView& registry;  // registry traces
    ui::ListView& cookies;   // cookie files
    ui::ListView& notFound;  // files the removal could not find
    ui::Label& tracesFound;  // the number of traces, kept as the label's caption
  };
  explicit ScanResults(Lists lists);
  ~ScanResults();
  ScanResults(const ScanResults&) = delete;
  ScanResults& operator=(const ScanResults&) = delete;

  // Empties every list (the traces label is left to the caller).
  void Clear();
  // Removes the ticked rows of the work lists, the found list and the details list: the traces
  // that were removed or excluded, and their threats.
  void RemoveChecked();

  // True when the found list has a row whose text begins with name & " - Found", letter case
  // ignored: the threat was found before in this scan.
  bool HasThreat(const std::string& name) const;
  // A threat's group row in the found list and its checkable details row.
  void AddGroupRow(const std::string& name, int icon);
  void AddDetailsRow(const std::string& name, const std::string& location,
                     const std::string& type, int icon);
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
  // One more trace on the traces label.
  void CountTrace();

 private:
  void OnFoundText(ui::ItemChange change, const std::string& before, const std::string& after);

  Lists lists_;
  std::multiset<std::string> foundIndex_;  // the found list's row texts in lower case
};

}  // namespace scan

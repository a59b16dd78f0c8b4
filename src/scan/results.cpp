#include "scan/results.h"

#include "common/text.h"

namespace scan {

namespace {

constexpr const char* kFoundSuffix = " - Found";

}  // namespace

ScanResults::ScanResults(Lists lists) : lists_(lists) {
  for (const ui::ListItem& item : lists_.found.Items()) {
    foundIndex_.insert(common::LowerCase(item.text));
  }
  lists_.found.onRowText = [this](ui::ItemChange change, const std::string& before,
                                  const std::string& after) { OnFoundText(change, before, after); };
}

ScanResults::~ScanResults() {
  lists_.found.onRowText = nullptr;
}

void ScanResults::OnFoundText(ui::ItemChange change, const std::string& before,
                              const std::string& after) {
  switch (change) {
    case ui::ItemChange::Reset:
      foundIndex_.clear();
      return;
    case ui::ItemChange::Removed:
    case ui::ItemChange::Updated: {
      auto it = foundIndex_.find(common::LowerCase(before));
      if (it != foundIndex_.end()) foundIndex_.erase(it);
      if (change == ui::ItemChange::Removed) return;
      break;
    }
    case ui::ItemChange::Inserted:
      break;
  }
  foundIndex_.insert(common::LowerCase(after));
}

void ScanResults::Clear() {
  for (ui::ListView* list : {&lists_.found, &lists_.details, &lists_.files, &lists_.registry,
                             &lists_.cookies, &lists_.notFound}) {
    list->Clear();
  }
}

void ScanResults::RemoveChecked() {
  for (ui::ListView* list :
       {&lists_.files, &lists_.registry, &lists_.cookies, &lists_.found, &lists_.details}) {
    list->RemoveChecked();
  }
}

bool ScanResults::HasThreat(const std::string& name) const {
  const std::string key = common::LowerCase(name + kFoundSuffix);
  auto it = foundIndex_.lower_bound(key);
  return it != foundIndex_.end() && it->compare(0, key.size(), key) == 0;
}

void ScanResults::AddGroupRow(const std::string& name, int icon) {
  lists_.found.Add(name + kFoundSuffix, icon);
}

void ScanResults::AddDetailsRow(const std::string& name, const std::string& location,
                                const std::string& type, int icon) {
  ui::ListItem row;
  row.text = name;
  row.subItems = {location, type};
  row.smallIcon = icon;
  lists_.details.Add(std::move(row));
}

void ScanResults::AddExcludedRow(const std::string& tested) {
  lists_.found.Add("EXCLUDED: " + tested, kIconExcluded);
}

void ScanResults::AddNotice(const std::string& text, int icon) {
  lists_.found.Add(text, icon);
}

void ScanResults::AddFileRow(const std::string& path, const std::string& threatName, int icon,
                             const std::string& owner) {
  ui::ListItem row;
  row.text = path;
  row.subItems = {threatName};
  if (!owner.empty() && owner != threatName) row.subItems.push_back(owner);
  row.smallIcon = icon;
  lists_.files.Add(std::move(row));
}

void ScanResults::AddRegistryRow(const std::string& mainKey, const std::string& keyValue,
                                 const std::string& value, const std::string& threatName) {
  ui::ListItem row;
  row.text = mainKey;
  row.subItems = {keyValue, value, threatName};
  row.smallIcon = kIconRegistry;
  lists_.registry.Add(std::move(row));
}

void ScanResults::AddCookieRow(const std::string& cookieName, const std::string& location) {
  ui::ListItem row;
  row.text = cookieName;
  row.subItems = {location};
  row.smallIcon = kIconCookie;
  lists_.cookies.Add(std::move(row));
}

void ScanResults::CountTrace() {
  lists_.tracesFound.SetCaption(
      std::to_string(common::LeadingNumber(lists_.tracesFound.Caption()) + 1));
}

}  // namespace scan

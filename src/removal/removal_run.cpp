#include "removal/removal_run.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "common/file_tests.h"
#include "common/text.h"
#include "definitions/hives.h"
#include "definitions/locations.h"
#include "definitions/protected_paths.h"
#include "localization/message_keys.h"
#include "removal/quarantine.h"
#include "removal/restore_point.h"
#include "removal/trace_removal.h"

namespace removal {
namespace {

// The driver lets the event loop run this often before it starts, so the progress controls are
// painted and whatever the user did last (the click, the confirmation) is finished.
constexpr int kGatheringYields = 20001;

// Each file item's spelling, made once in a run for both passes (Pass::Spelled).
struct ItemSpellings {
  explicit ItemSpellings(platform::Files& files) : found(files) {}
  definitions::FoundFileSpellings found;
  std::unordered_map<std::string, std::string> byText;
};

}  // namespace

// One pass over the items. The retry pass also collects what stayed.
class RemovalRun::Pass {
 public:
  Pass(RemovalRun& run, TraceRemover& remover, ItemSpellings& spellings, bool retry,
       std::vector<Failure>& failures)
      : run_(run), remover_(remover), spellings_(spellings), retry_(retry), failures_(failures) {}

  void Remove(const WorkItem& item) {
    remover_.SetThreat(item.threat);
    switch (item.kind) {
      case WorkKind::File:
        RemoveFile(item);
        break;
      case WorkKind::Registry:
        RemoveRegistryEntry(item);
        break;
      case WorkKind::Cookie:
        RemoveCookie(item);
        break;
    }
  }

 private:
  void Yield() {
    if (run_.observer_.yield) run_.observer_.yield();
  }
  void Begin(const WorkItem& item, const std::string& caption) {
    if (run_.observer_.itemBegan) run_.observer_.itemBegan(item, caption);
  }
  void Stayed(const WorkItem& item, const std::string& shown) {
    if (retry_) failures_.push_back({&item, shown});
  }
  bool Protected(const std::string& location) {
    return run_.protectedPaths_.IsProtectedPath(location);
  }
  // The spelling Windows acts on, made once in a run: the retry pass tests and removes at the
  // very place the first pass did. A file found by the name written is spelled from its
  // folder's long form (FoundFileSpellings), which saves a search of every folder on its way.
  const std::string& Spelled(const std::string& written) {
    auto known = spellings_.byText.find(written);
    if (known != spellings_.byText.end()) return known->second;
    platform::Files& files = run_.machine_.files;
    std::optional<std::string> spelled;
    if (const auto name = files.FindFirstNormalFile(written)) {
      spelled = spellings_.found.Of(written, *name);
    }
    if (!spelled) spelled = definitions::CanonicalFilePath(files, written);
    return spellings_.byText.emplace(written, std::move(*spelled)).first->second;
  }

  void RemoveFile(const WorkItem& item) {
    platform::Files& files = run_.machine_.files;
    // Protection is tested on the spelling again, as the definitions and Safety.dat may have
    // changed since the scan.
    const std::string path = Spelled(item.text);
    Begin(item, item.text);
    if (Protected(path)) {
      Yield();
      Stayed(item, path);
      return;
    }
    const std::string extension = common::UpperCase(GetExtension(path));
    if (extension == "EXE") {
      remover_.RemoveExe(path);
    } else if (extension == "DLL" || extension == "OCX") {
      // Unregistering looks the library's entry up only; RemoveLibrary does that itself.
      remover_.RemoveLibrary(path, run_.settings_.window);
      remover_.RemoveFileOrFolder(path);
    } else {
      remover_.RemoveFileOrFolder(path);
    }
    Yield();
    if (!retry_) return;
    if (common::FindNoCase(path, ".exe") != std::string::npos && common::FileExists(files, path)) {
      remover_.RemoveExe(path);
    }
    // Besides files that resisted, whatever was kept for want of a backup (folders too).
    if (common::FileExists(files, path) ||
        (remover_.KeptWithoutBackup(path) && common::FolderExists(files, path))) {
      Stayed(item, path);
    }
  }

  void RemoveRegistryEntry(const WorkItem& item) {
    // The key as the scan looked it up; the value exactly as found (a value named " " is still
    // a value: trimmed to nothing it would turn into the deletion of the whole key).
    const std::string key = definitions::CanonicalKeyPath(item.key);
    Begin(item, item.key + "\\" + item.value);
    const auto hive = definitions::ParseHiveNumber(item.text);
    if (hive && !key.empty()) {
      const std::string keyPath = definitions::HiveNameFromHandle(*hive) + "\\" + key;
      const std::string location = item.value.empty() ? keyPath : keyPath + "\\" + item.value;
      if (Protected(location) || (!item.value.empty() && Protected(keyPath + item.value))) {
        Yield();
        Stayed(item, location);
        return;
      }
      if (!item.value.empty()) {
        remover_.DeleteRegistryValue(*hive, key, item.value);
      } else {
        remover_.RemoveRegistryKeyEntry(*hive, key);
      }
    }
    Yield();
  }

  void RemoveCookie(const WorkItem& item) {
    platform::Files& files = run_.machine_.files;
    const std::string path = Spelled(item.text);
    Begin(item, item.text);
    const bool refused = Protected(path);
    if (!refused && common::FileExists(files, path)) remover_.QuarantineCookie(path);
    Yield();
    // A cookie is only ever kept for want of a backup or by protection; it is listed like a
    // file.
    if ((refused || remover_.KeptWithoutBackup(path)) && common::FileExists(files, path)) {
      Stayed(item, path);
    }
  }

  RemovalRun& run_;
  TraceRemover& remover_;
  ItemSpellings& spellings_;
  bool retry_;
  std::vector<Failure>& failures_;
};

RemovalRun::RemovalRun(platform::Machine& machine, Quarantine& quarantine,
                       RestorePoint& restorePoint, definitions::ProtectedPaths& protectedPaths,
                       Settings settings, RemovalObserver observer)
    : machine_(machine),
      quarantine_(quarantine),
      restorePoint_(restorePoint),
      protectedPaths_(protectedPaths),
      settings_(std::move(settings)),
      observer_(std::move(observer)) {}

std::vector<Failure> RemovalRun::Run(const std::vector<WorkItem>& items) {
  auto stage = [this](const char* key) {
    if (observer_.stage) observer_.stage(key);
  };
  auto yield = [this] {
    if (observer_.yield) observer_.yield();
  };
  quarantine_.CreateFolder();
  stage(localization::msg::kInformation);
  for (int i = 0; i < kGatheringYields; ++i) yield();
  stage("");

  // Whether the system offers restore points cannot change during the removal.
  const bool restorePoints = restorePoint_.IsRestorePointSupported();
  if (restorePoints) {
    stage(localization::msg::kRestorepoint);
    yield();
    const std::string timestamp = machine_.clock.FormatDate(machine_.clock.Now());
    // A refusal (System Restore switched off, a point still open) does not stop the removal.
    restorePoint_.BeginRestorePoint(settings_.programName + " Restore Point " + timestamp,
                                    platform::kRestorePointRestore);
  }

  std::vector<Failure> failures;
  ItemSpellings spellings(machine_.files);
  TraceRemover remover(machine_, quarantine_, observer_.yield);
  for (const bool retry : {false, true}) {
    // Both passes write the quarantine log, each trace once: the retry pass records only what
    // the first pass could not (a trace it found only then, or whose record failed).
    quarantine_.SetLogToQuarantine(true);
    if (settings_.showPasses) {
      stage(localization::msg::kRemoving);
      if (observer_.passBegan) observer_.passBegan(settings_.barMaximum);
    }
    Pass pass(*this, remover, spellings, retry, failures);
    for (const WorkItem& item : items) pass.Remove(item);
  }
  quarantine_.SetLogToQuarantine(false);

  if (restorePoints) restorePoint_.EndRestorePoint();
  return failures;
}

}  // namespace removal

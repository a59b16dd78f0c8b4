// The registry stage: the keys and values of RegistryDefinition.dat, each looked for where its
// definition names it.
#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_entries.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/hives.h"
#include "definitions/line_codec.h"
#include "definitions/locations.h"
#include "definitions/placeholders.h"
#include "definitions/protected_paths.h"
#include "scan/registry_related.h"
#include "scan/stages.h"

namespace scan {
namespace {

// A registry definition made real: hive code "^" key "^" value "=" threat name ["|" type].
struct RegistryEntry {
  platform::RegKey hive = 0;
  std::string hiveName;
  std::string keyText;  // as written, for the progress text
  // The key as the registry reads it, for the look-up, the protection test, the row and the
  // removal alike: a blank or a doubled "\\" must not make the test look at one key and the
  // removal delete another.
  std::string key;
  std::string valueText;  // as written, for the progress text
  // With "\\" collapsed, otherwise exact (a value may be named " "); empty for an entry that
  // names the key alone.
  std::string value;
  std::string threatName;
  std::string type;
};

// The entry of a decoded line; nullopt for a line that names no registry location: without an
// "=", without a "^", or with a hive code that is blank, no number or no hive's.
std::optional<RegistryEntry> ParseRegistryLine(ScanContext& context, HiveCodes& hives,
                                               const std::string& driveRoot,
                                               const std::string& decoded) {
  // The last "=" splits: a key or value name may hold "=", a threat name may not.
  const std::size_t split = decoded.rfind(definitions::kNameSeparator);
  if (split == std::string::npos) return std::nullopt;
  std::string location =
      common::ReplaceAll(decoded.substr(0, split), definitions::kDriveToken, driveRoot);
  definitions::ExpandPathPlaceholders(context.machine.shellFolders, location);
  const auto fields = common::Split(location, definitions::kRegistrySeparator);
  if (fields.size() < 2 || common::Trim(fields[0]).empty()) return std::nullopt;
  const auto hive = hives.GetHiveFromCode(fields[0]);
  if (!hive) return std::nullopt;

  RegistryEntry entry;
  entry.hive = *hive;
  entry.hiveName = hives.CurrentHiveName();
  entry.keyText = fields[1];
  entry.key = definitions::CanonicalKeyPath(fields[1]);
  entry.valueText = common::Piece(fields, 2);
  entry.value = definitions::CollapseBackslashes(entry.valueText);
  const auto threat =
      common::Split(common::Trim(decoded.substr(split + 1)), definitions::kFieldSeparator);
  entry.threatName = common::Piece(threat, 0);
  entry.type = common::Piece(threat, 1);
  return entry;
}

void CountEntry(ScanContext& context, const RegistryEntry& entry) {
  const definitions::DefinitionCounts& counts = context.definitionCounts;
  const std::int32_t inspected = ++context.counters.registryEntriesInspected;
  context.progress(
      context.statusPrefix + "\r\n" + common::LowerCase(entry.keyText + "\\" + entry.valueText),
      Percent(inspected, counts.registry),
      Percent(static_cast<double>(inspected) + counts.cookies + counts.executables, counts.total));
}

// Adds the trace's work-list row and counts it; true when it is the threat's first trace.
bool AddTraceRow(ScanContext& context, const RegistryEntry& entry) {
  ScanResults& results = context.results;
  results.AddRegistryRow(definitions::HiveNumberText(entry.hive), entry.key, entry.value,
                         entry.threatName);
  results.CountTrace();
  return !results.HasThreat(entry.threatName);
}

void TestValue(ScanContext& context, const RegistryEntry& entry) {
  const std::string keyPath = entry.hiveName + "\\" + entry.key;
  // The location shown and excluded has no separator between key and value: an exclusion made
  // from a details row must match it in the next scan.
  const std::string fullPath = keyPath + entry.value;
  std::string data;
  if (!RegReadValue(context.machine.registry, entry.hive, entry.key, entry.value, &data)) return;
  // Safety.dat names a protected value as key "\" value, which the location without the
  // separator never equals; either spelling protects it.
  if (context.protectedPaths.IsProtectedPath(fullPath) ||
      context.protectedPaths.IsProtectedPath(keyPath + "\\" + entry.value)) {
    return;
  }
  if (context.exclusions.IsExcluded(fullPath) || context.exclusions.IsExcluded(keyPath)) {
    context.results.AddExcludedRow(fullPath);
    return;
  }
  if (!AddTraceRow(context, entry) || common::Trim(entry.threatName).empty()) return;
  context.results.AddGroupRow(entry.threatName, kIconRegistry);
  context.results.AddDetailsRow(entry.threatName, fullPath, entry.type, kIconRegistry);
  ++context.counters.threatsFound;
}

void TestKey(ScanContext& context, const RegistryEntry& entry) {
  const std::string keyPath = entry.hiveName + "\\" + entry.key;
  // A blank key would open the hive itself.
  if (entry.key.empty()) return;
  if (!RegKeyExists(context.machine.registry, entry.hive, entry.key)) return;
  if (context.protectedPaths.IsProtectedPath(keyPath)) return;
  if (context.exclusions.IsExcluded(keyPath)) {
    context.results.AddExcludedRow(keyPath);
    return;
  }
  if (!AddTraceRow(context, entry)) return;
  if (common::Trim(entry.threatName).empty()) {
    // A key without a threat name is shown by its path; its details row is ticked by the key,
    // which is how its work-list row is found.
    context.results.AddGroupRow("RegKey " + entry.key, 0);
    context.results.AddDetailsRow(entry.key, keyPath, "", kIconRegistry);
  } else {
    context.results.AddGroupRow(entry.threatName, kIconRegistry);
    context.results.AddDetailsRow(entry.threatName, keyPath, entry.type, kIconRegistry);
  }
  ++context.counters.threatsFound;
}

}  // namespace

void ScanRegistry(ScanContext& context) {
  platform::Machine& machine = context.machine;
  const std::string driveRoot = definitions::GetSystemDriveRoot(machine.shellFolders);
  const std::string path =
      definitions::DataFilePath(context.dataFolder, definitions::kRegistryDefinitionFile);
  if (!common::FileExists(machine.files, path)) return;
  common::LineReader reader(machine.files, path);
  HiveCodes hives;
  std::string line;
  // Two yields per line, before and after it; Stop takes effect before the next line.
  while (!context.stopRequested() && reader.ReadLine(&line)) {
    context.yield();
    if (context.stopRequested()) return;
    const auto entry =
        ParseRegistryLine(context, hives, driveRoot, definitions::DecodeDefinitionLine(line));
    if (entry) {
      CountEntry(context, *entry);
      if (entry->value.empty()) {
        TestKey(context, *entry);
      } else {
        TestValue(context, *entry);
      }
    }
    context.yield();
  }
}

}  // namespace scan

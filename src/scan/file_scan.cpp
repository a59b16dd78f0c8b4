// The last stage of a scan: the files of FileDefinition.dat, then the folders of
// DirectoryDefinition.dat, each looked for at the one place its definition names.
#include <optional>
#include <string>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_entries.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "definitions/locations.h"
#include "definitions/placeholders.h"
#include "definitions/protected_paths.h"
#include "scan/company_name.h"
#include "scan/stages.h"

namespace scan {
namespace {

using ParseEntry = definitions::FileDefinition (*)(platform::ShellFolders&, const std::string&,
                                                   std::string_view);

// One line handled: the counter, and the progress of the file and folder stage, whose lines are
// those of both files and which comes after every other stage.
void CountLine(ScanContext& context, const std::string& shownName) {
  const definitions::DefinitionCounts& counts = context.definitionCounts;
  const std::int32_t inspected = ++context.counters.filesAndFoldersInspected;
  context.progress(context.statusPrefix + "\r\n" + shownName,
                   Percent(inspected, counts.filesAndFolders),
                   Percent(static_cast<double>(inspected) + counts.registry + counts.cookies +
                               counts.executables,
                           counts.total));
}

// A trace of a threat: its work-list row, one more trace, and the threat's group and details
// rows when this is its first trace in the scan.
// path is the entry's location in the one spelling that the row, the backup and the deletion
// use.
void AddTrace(ScanContext& context, const definitions::FileDefinition& entry,
              const std::string& path, const std::string& workListThreat, int icon) {
  ScanResults& results = context.results;
  results.AddFileRow(path, workListThreat, icon, entry.threatName);
  results.CountTrace();
  if (results.HasThreat(entry.threatName)) return;
  results.AddGroupRow(entry.threatName, icon);
  results.AddDetailsRow(entry.threatName, path, entry.type, icon);
  ++context.counters.threatsFound;
}

// The exclusions were made from rows, which show the canonical spelling; a hand-written entry
// may use the definition's.
bool Excluded(ScanContext& context, const definitions::FileDefinition& entry,
              const std::string& path, bool partial) {
  definitions::Exclusions& exclusions = context.exclusions;
  auto test = [&](const std::string& text) {
    return partial ? exclusions.IsExcludedPartial(text) : exclusions.IsExcluded(text);
  };
  return test(path) || (path != entry.path && test(entry.path));
}

// Nearly every line names a file that is not there. One directory search on the path as written
// settles that, where the canonical spelling asks the file system once for every folder on the
// way: a path that finds no normal file as written finds none in any other spelling. A path
// that ends in a separator is left to the full test, which takes the separator off.
// The name found, "" for such a path; nullopt when nothing is there.
std::optional<std::string> MayBeThere(platform::Files& files, const std::string& path) {
  if (path.empty() || path.back() == '\\' || path.back() == '/') return std::string();
  return files.FindFirstNormalFile(path);
}

// The file's canonical spelling when the file is there in that spelling. A search that found the
// file by the very name written needs no second one; any other match (a short name, other
// letters, a wildcard) is spelled and looked for again.
std::optional<std::string> FoundPath(platform::Files& files,
                                     definitions::FoundFileSpellings& spellings,
                                     const std::string& written, const std::string& foundName) {
  if (!foundName.empty()) {
    if (auto path = spellings.Of(written, foundName)) return path;
  }
  std::string path = definitions::CanonicalFilePath(files, written);
  if (!common::FileExists(files, path)) return std::nullopt;
  return path;
}

void TestFile(ScanContext& context, definitions::FoundFileSpellings& spellings,
              const definitions::FileDefinition& entry) {
  // A file line without a threat name names nothing to report. Reported anyway, its details row
  // would be ticked by threat name "" and so tick every folder trace (their threat column is
  // empty) for removal with it.
  if (common::Trim(entry.threatName).empty()) return;
  platform::Files& files = context.machine.files;
  const std::optional<std::string> foundName = MayBeThere(files, entry.path);
  if (!foundName) return;
  const std::optional<std::string> found = FoundPath(files, spellings, entry.path, *foundName);
  if (!found || context.protectedPaths.IsProtectedPath(*found)) return;
  const std::string& path = *found;
  if (Excluded(context, entry, path, false)) {
    context.results.AddExcludedRow(path);
    return;
  }
  if (IsSystemMaker(GetFileCompanyName(files, path))) return;
  AddTrace(context, entry, path, entry.threatName, kIconFile);
}

void TestFolder(ScanContext& context, const definitions::FileDefinition& entry) {
  platform::Files& files = context.machine.files;
  const std::string path = definitions::CanonicalFilePath(files, entry.path);
  if (!common::FolderExists(files, path) || context.protectedPaths.IsProtectedPath(path)) return;
  // Partial: the folder of an excluded file is left alone too.
  if (Excluded(context, entry, path, true)) {
    context.results.AddExcludedRow(path);
    return;
  }
  AddTrace(context, entry, path, "", kIconFolder);
}

// Reads the definition file line by line until its end or a stop; yields after every line.
void ScanDefinitions(ScanContext& context, const char* fileName, ParseEntry parse, bool folders) {
  platform::Machine& machine = context.machine;
  const std::string path = definitions::DataFilePath(context.dataFolder, fileName);
  if (!common::FileExists(machine.files, path)) return;
  const std::string driveRoot = definitions::GetSystemDriveRoot(machine.shellFolders);
  common::LineReader reader(machine.files, path);
  definitions::FoundFileSpellings spellings(machine.files);
  std::string line;
  while (!context.stopRequested() && reader.ReadLine(&line)) {
    const definitions::FileDefinition entry =
        parse(machine.shellFolders, driveRoot, definitions::DecodeDefinitionLine(line));
    // A folder line without a location is not counted or shown.
    if (!folders || entry.hasLocation) {
      CountLine(context, entry.name);
      if (context.stopRequested()) return;
      if (folders) {
        TestFolder(context, entry);
      } else {
        TestFile(context, spellings, entry);
      }
    }
    context.yield();
  }
}

}  // namespace

void ScanFileDefinitions(ScanContext& context) {
  ScanDefinitions(context, definitions::kFileDefinitionFile, definitions::ParseFileDefinition,
                  false);
}

void ScanDirectoryDefinitions(ScanContext& context) {
  ScanDefinitions(context, definitions::kDirectoryDefinitionFile,
                  definitions::ParseDirectoryDefinition, true);
}

}  // namespace scan

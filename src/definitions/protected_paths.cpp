#include "definitions/protected_paths.h"

#include <algorithm>
#include <cctype>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_entries.h"
#include "definitions/definition_files.h"
#include "definitions/hives.h"
#include "definitions/line_codec.h"
#include "definitions/placeholders.h"

namespace definitions {
namespace {

// Lower case, blanks trimmed, then one final "/" and one final "\" taken off: the form in which
// paths and protected entries are compared.
std::string Normalise(std::string_view path) {
  std::string text = common::LowerCase(common::Trim(path));
  if (!text.empty() && text.back() == '/') text.pop_back();
  if (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

// An entry protects the path itself, written with or without a final "\".
bool SameLocation(const std::string& entry, const std::string& path) {
  return !entry.empty() && (entry == path || entry == path + "\\" || entry + "\\" == path);
}

constexpr std::string_view kHiveRoots[] = {"hkey_classes_root",   "hkey_current_user",
                                           "hkey_local_machine",  "hkey_users",
                                           "hkey_current_config", "hkey_dyn_data"};

// Keys of every user's software settings (HKEY_CURRENT_USER, each user under HKEY_USERS) and of
// the machine's (HKEY_LOCAL_MACHINE).
constexpr std::string_view kSoftwareKeys[] = {
    "software\\classes",
    "software\\classes\\clsid",
    "software\\microsoft",
    "software\\microsoft\\windows",
    "software\\microsoft\\windows\\currentversion",
    "software\\microsoft\\windows\\currentversion\\run",
    "software\\microsoft\\windows\\currentversion\\runonce",
    "software\\microsoft\\windows\\currentversion\\runservices",
    "software\\microsoft\\windows\\currentversion\\runservicesonce",
    "software\\microsoft\\windows nt\\currentversion",
    "software\\microsoft\\windows nt\\currentversion\\winlogon",
    "software\\microsoft\\internet explorer",
    "software\\microsoft\\internet explorer\\main",
    "software\\policies",
};

// Keys of the machine alone.
constexpr std::string_view kMachineKeys[] = {
    "software\\wow6432node",
    "system\\currentcontrolset",
    "system\\currentcontrolset\\control",
    "system\\currentcontrolset\\services",
};

bool InList(std::string_view key, const auto& list) {
  return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

// The normalised path names a hive root, a key directly below one, or a key of the lists.
bool IsProtectedKey(const std::string& path) {
  const std::size_t slash = path.find('\\');
  const std::string_view hive = std::string_view(path).substr(0, slash);
  if (!InList(hive, kHiveRoots)) return false;
  if (slash == std::string::npos || slash + 1 == path.size()) return true;
  std::string_view key = std::string_view(path).substr(slash + 1);
  if (key.find('\\') == std::string_view::npos) return true;
  if (hive == "hkey_local_machine") return InList(key, kSoftwareKeys) || InList(key, kMachineKeys);
  if (hive == "hkey_current_user") return InList(key, kSoftwareKeys);
  if (hive == "hkey_users") {
    // Each user's settings sit one level down: HKEY_USERS\<user>\Software\...
    key.remove_prefix(key.find('\\') + 1);
    return InList(key, kSoftwareKeys);
  }
  return false;
}

// "c:", or "c:\" when the path ended in two of them.
bool IsDriveRoot(const std::string& path) {
  return (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) &&
         std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

std::string SafetyEntryPath(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                            std::string_view decodedLine) {
  const auto fields = common::Split(decodedLine, kFieldSeparator);
  // A line without "|" carries no type of its own. Reading it with the type of the line before
  // would protect some unrelated location; it protects nothing.
  if (fields.size() < 2) return {};
  const std::string& type = fields[0];
  const std::string location = ExpandLocation(shellFolders, driveRoot, common::Piece(fields, 2));
  if (type == "SFILE" || type == "SEXE" || type == "SDLL") {
    if (location.empty()) {
      return common::Trim(common::Piece(common::Split(fields[1], kNameSeparator), 0));
    }
    return common::ReplaceAll(location, "//", "/");
  }
  if (type == "SDIR") return location;
  if (type == "SREG") {
    const auto parts = common::Split(location, kRegistrySeparator);
    std::string path =
        HiveNameFromCodeText(common::Piece(parts, 0)) + "\\" + common::Piece(parts, 1);
    if (parts.size() > 2) path += "\\" + parts[2];
    return common::ReplaceAll(CollapseBackslashes(path), "//", "/");
  }
  return {};
}

ProtectedPaths::ProtectedPaths(platform::Machine& machine) : machine_(machine) {}

bool ProtectedPaths::LoadSafetyList(const std::string& dataFolder,
                                    const std::function<bool()>& stopRequested,
                                    const std::function<void()>& yield) {
  safetyList_.clear();
  normalisedList_.clear();
  LoadSystemFolders();
  const std::string driveRoot = GetSystemDriveRoot(machine_.shellFolders);
  const std::string path = DataFilePath(dataFolder, kSafetyFile);
  if (!common::FileExists(machine_.files, path)) return true;
  common::LineReader reader(machine_.files, path);
  std::string line;
  while (!(stopRequested && stopRequested()) && reader.ReadLine(&line)) {
    std::string entry =
        SafetyEntryPath(machine_.shellFolders, driveRoot, DecodeDefinitionLine(line));
    if (!entry.empty()) {
      normalisedList_.push_back(Normalise(entry));
      safetyList_.push_back(std::move(entry));
    }
    if (yield) yield();
  }
  return true;
}

void ProtectedPaths::LoadSystemFolders() {
  systemFolders_.clear();
  auto add = [this](const std::string& folder) {
    if (!folder.empty()) systemFolders_.push_back(Normalise(folder));
  };
  for (const Placeholder& placeholder : kPlaceholders) {
    add(PlaceholderFolder(machine_.shellFolders, placeholder));
  }
  add(DataFolderPath(machine_.shellFolders));
  add(machine_.system.ProgramFolder());
  systemFoldersLoaded_ = true;
}

bool ProtectedPaths::IsProtectedPath(const std::string& path) {
  const std::string normalised = Normalise(path);
  if (normalised.empty()) return true;
  for (const std::string& entry : normalisedList_) {
    if (SameLocation(entry, normalised)) return true;
  }
  if (IsProtectedKey(normalised) || IsDriveRoot(normalised)) return true;
  if (!systemFoldersLoaded_) LoadSystemFolders();
  for (const std::string& folder : systemFolders_) {
    if (SameLocation(folder, normalised)) return true;
  }
  return false;
}

}  // namespace definitions

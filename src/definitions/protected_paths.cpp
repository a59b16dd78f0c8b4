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
#include "definitions/locations.h"
#include "definitions/placeholders.h"

namespace definitions {
namespace {

// Lower case, blanks trimmed, then the final "/" and "\" taken off: the form in which paths and
// protected entries are compared.
std::string Normalise(std::string_view path) {
  std::string text = common::LowerCase(common::Trim(path));
  while (!text.empty() && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text;
}

constexpr std::string_view kHiveRoots[] = {"hkey_classes_root",   "hkey_current_user",
                                           "hkey_local_machine",  "hkey_users",
                                           "hkey_current_config", "hkey_dyn_data"};

// Keys of every user's software settings (HKEY_CURRENT_USER, each user under HKEY_USERS) and of
// the machine's (HKEY_LOCAL_MACHINE). Threats write values and keys inside them; removing one of
// these keys whole would take every program's entries with it.
constexpr std::string_view kSoftwareKeys[] = {
    "software\\classes",
    "software\\classes\\*",
    "software\\classes\\appid",
    "software\\classes\\clsid",
    "software\\classes\\interface",
    "software\\classes\\protocols\\filter",
    "software\\classes\\protocols\\handler",
    "software\\classes\\typelib",
    "software\\microsoft",
    "software\\microsoft\\active setup\\installed components",
    "software\\microsoft\\internet explorer",
    "software\\microsoft\\internet explorer\\extensions",
    "software\\microsoft\\internet explorer\\main",
    "software\\microsoft\\internet explorer\\toolbar",
    "software\\microsoft\\windows",
    "software\\microsoft\\windows\\currentversion",
    "software\\microsoft\\windows\\currentversion\\app paths",
    "software\\microsoft\\windows\\currentversion\\explorer",
    "software\\microsoft\\windows\\currentversion\\explorer\\browser helper objects",
    "software\\microsoft\\windows\\currentversion\\policies",
    "software\\microsoft\\windows\\currentversion\\run",
    "software\\microsoft\\windows\\currentversion\\runonce",
    "software\\microsoft\\windows\\currentversion\\runservices",
    "software\\microsoft\\windows\\currentversion\\runservicesonce",
    "software\\microsoft\\windows\\currentversion\\shell extensions",
    "software\\microsoft\\windows\\currentversion\\shellserviceobjectdelayload",
    "software\\microsoft\\windows\\currentversion\\uninstall",
    "software\\microsoft\\windows nt\\currentversion",
    "software\\microsoft\\windows nt\\currentversion\\image file execution options",
    "software\\microsoft\\windows nt\\currentversion\\windows",
    "software\\microsoft\\windows nt\\currentversion\\winlogon",
    "software\\policies",
};

// Keys of the machine alone. Every ControlSetNNN is compared as CurrentControlSet.
constexpr std::string_view kMachineKeys[] = {
    "system",
    "system\\currentcontrolset",
    "system\\currentcontrolset\\control",
    "system\\currentcontrolset\\control\\session manager",
    "system\\currentcontrolset\\enum",
    "system\\currentcontrolset\\services",
};

bool InList(std::string_view key, const auto& list) {
  return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// "c:", or "c:\" when the path ended in two of them.
bool IsDriveRoot(const std::string& path) {
  return (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) &&
         std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool IsRegistryLocation(std::string_view normalised) {
  return StartsWith(normalised, "hkey_");
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

void ProtectedPaths::AddLocation(const std::string& location) {
  const std::string normalised = Normalise(location);
  if (normalised.empty()) return;
  if (IsRegistryLocation(normalised)) {
    for (std::string& form : RegistryForms(normalised)) safetyLocations_.insert(std::move(form));
    return;
  }
  safetyLocations_.insert(normalised);
  safetyLocations_.insert(Normalise(CanonicalFilePath(machine_.files, common::Trim(location))));
}

bool ProtectedPaths::LoadSafetyList(const std::string& dataFolder,
                                    const std::function<bool()>& stopRequested,
                                    const std::function<void()>& yield) {
  safetyList_.clear();
  safetyLocations_.clear();
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
      AddLocation(entry);
      safetyList_.push_back(std::move(entry));
    }
    if (yield) yield();
  }
  return true;
}

void ProtectedPaths::LoadSystemFolders() {
  systemLocations_.clear();
  ownFolders_.clear();
  for (const char* hive : {"hkey_local_machine\\", "hkey_current_user\\"}) {
    for (std::string_view key : kSoftwareKeys) systemLocations_.insert(hive + std::string(key));
  }
  for (std::string_view key : kMachineKeys) {
    systemLocations_.insert("hkey_local_machine\\" + std::string(key));
  }
  auto add = [this](const std::string& folder) {
    if (folder.empty()) return std::string();
    std::string normalised = Normalise(CanonicalFilePath(machine_.files, folder));
    systemLocations_.insert(Normalise(folder));
    systemLocations_.insert(normalised);
    return normalised;
  };
  for (const Placeholder& placeholder : kPlaceholders) {
    add(PlaceholderFolder(machine_.shellFolders, placeholder));
  }
  for (const std::string& own :
       {DataFolderPath(machine_.shellFolders), machine_.system.ProgramFolder()}) {
    std::string normalised = add(own);
    if (!normalised.empty()) ownFolders_.push_back(std::move(normalised));
  }
  systemFoldersLoaded_ = true;
}

bool ProtectedPaths::Covers(const std::string& normalised) const {
  const std::string below = normalised + "\\";
  for (const std::set<std::string>* locations : {&safetyLocations_, &systemLocations_}) {
    if (locations->count(normalised) != 0) return true;
    // Everything below the location sorts together, right after its "\".
    const auto inside = locations->lower_bound(below);
    if (inside != locations->end() && StartsWith(*inside, below)) return true;
  }
  return false;
}

bool ProtectedPaths::IsProtectedKey(const std::string& form) const {
  const std::size_t slash = form.find('\\');
  const std::string_view hive = std::string_view(form).substr(0, slash);
  if (!InList(hive, kHiveRoots)) return Covers(form);
  // A hive root, and the keys directly below one (SOFTWARE, SYSTEM, a user's whole hive).
  if (slash == std::string::npos) return true;
  if (form.find('\\', slash + 1) == std::string::npos) return true;
  return Covers(form);
}

bool ProtectedPaths::IsProtectedPath(const std::string& path) {
  const std::string normalised = Normalise(path);
  if (normalised.empty()) return true;
  if (!systemFoldersLoaded_) LoadSystemFolders();
  if (IsRegistryLocation(normalised)) {
    for (const std::string& form : RegistryForms(normalised)) {
      if (IsProtectedKey(form)) return true;
    }
    return false;
  }
  if (IsDriveRoot(normalised) || Covers(normalised)) return true;
  for (const std::string& own : ownFolders_) {
    if (StartsWith(normalised, own + "\\")) return true;
  }
  return false;
}

}  // namespace definitions

#include "definitions/locations.h"

#include <cctype>

#include "common/text.h"

namespace definitions {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Replaces a leading prefix (followed by "\" or the end) of a lower-case location.
bool ReplacePrefix(std::string& location, std::string_view from, std::string_view to) {
  if (!StartsWith(location, from)) return false;
  if (location.size() > from.size() && location[from.size()] != '\\') return false;
  location = std::string(to) + location.substr(from.size());
  return true;
}

// "...\controlset001..." -> "...\currentcontrolset...".
void FoldControlSet(std::string& location) {
  constexpr std::string_view kSystem = "hkey_local_machine\\system\\controlset";
  if (!StartsWith(location, kSystem)) return;
  std::size_t end = kSystem.size();
  while (end < location.size() && std::isdigit(static_cast<unsigned char>(location[end]))) ++end;
  if (end == kSystem.size() || (end < location.size() && location[end] != '\\')) return;
  location = "hkey_local_machine\\system\\currentcontrolset" + location.substr(end);
}

void FoldWow64(std::string& location) {
  for (std::string_view root :
       {"hkey_local_machine\\software", "hkey_current_user\\software",
        "hkey_local_machine\\software\\classes", "hkey_current_user\\software\\classes"}) {
    const std::string node = std::string(root) + "\\wow6432node";
    ReplacePrefix(location, node, root);
  }
}

}  // namespace

std::string CanonicalFilePath(platform::Files& files, const std::string& path) {
  if (path.find_first_of("\\/") == std::string::npos) return path;
  std::string full = files.FullPathName(path);
  if (full.empty()) return path;
  if (const auto longForm = files.LongPathName(full)) full = *longForm;
  while (full.size() > 3 && full.back() == '\\') full.pop_back();
  return full;
}

std::optional<std::string> FoundFileSpellings::Of(const std::string& path,
                                                  const std::string& foundName) {
  if (path.find_first_of("\\/") == std::string::npos) return std::nullopt;
  const std::string full = files_.FullPathName(path);
  // "X:\...\name": a drive's path to a file; network paths and the rest take the long way.
  if (full.size() < 4 || full[1] != ':' || full[2] != '\\') return std::nullopt;
  const std::size_t slash = full.rfind('\\');
  if (full.compare(slash + 1, std::string::npos, foundName) != 0) return std::nullopt;
  // A drive root's own folder keeps its separator: "C:" alone is the drive's current folder.
  const std::string folder = full.substr(0, slash == 2 ? 3 : slash);
  auto known = folders_.find(folder);
  if (known == folders_.end()) known = folders_.emplace(folder, files_.LongPathName(folder)).first;
  if (!known->second) return std::nullopt;
  std::string spelled = *known->second;
  if (spelled.empty() || spelled.back() != '\\') spelled += '\\';
  return spelled + foundName;
}

std::string CanonicalKeyPath(std::string_view key) {
  std::string canonical;
  std::string part;
  auto flush = [&] {
    const std::string trimmed = common::Trim(part);
    part.clear();
    if (trimmed.empty()) return;
    if (!canonical.empty()) canonical += '\\';
    canonical += trimmed;
  };
  for (char c : key) {
    if (c == '\\') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  return canonical;
}

std::vector<std::string> RegistryForms(std::string_view location) {
  const std::size_t slash = location.find('\\');
  const std::string hive = common::LowerCase(common::Trim(location.substr(0, slash)));
  std::string form = hive;
  if (slash != std::string_view::npos) {
    const std::string key = CanonicalKeyPath(location.substr(slash + 1));
    if (!key.empty()) form += "\\" + common::LowerCase(key);
  }
  std::vector<std::string> forms{form};
  if (ReplacePrefix(form, "hkey_classes_root", "hkey_local_machine\\software\\classes")) {
    forms.push_back(form);
    std::string user = form;
    ReplacePrefix(user, "hkey_local_machine\\software\\classes",
                  "hkey_current_user\\software\\classes");
    forms.push_back(std::move(user));
  } else if (hive == "hkey_users") {
    // HKEY_USERS\<user>\... is that user's HKEY_CURRENT_USER; <user>_Classes its classes.
    const std::size_t userEnd = form.find('\\', hive.size() + 1);
    if (userEnd != std::string::npos) {
      const std::string user = form.substr(hive.size() + 1, userEnd - hive.size() - 1);
      const bool classes = user.size() > 8 && user.ends_with("_classes");
      forms.push_back(
          std::string(classes ? "hkey_current_user\\software\\classes" : "hkey_current_user") +
          form.substr(userEnd));
    }
  } else if (ReplacePrefix(form, "hkey_current_config",
                           "hkey_local_machine\\system\\currentcontrolset\\hardware "
                           "profiles\\current")) {
    forms.push_back(form);
  }
  for (std::string& each : forms) {
    FoldControlSet(each);
    FoldWow64(each);
  }
  return forms;
}

}  // namespace definitions

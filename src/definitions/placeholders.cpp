#include "definitions/placeholders.h"

#include "common/text.h"

namespace definitions {

std::string GetSpecialFolder(platform::ShellFolders& shellFolders, int csidl) {
  auto folder = shellFolders.SpecialFolderPath(csidl);
  if (!folder || folder->empty()) return {};
  // A drive root already ends in "\"; a second one would only be collapsed again later.
  if (folder->back() != '\\') *folder += '\\';
  return *folder;
}

std::string GetSystemDriveRoot(platform::ShellFolders& shellFolders) {
  const auto programs = shellFolders.SpecialFolderLocationPath(platform::kCsidlPrograms);
  if (!programs) return {};
  return programs->substr(0, 3);
}

std::string PlaceholderFolder(platform::ShellFolders& shellFolders,
                              const Placeholder& placeholder) {
  std::string folder = GetSpecialFolder(shellFolders, placeholder.csidl);
  if (placeholder.stripStartMenu) folder = common::ReplaceAllNoCase(folder, "\\Start Menu", "");
  return folder;
}

std::string& ExpandPathPlaceholders(platform::ShellFolders& shellFolders, std::string& text) {
  // Every token begins with "[": most definition lines have none and need no search at all.
  if (text.find('[') == std::string::npos) return text;
  for (const Placeholder& placeholder : kPlaceholders) {
    const bool present = placeholder.exactCase
                             ? text.find(placeholder.token) != std::string::npos
                             : common::FindNoCase(text, placeholder.token) != std::string::npos;
    if (!present) continue;
    const std::string folder = PlaceholderFolder(shellFolders, placeholder);
    text = placeholder.exactCase ? common::ReplaceAll(text, placeholder.token, folder)
                                 : common::ReplaceAllNoCase(text, placeholder.token, folder);
  }
  return text;
}

std::string CollapseBackslashes(std::string_view path) {
  return common::ReplaceAll(path, "\\\\", "\\");
}

std::string ExpandLocation(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                           std::string_view location) {
  std::string text = common::ReplaceAll(location, kDriveToken, driveRoot);
  ExpandPathPlaceholders(shellFolders, text);
  return CollapseBackslashes(text);
}

std::string DataFolderPath(platform::ShellFolders& shellFolders) {
  std::string path = std::string("[appdata]") + kDataFolderName;
  return ExpandPathPlaceholders(shellFolders, path);
}

}  // namespace definitions

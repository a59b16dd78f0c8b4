#include "common/file_tests.h"

#include "common/text.h"

namespace common {

std::string GetFileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(platform::Files& files, const std::string& path) {
  if (NothingAt(files, path)) return false;
  const auto found = files.FindFirstNormalFile(path);
  return found.has_value() && EqualsNoCase(*found, GetFileName(path));
}

bool NothingAt(platform::Files& files, const std::string& path) {
  // "<", ">" and '"' are wildcards of the search too.
  if (path.find_first_of("*?<>\"") != std::string::npos) return false;
  if (files.GetAttributes(path)) return false;
  const long error = files.LastError();
  return error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound;
}

bool FolderExists(platform::Files& files, const std::string& path) {
  return files.FolderExists(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

}  // namespace common

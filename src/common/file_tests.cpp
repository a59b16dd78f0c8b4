#include "common/file_tests.h"

#include "common/text.h"

namespace common {

std::string GetFileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(platform::Files& files, const std::string& path) {
  // Where there is nothing at all the search finds nothing either, and asking for the
  // attributes costs Windows a fraction of a directory search; only a path that has them is
  // searched. (Any other failure, such as a name the system refuses, is left to the search.)
  if (!files.GetAttributes(path)) {
    const long error = files.LastError();
    if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound) {
      return false;
    }
  }
  const auto found = files.FindFirstNormalFile(path);
  return found.has_value() && EqualsNoCase(*found, GetFileName(path));
}

bool FolderExists(platform::Files& files, const std::string& path) {
  return files.FolderExists(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

}  // namespace common

#include "platform/folder_tree.h"

#include <cctype>
#include <optional>
#include <vector>

namespace platform {
namespace {

// What a copied sub-folder keeps of its source's attributes.
constexpr std::uint32_t kFolderAttributes =
    kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

// The full path in lower case with a final "\", for telling whether one folder lies in another.
std::string FolderKey(Files& files, const std::string& path) {
  std::string key = files.FullPathName(path);
  if (key.empty()) key = path;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (key.empty() || key.back() != '\\') key += '\\';
  return key;
}

bool IsDriveRoot(const std::string& fullPath) {
  return (fullPath.size() == 2 || (fullPath.size() == 3 && fullPath[2] == '\\')) &&
         fullPath[1] == ':';
}

// An entry's attributes, or the reason they could not be read.
std::optional<std::uint32_t> AttributesOf(Files& files, const std::string& path,
                                          FileStatus* failure) {
  auto attributes = files.GetAttributes(path);
  if (!attributes) *failure = FileStatus(files.LastError());
  return attributes;
}

// The names in a folder; an empty list is an error only when the listing itself failed.
std::vector<std::string> Entries(Files& files, const std::string& folder, FileStatus* failure) {
  std::vector<std::string> names = files.ListFolder(folder);
  if (names.empty() && files.LastError() != kErrorSuccess) *failure = FileStatus(files.LastError());
  return names;
}

FileStatus CopyTree(Files& files, const std::string& from, const std::string& to) {
  FileStatus result;
  for (const std::string& name : Entries(files, from, &result)) {
    const std::string source = Join(from, name);
    const std::string target = Join(to, name);
    const auto attributes = AttributesOf(files, source, &result);
    if (!attributes) continue;
    if (!(*attributes & kAttrDirectory)) {
      if (FileStatus copied = files.CopyFile(source, target, true); !copied) result = copied;
      continue;
    }
    if (*attributes & kAttrReparsePoint) continue;
    const FileStatus made = files.MakeDirectory(target);
    if (!made && !files.FolderExists(target)) {
      result = made;
      continue;
    }
    if (FileStatus inner = CopyTree(files, source, target); !inner) result = inner;
    // Set last, so that a read-only folder could still be filled; a folder that was there
    // keeps its own attributes.
    if (made && (*attributes & kFolderAttributes) != 0) {
      files.SetAttributes(target, *attributes & kFolderAttributes);
    }
  }
  return result;
}

void ClearReadOnly(Files& files, const std::string& path, std::uint32_t attributes) {
  const std::uint32_t kept = attributes & (kFolderAttributes & ~kAttrReadOnly);
  files.SetAttributes(path, kept == 0 ? kAttrNormal : kept);
}

FileStatus DeleteTree(Files& files, const std::string& path, bool force) {
  FileStatus result;
  for (const std::string& name : Entries(files, path, &result)) {
    const std::string child = Join(path, name);
    const auto attributes = AttributesOf(files, child, &result);
    if (!attributes) continue;
    if (force && (*attributes & kAttrReadOnly)) ClearReadOnly(files, child, *attributes);
    FileStatus gone;
    if (!(*attributes & kAttrDirectory)) {
      gone = files.DeleteFile(child);
    } else if (*attributes & kAttrReparsePoint) {
      gone = files.RemoveFolder(child);
    } else {
      gone = DeleteTree(files, child, force);
    }
    if (!gone) result = gone;
  }
  if (!result) return result;
  if (force) {
    if (const auto attributes = files.GetAttributes(path);
        attributes && (*attributes & kAttrReadOnly)) {
      ClearReadOnly(files, path, *attributes);
    }
  }
  return files.RemoveFolder(path);
}

}  // namespace

FileStatus CopyFolder(Files& files, const std::string& from, const std::string& to) {
  if (!files.FolderExists(from)) return FileStatus(kErrorPathNotFound);
  const std::string fromKey = FolderKey(files, from);
  if (FolderKey(files, to).compare(0, fromKey.size(), fromKey) == 0) {
    return FileStatus(kErrorAccessDenied);
  }
  if (!files.FolderExists(to)) {
    if (FileStatus made = files.MakeDirectory(to); !made) return made;
  }
  return CopyTree(files, from, to);
}

FileStatus DeleteFolder(Files& files, const std::string& path, bool force) {
  if (IsDriveRoot(files.FullPathName(path))) return FileStatus(kErrorAccessDenied);
  if (!files.FolderExists(path)) return FileStatus(kErrorPathNotFound);
  return DeleteTree(files, path, force);
}

}  // namespace platform

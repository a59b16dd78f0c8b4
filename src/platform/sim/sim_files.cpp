#include "platform/sim/sim_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace platform::sim {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool InvalidChar(char c) {
  return static_cast<unsigned char>(c) < 32 || c == '<' || c == '>' || c == ':' || c == '"' ||
         c == '|';
}

// The search's wildcards: * any run of characters, ? exactly one, letter case ignored. "*.*"
// matches names without a dot too, as it always has on Windows.
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || std::tolower(static_cast<unsigned char>(pattern[p])) ==
                                         std::tolower(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string SimFiles::Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

SimFiles::SimFiles() {
  AddDrive('C', kDriveFixed, true);
  AddDrive('D', kDriveCdRom, false);
}

SimFiles::~SimFiles() = default;

SimFiles::Path SimFiles::Parse(const std::string& text) const {
  Path path;
  if (text.empty()) {
    path.error = kErrorPathNotFound;
    return path;
  }
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    path.error = kErrorBadNetPath;
    return path;
  }
  std::string_view rest = text;
  const bool hasDrive =
      text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
  const Path current = text == currentDirectory_ ? Path{} : Parse(currentDirectory_);
  if (hasDrive) {
    path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    rest.remove_prefix(2);
    // "C:name" is relative to the drive's current folder; only the current drive has one here.
    if (!rest.empty() && !IsSeparator(rest[0]) && path.drive == current.drive) {
      path.parts = current.parts;
    }
  } else {
    path.drive = current.drive;
    if (!IsSeparator(rest[0])) path.parts = current.parts;
  }
  path.trailingSeparator = !rest.empty() && IsSeparator(rest.back());

  std::vector<std::string_view> names;
  std::size_t from = 0;
  while (from <= rest.size()) {
    std::size_t end = from;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    if (end > from) names.push_back(rest.substr(from, end - from));
    from = end + 1;
  }
  // Windows drops the trailing dots and blanks of the last component ("Program Files." is
  // "Program Files") unless a separator follows them.
  if (!path.trailingSeparator && !names.empty() && names.back() != "." && names.back() != "..") {
    std::string_view& last = names.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.remove_suffix(1);
    if (last.empty()) names.pop_back();
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    if (name == ".") continue;
    if (name == "..") {
      if (!path.parts.empty()) path.parts.pop_back();
      continue;
    }
    if (std::any_of(name.begin(), name.end(), InvalidChar)) {
      path.error = kErrorInvalidName;
      return path;
    }
    if (name.find_first_of("*?") != std::string_view::npos) {
      if (i + 1 != names.size()) {
        path.error = kErrorInvalidName;
        return path;
      }
      path.wildcardInLast = true;
    }
    path.parts.emplace_back(name);
  }
  ResolveShortNames(path);
  return path;
}

void SimFiles::ResolveShortNames(Path& path) const {
  const auto drive = drives_.find(path.drive);
  if (path.error != 0 || drive == drives_.end() || !drive->second.root) return;
  const Node* node = drive->second.root.get();
  for (std::string& part : path.parts) {
    const auto child = node->children.find(Key(part));
    if (child != node->children.end()) {
      node = child->second.get();
      continue;
    }
    if (part.find('~') == std::string::npos) return;
    const std::string wanted = Key(part);
    const auto alias =
        std::find_if(node->children.begin(), node->children.end(),
                     [&](const auto& entry) { return Key(entry.second->shortName) == wanted; });
    if (alias == node->children.end()) return;
    part = alias->second->name;
    node = alias->second.get();
  }
}

namespace {

bool ValidShortChar(char c) {
  return std::string_view("+,;=[] .").find(c) == std::string_view::npos;
}

// A name that is its own 8.3 name: at most eight characters, one dot, three more, no blanks.
bool IsShortName(std::string_view name) {
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  return !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
         extension.find('.') == std::string_view::npos &&
         std::all_of(base.begin(), base.end(), ValidShortChar) &&
         std::all_of(extension.begin(), extension.end(), ValidShortChar);
}

std::string ShortPiece(std::string_view text, std::size_t most) {
  std::string piece;
  for (char c : text) {
    if (c == ' ' || c == '.') continue;
    piece +=
        ValidShortChar(c) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : '_';
    if (piece.size() == most) break;
  }
  return piece;
}

}  // namespace

void SimFiles::AssignShortName(const Node& folder, Node& entry) {
  entry.shortName.clear();
  if (IsShortName(entry.name)) return;
  const std::size_t dot = entry.name.rfind('.');
  const std::string extension =
      dot == std::string::npos ? "" : ShortPiece(std::string_view(entry.name).substr(dot + 1), 3);
  const std::string base = ShortPiece(std::string_view(entry.name).substr(0, dot), 6);
  auto taken = [&](const std::string& candidate) {
    const std::string key = Key(candidate);
    return std::any_of(folder.children.begin(), folder.children.end(), [&](const auto& child) {
      return child.second.get() != &entry &&
             (child.first == key || Key(child.second->shortName) == key);
    });
  };
  for (int number = 1;; ++number) {
    const std::string tail = "~" + std::to_string(number);
    std::string candidate = base.substr(0, std::min(base.size(), 8 - tail.size())) + tail;
    if (!extension.empty()) candidate += "." + extension;
    if (!taken(candidate)) {
      entry.shortName = candidate;
      return;
    }
  }
}

SimFiles::Node* SimFiles::Find(const Path& path) const {
  if (path.error != 0 || path.wildcardInLast) return nullptr;
  const auto drive = drives_.find(path.drive);
  if (drive == drives_.end() || !drive->second.ready) return nullptr;
  Node* node = drive->second.root.get();
  for (const std::string& part : path.parts) {
    if (!node->directory) return nullptr;
    const auto child = node->children.find(Key(part));
    if (child == node->children.end()) return nullptr;
    node = child->second.get();
  }
  // "file\" names no file.
  if (path.trailingSeparator && !node->directory) return nullptr;
  return node;
}

SimFiles::Node* SimFiles::ParentOf(const Path& path) {
  if (path.error != 0) {
    Fail(path.error);
    return nullptr;
  }
  const auto drive = drives_.find(path.drive);
  if (drive == drives_.end()) {
    Fail(kErrorPathNotFound);
    return nullptr;
  }
  if (!drive->second.ready) {
    Fail(kErrorNotReady);
    return nullptr;
  }
  if (path.parts.empty()) {
    Fail(kErrorAccessDenied);  // the root itself is no file and cannot be made or removed
    return nullptr;
  }
  Path parent = path;
  parent.parts.pop_back();
  parent.trailingSeparator = false;
  parent.wildcardInLast = false;
  Node* node = Find(parent);
  if (node == nullptr || !node->directory) {
    Fail(kErrorPathNotFound);
    return nullptr;
  }
  return node;
}

// The node a call acts on, with the error the API gives when it is not there.
SimFiles::Node* SimFiles::FindForUse(const std::string& text, Path* parsed) {
  *parsed = Parse(text);
  if (parsed->wildcardInLast) {
    Fail(kErrorInvalidName);
    return nullptr;
  }
  Node* parent = ParentOf(*parsed);
  if (parent == nullptr) {
    // A drive root is there (when the drive is), though it has no parent.
    if (parsed->error == 0 && parsed->parts.empty() && LastError() == kErrorAccessDenied) {
      return drives_.at(parsed->drive).root.get();
    }
    return nullptr;
  }
  Node* node = Find(*parsed);
  if (node == nullptr) {
    const auto child = parent->children.find(Key(parsed->parts.back()));
    Fail(child == parent->children.end() ? kErrorFileNotFound : kErrorInvalidName);
  }
  return node;
}

std::optional<std::string> SimFiles::FindFirstMatch(const std::string& pattern,
                                                    std::uint32_t alsoMatch) {
  Path path = Parse(pattern);
  if (path.trailingSeparator || (path.error == 0 && path.parts.empty())) {
    Fail(kErrorFileNotFound);
    return std::nullopt;
  }
  Node* folder = ParentOf(path);
  if (folder == nullptr) return std::nullopt;
  const std::string& wanted = path.parts.back();
  for (const auto& [key, child] : folder->children) {
    if (!Matches(wanted, child->name)) continue;
    std::uint32_t kinds = child->attributes & (kAttrHidden | kAttrSystem);
    if (child->directory) kinds |= kAttrDirectory;
    if ((kinds & ~alsoMatch) != 0) continue;
    Succeed();
    return child->name;
  }
  Fail(kErrorFileNotFound);
  return std::nullopt;
}

bool SimFiles::FolderExists(const std::string& path) {
  const Node* node = Find(Parse(path));
  return node != nullptr && node->directory;
}

const SimFiles::Node* SimFiles::FileForReading(const std::string& path) {
  Path parsed;
  const Node* node = FindForUse(path, &parsed);
  if (node == nullptr) return nullptr;
  if (node->directory) {
    Fail(kErrorAccessDenied);
    return nullptr;
  }
  Succeed();
  return node;
}

std::optional<std::string> SimFiles::ReadAll(const std::string& path) {
  return ReadAt(path, 0, std::string::npos);
}

// Copies only the part asked for, so that reading a large file block by block costs what it
// costs on Windows.
std::optional<std::string> SimFiles::ReadAt(const std::string& path, std::uint64_t offset,
                                            std::size_t count) {
  const Node* node = FileForReading(path);
  if (node == nullptr) return std::nullopt;
  if (node->locked) {
    Fail(kErrorSharingViolation);
    return std::nullopt;
  }
  if (offset >= node->content.size()) return std::string();
  return node->content.substr(static_cast<std::size_t>(offset), count);
}

std::optional<std::uint64_t> SimFiles::FileSize(const std::string& path) {
  const Node* node = FileForReading(path);
  if (node == nullptr) return std::nullopt;
  return node->content.size();
}

bool SimFiles::MayChange(bool* cut) {
  if (crashed_) return false;
  if (changesLeft_ < 0) return true;
  if (changesLeft_ > 0) {
    --changesLeft_;
    return true;
  }
  crashed_ = true;
  if (cut != nullptr) *cut = true;
  return false;
}

// The crash came in the middle of a write: a part of the bytes made it to the disk.
void SimFiles::WriteBeforeCrash(const std::function<void()>& write) {
  const int saved = changesLeft_;
  changesLeft_ = -1;
  crashed_ = false;
  write();
  changesLeft_ = saved;
  crashed_ = true;
}

FileStatus SimFiles::WriteAll(const std::string& path, const std::string& bytes) {
  bool cut = false;
  if (!MayChange(&cut)) {
    if (cut) WriteBeforeCrash([&] { WriteAll(path, bytes.substr(0, bytes.size() / 2)); });
    return Fail(kErrorNotReady);
  }
  const Path parsed = Parse(path);
  if (parsed.wildcardInLast) return Fail(kErrorInvalidName);
  Node* parent = ParentOf(parsed);
  if (parent == nullptr) return Failed();
  const auto child = parent->children.find(Key(parsed.parts.back()));
  if (child != parent->children.end()) {
    Node& file = *child->second;
    if (file.directory) return Fail(kErrorAccessDenied);
    if (file.inUse) return Fail(kErrorSharingViolation);
    // CREATE_ALWAYS refuses to replace a read-only, hidden or system file.
    if (file.attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)) {
      return Fail(kErrorAccessDenied);
    }
    file.content = bytes;
    file.attributes = kAttrArchive;
    return Succeed();
  }
  if (parsed.trailingSeparator) return Fail(kErrorInvalidName);
  auto file = std::make_unique<Node>();
  file->name = parsed.parts.back();
  file->attributes = kAttrArchive;
  file->content = bytes;
  file->parent = parent;
  AssignShortName(*parent, *file);
  parent->children[Key(file->name)] = std::move(file);
  return Succeed();
}

FileStatus SimFiles::Append(const std::string& path, const std::string& bytes) {
  bool cut = false;
  if (!MayChange(&cut)) {
    if (cut) WriteBeforeCrash([&] { Append(path, bytes.substr(0, bytes.size() / 2)); });
    return Fail(kErrorNotReady);
  }
  const Path parsed = Parse(path);
  if (parsed.wildcardInLast) return Fail(kErrorInvalidName);
  Node* parent = ParentOf(parsed);
  if (parent == nullptr) return Failed();
  const auto child = parent->children.find(Key(parsed.parts.back()));
  if (child == parent->children.end()) return WriteAll(path, bytes);
  Node& file = *child->second;
  if (file.directory || (file.attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
  if (file.inUse) return Fail(kErrorSharingViolation);
  file.content += bytes;
  file.attributes |= kAttrArchive;
  return Succeed();
}

FileStatus SimFiles::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  if (!MayChange()) return Fail(kErrorNotReady);
  Path source;
  const Node* file = FindForUse(from, &source);
  if (file == nullptr) return Failed();
  if (file->directory) return Fail(kErrorAccessDenied);
  if (file->locked) return Fail(kErrorSharingViolation);
  const Path target = Parse(to);
  if (target.wildcardInLast) return Fail(kErrorInvalidName);
  Node* parent = ParentOf(target);
  if (parent == nullptr) return Failed();
  const auto existing = parent->children.find(Key(target.parts.back()));
  if (existing != parent->children.end()) {
    if (existing->second.get() == file) return Fail(kErrorSharingViolation);
    if (!overwrite) return Fail(kErrorFileExists);
  }
  return CopyInto(*file, *parent, target.parts.back());
}

FileStatus SimFiles::CopyInto(const Node& file, Node& folder, const std::string& name) {
  const auto existing = folder.children.find(Key(name));
  if (existing != folder.children.end()) {
    Node& old = *existing->second;
    if (old.directory || (old.attributes & (kAttrReadOnly | kAttrHidden))) {
      return Fail(kErrorAccessDenied);
    }
    if (old.inUse) return Fail(kErrorSharingViolation);
    old.content = file.content;
    old.attributes = file.attributes;
    return Succeed();
  }
  auto copy = std::make_unique<Node>();
  copy->name = name;
  copy->attributes = file.attributes;
  copy->content = file.content;
  copy->parent = &folder;
  AssignShortName(folder, *copy);
  folder.children[Key(name)] = std::move(copy);
  return Succeed();
}

FileStatus SimFiles::DeleteFile(const std::string& path) {
  ++deleteAttempts_[Key(path)];
  if (!MayChange()) return Fail(kErrorNotReady);
  Path parsed;
  Node* node = FindForUse(path, &parsed);
  if (node == nullptr) return Failed();
  if (node->directory || (node->attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
  if (node->inUse) return Fail(kErrorSharingViolation);
  node->parent->children.erase(Key(node->name));
  return Succeed();
}

namespace {

bool AnyInUse(const auto& node) {
  if (node.inUse) return true;
  for (const auto& [key, child] : node.children) {
    if (AnyInUse(*child)) return true;
  }
  return false;
}

}  // namespace

FileStatus SimFiles::Rename(const std::string& from, const std::string& to) {
  if (!MayChange()) return Fail(kErrorNotReady);
  Path source;
  Node* node = FindForUse(from, &source);
  if (node == nullptr) return Failed();
  if (source.parts.empty()) return Fail(kErrorAccessDenied);
  const Path target = Parse(to);
  if (target.wildcardInLast) return Fail(kErrorInvalidName);
  Node* parent = ParentOf(target);
  if (parent == nullptr) return Failed();
  const auto existing = parent->children.find(Key(target.parts.back()));
  // A change of letter case alone renames the entry in place.
  if (existing != parent->children.end() && existing->second.get() != node) {
    return Fail(kErrorAlreadyExists);
  }
  if (node->inUse) return Fail(kErrorSharingViolation);
  if (node->directory) {
    if (source.drive != target.drive) return Fail(kErrorNotSameDevice);
    for (const Node* up = parent; up != nullptr; up = up->parent) {
      if (up == node) return Fail(kErrorAccessDenied);  // into itself
    }
    if (AnyInUse(*node)) return Fail(kErrorAccessDenied);
  }
  std::unique_ptr<Node> moving = std::move(node->parent->children[Key(node->name)]);
  node->parent->children.erase(Key(node->name));
  moving->name = target.parts.back();
  moving->parent = parent;
  AssignShortName(*parent, *moving);
  parent->children[Key(moving->name)] = std::move(moving);
  return Succeed();
}

FileStatus SimFiles::ReplaceFile(const std::string& from, const std::string& to) {
  if (!MayChange()) return Fail(kErrorNotReady);
  Path source;
  Node* node = FindForUse(from, &source);
  if (node == nullptr) return Failed();
  if (node->directory) return Fail(kErrorAccessDenied);
  if (node->inUse) return Fail(kErrorSharingViolation);
  const Path target = Parse(to);
  if (target.wildcardInLast) return Fail(kErrorInvalidName);
  Node* parent = ParentOf(target);
  if (parent == nullptr) return Failed();
  const auto existing = parent->children.find(Key(target.parts.back()));
  if (existing != parent->children.end() && existing->second.get() != node) {
    const Node& old = *existing->second;
    if (old.directory || (old.attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
    if (old.inUse) return Fail(kErrorSharingViolation);
    // The replaced file keeps its name as first written, as Windows keeps the directory entry.
    std::unique_ptr<Node> moving = std::move(node->parent->children[Key(node->name)]);
    node->parent->children.erase(Key(node->name));
    existing->second->content = std::move(moving->content);
    existing->second->attributes = moving->attributes;
    return Succeed();
  }
  // Nothing to replace: a plain rename.
  changesLeft_ = changesLeft_ < 0 ? changesLeft_ : changesLeft_ + 1;
  return Rename(from, to);
}

FileStatus SimFiles::MakeDirectory(const std::string& path) {
  if (!MayChange()) return Fail(kErrorNotReady);
  const Path parsed = Parse(path);
  if (parsed.wildcardInLast) return Fail(kErrorInvalidName);
  if (parsed.error == 0 && parsed.parts.empty() && drives_.count(parsed.drive) != 0) {
    return Fail(kErrorAlreadyExists);
  }
  Node* parent = ParentOf(parsed);
  if (parent == nullptr) return Failed();
  if (parent->children.count(Key(parsed.parts.back())) != 0) return Fail(kErrorAlreadyExists);
  auto folder = std::make_unique<Node>();
  folder->name = parsed.parts.back();
  folder->directory = true;
  folder->parent = parent;
  AssignShortName(*parent, *folder);
  parent->children[Key(folder->name)] = std::move(folder);
  return Succeed();
}

}  // namespace platform::sim

namespace platform::sim {

std::string SimFiles::FullPathName(const std::string& text) {
  const Path path = Parse(text);
  if (path.error != 0 || path.drive == 0) {
    Fail(path.error != 0 ? path.error : kErrorInvalidName);
    return {};
  }
  std::string full = std::string(1, path.drive) + ":";
  for (const std::string& part : path.parts) full += "\\" + part;
  if (path.parts.empty() || path.trailingSeparator) full += "\\";
  Succeed();
  return full;
}

std::optional<std::string> SimFiles::LongPathName(const std::string& text) {
  const Path path = Parse(text);
  if (Find(path) == nullptr) {
    Fail(kErrorFileNotFound);
    return std::nullopt;
  }
  // The parts are long names already; the letters stay as the caller wrote them.
  return FullPathName(text);
}

}  // namespace platform::sim

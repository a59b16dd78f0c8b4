// The folder-tree calls of the simulated file system, and its set-up and inspection for tests.
#include "platform/sim/sim_files.h"

#include <algorithm>
#include <cctype>

namespace platform::sim {

FileStatus SimFiles::RemoveFolder(const std::string& path) {
  if (!MayChange()) return Fail(kErrorNotReady);
  Path parsed;
  Node* node = FindForUse(path, &parsed);
  if (node == nullptr) return Failed();
  if (!node->directory) return Fail(kErrorDirectory);
  if (parsed.parts.empty() || (node->attributes & kAttrReadOnly)) return Fail(kErrorAccessDenied);
  if (!node->children.empty()) return Fail(kErrorDirNotEmpty);
  node->parent->children.erase(Key(node->name));
  return Succeed();
}

std::optional<std::uint32_t> SimFiles::GetAttributes(const std::string& path) {
  Path parsed;
  const Node* node = FindForUse(path, &parsed);
  if (node == nullptr) return std::nullopt;
  Succeed();
  if (node->directory) return node->attributes | kAttrDirectory;
  return node->attributes == 0 ? kAttrNormal : node->attributes;
}

FileStatus SimFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
  if (!MayChange()) return Fail(kErrorNotReady);
  Path parsed;
  Node* node = FindForUse(path, &parsed);
  if (node == nullptr) return Failed();
  node->attributes = attributes & kSettableAttributes;
  return Succeed();
}

std::vector<std::string> SimFiles::ListFolder(const std::string& path) {
  std::vector<std::string> names;
  const Node* node = Find(Parse(path));
  if (node == nullptr || !node->directory) {
    Fail(kErrorPathNotFound);
    return names;
  }
  for (const auto& [key, child] : node->children) names.push_back(child->name);
  Succeed();
  return names;
}

std::vector<DriveInfo> SimFiles::Drives() {
  std::vector<DriveInfo> drives;
  for (const auto& [letter, drive] : drives_) {
    drives.push_back(DriveInfo{std::string(1, letter), drive.type, drive.ready});
  }
  return drives;
}

SimFiles::Node* SimFiles::MakeFolders(const Path& path) {
  auto drive = drives_.find(path.drive);
  if (path.error != 0 || path.wildcardInLast || drive == drives_.end()) return nullptr;
  Node* node = drive->second.root.get();
  for (const std::string& part : path.parts) {
    auto& slot = node->children[Key(part)];
    if (!slot) {
      slot = std::make_unique<Node>();
      slot->name = part;
      slot->directory = true;
      slot->parent = node;
      AssignShortName(*node, *slot);
    }
    if (!slot->directory) return nullptr;
    node = slot.get();
  }
  return node;
}

void SimFiles::AddFolder(const std::string& path, std::uint32_t attributes) {
  Node* folder = MakeFolders(Parse(path));
  if (folder != nullptr) folder->attributes = attributes & kSettableAttributes;
}

void SimFiles::AddFile(const std::string& path, const std::string& content,
                       std::uint32_t attributes) {
  Path parsed = Parse(path);
  if (parsed.parts.empty()) return;
  const std::string name = parsed.parts.back();
  parsed.parts.pop_back();
  Node* folder = MakeFolders(parsed);
  if (folder == nullptr) return;
  auto& slot = folder->children[Key(name)];
  if (slot && slot->directory) return;
  if (!slot) slot = std::make_unique<Node>();
  slot->name = name;
  slot->attributes = attributes & kSettableAttributes;
  slot->content = content;
  slot->parent = folder;
  AssignShortName(*folder, *slot);
}

void SimFiles::SetInUse(const std::string& path, bool inUse) {
  if (Node* node = Find(Parse(path))) node->inUse = inUse;
}

void SimFiles::SetLocked(const std::string& path, bool locked) {
  if (Node* node = Find(Parse(path))) node->inUse = node->locked = locked;
}

void SimFiles::AddDrive(char letter, int type, bool ready) {
  Drive& drive = drives_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))];
  drive.type = type;
  drive.ready = ready;
  if (!drive.root) {
    drive.root = std::make_unique<Node>();
    drive.root->directory = true;
  }
}

void SimFiles::SetCurrentDirectory(const std::string& path) {
  currentDirectory_ = path;
}

bool SimFiles::Exists(const std::string& path) const {
  return Find(Parse(path)) != nullptr;
}

std::optional<std::string> SimFiles::FileContent(const std::string& path) const {
  const Node* node = Find(Parse(path));
  if (node == nullptr || node->directory) return std::nullopt;
  return node->content;
}

}  // namespace platform::sim

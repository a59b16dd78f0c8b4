#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace platform::sim {
namespace {

// Rights that change a key: any of them in an open request is refused on a key the user may not
// write, as the key's security descriptor would refuse it.
constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

std::vector<std::uint8_t> StringBytes(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::uint32_t DwordOf(const std::vector<std::uint8_t>& data) {
  return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

std::string TextOf(const std::vector<std::uint8_t>& data) {
  return std::string(data.begin(), std::find(data.begin(), data.end(), std::uint8_t{0}));
}

std::string Describe(const SimRegValue& value) {
  switch (value.type) {
    case kRegSz:
      return "REG_SZ \"" + TextOf(value.data) + "\"";
    case kRegExpandSz:
      return "REG_EXPAND_SZ \"" + TextOf(value.data) + "\"";
    case kRegDword:
      if (value.data.size() == 4) return "REG_DWORD " + std::to_string(DwordOf(value.data));
      break;
  }
  std::string text = value.type == kRegBinary    ? "REG_BINARY"
                     : value.type == kRegMultiSz ? "REG_MULTI_SZ"
                     : value.type == kRegNone    ? "REG_NONE"
                                                 : "type " + std::to_string(value.type);
  char hex[4];
  for (std::uint8_t b : value.data) {
    std::snprintf(hex, sizeof hex, " %02x", b);
    text += hex;
  }
  return text;
}

}  // namespace

bool SimRegistry::CaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

SimRegistry::SimRegistry() {
  for (RegKey root :
       {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers, kHkeyCurrentConfig}) {
    auto node = std::make_shared<Node>();
    node->root = root;
    roots_[root] = std::move(node);
  }
  AddKey(kHkeyCurrentUser, "Software");
  AddKey(kHkeyLocalMachine, "SOFTWARE");
  AddKey(kHkeyLocalMachine, "SYSTEM");
  AddKey(kHkeyUsers, ".DEFAULT");
}

SimRegistry::~SimRegistry() = default;

long SimRegistry::Resolve(RegKey key, Handle* out) {
  if (auto root = roots_.find(key); root != roots_.end()) {
    // A predefined handle carries every right; the keys' own rules still decide writes.
    *out = Handle{root->second, kKeyAllAccess};
    return kErrorSuccess;
  }
  auto handle = handles_.find(key);
  if (handle == handles_.end()) {
    ++invalidHandleUses_;
    return kErrorInvalidHandle;
  }
  if (handle->second.node->deleted) return kErrorKeyDeleted;
  *out = handle->second;
  return kErrorSuccess;
}

bool SimRegistry::Writable(const Node& node) const {
  if (limitedUser_ && (node.root == kHkeyLocalMachine || node.root == kHkeyClassesRoot)) {
    return false;
  }
  for (const Node* n = &node; n != nullptr; n = n->parent) {
    if (n->protectedKey) return false;
  }
  return true;
}

RegKey SimRegistry::NewHandle(std::shared_ptr<Node> node, std::uint32_t access) {
  const RegKey key = nextHandle_;
  nextHandle_ += 4;
  handles_[key] = Handle{std::move(node), access};
  return key;
}

long SimRegistry::OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
                          RegKey* result) {
  Handle base;
  if (long error = Resolve(parent, &base)) return error;
  std::shared_ptr<Node> node = base.node;
  for (const std::string& part : SplitPath(subKey)) {
    auto child = node->children.find(part);
    if (child == node->children.end()) return kErrorFileNotFound;
    node = child->second;
  }
  if ((access & kWriteRights) != 0 && !Writable(*node)) return kErrorAccessDenied;
  *result = NewHandle(std::move(node), access);
  return kErrorSuccess;
}

long SimRegistry::CreateKey(RegKey parent, const std::string& subKey, RegKey* result) {
  Handle base;
  if (long error = Resolve(parent, &base)) return error;
  std::shared_ptr<Node> node = base.node;
  for (const std::string& part : SplitPath(subKey)) {
    auto child = node->children.find(part);
    if (child == node->children.end()) {
      // The key's own rights decide, not those of the handle the path starts from: a key opened
      // for reading may still have keys created below it.
      if (!Writable(*node)) return kErrorAccessDenied;
      auto created = std::make_shared<Node>();
      created->name = part;
      created->root = node->root;
      created->parent = node.get();
      child = node->children.emplace(part, std::move(created)).first;
    }
    node = child->second;
  }
  // The key is opened with full access, which a protected key refuses even when it exists.
  if (!Writable(*node)) return kErrorAccessDenied;
  *result = NewHandle(std::move(node), kKeyAllAccess);
  return kErrorSuccess;
}

long SimRegistry::CloseKey(RegKey key) {
  if (roots_.count(key) != 0) return kErrorSuccess;
  if (handles_.erase(key) != 0) return kErrorSuccess;
  ++invalidHandleUses_;
  return kErrorInvalidHandle;
}

long SimRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                             std::vector<std::uint8_t>* data) {
  Handle handle;
  if (long error = Resolve(key, &handle)) return error;
  if ((handle.access & kKeyQueryValue) == 0) return kErrorAccessDenied;
  auto value = handle.node->values.find(name);
  if (value == handle.node->values.end()) return kErrorFileNotFound;
  if (type != nullptr) *type = value->second.type;
  if (data != nullptr) *data = value->second.data;
  return kErrorSuccess;
}

long SimRegistry::SetValue(RegKey key, const std::string& name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
  Handle handle;
  if (long error = Resolve(key, &handle)) return error;
  if ((handle.access & kKeySetValue) == 0 || !Writable(*handle.node)) return kErrorAccessDenied;
  // Assigning through the map keeps the name as first written when only its case differs.
  handle.node->values[name] = SimRegValue{type, data};
  return kErrorSuccess;
}

long SimRegistry::SetString(RegKey key, const std::string& name, const std::string& value,
                            bool expand) {
  return SetValue(key, name, expand ? kRegExpandSz : kRegSz, StringBytes(value));
}

long SimRegistry::SetDword(RegKey key, const std::string& name, std::uint32_t value) {
  return SetValue(key, name, kRegDword, DwordBytes(value));
}

long SimRegistry::EnumKey(RegKey key, std::uint32_t index, std::string* name) {
  Handle handle;
  if (long error = Resolve(key, &handle)) return error;
  if ((handle.access & kKeyEnumerateSubKeys) == 0) return kErrorAccessDenied;
  if (index >= handle.node->children.size()) return kErrorNoMoreItems;
  *name = std::next(handle.node->children.begin(), index)->second->name;
  return kErrorSuccess;
}

long SimRegistry::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  Handle handle;
  if (long error = Resolve(key, &handle)) return error;
  if ((handle.access & kKeyQueryValue) == 0) return kErrorAccessDenied;
  if (index >= handle.node->values.size()) return kErrorNoMoreItems;
  *name = std::next(handle.node->values.begin(), index)->first;
  return kErrorSuccess;
}

long SimRegistry::DeleteValue(RegKey key, const std::string& name) {
  Handle handle;
  if (long error = Resolve(key, &handle)) return error;
  if ((handle.access & kKeySetValue) == 0 || !Writable(*handle.node)) return kErrorAccessDenied;
  return handle.node->values.erase(name) != 0 ? kErrorSuccess : kErrorFileNotFound;
}

long SimRegistry::DeleteSubtree(Node& node) {
  // The real call opens each key with full access and deletes depth first, so a protected key deep
  // down stops it after the sub-keys before it (in name order) are already gone.
  if (!Writable(node)) return kErrorAccessDenied;
  while (!node.children.empty()) {
    auto child = node.children.begin();
    if (long error = DeleteSubtree(*child->second)) return error;
    node.children.erase(child);
  }
  node.deleted = true;
  node.parent = nullptr;
  return kErrorSuccess;
}

long SimRegistry::DeleteTree(RegKey parent, const std::string& subKey) {
  Handle base;
  if (long error = Resolve(parent, &base)) return error;
  const std::vector<std::string> parts = SplitPath(subKey);
  // Deleting the parent itself through an empty name is refused; the program never asks for it.
  if (parts.empty()) return kErrorInvalidParameter;
  std::shared_ptr<Node> node = base.node;
  for (const std::string& part : parts) {
    auto child = node->children.find(part);
    if (child == node->children.end()) return kErrorFileNotFound;
    node = child->second;
  }
  Node* owner = node->parent;
  if (long error = DeleteSubtree(*node)) return error;
  owner->children.erase(node->name);
  return kErrorSuccess;
}

std::shared_ptr<SimRegistry::Node> SimRegistry::Find(RegKey root, const std::string& path) const {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  std::shared_ptr<Node> node = it->second;
  for (const std::string& part : SplitPath(path)) {
    auto child = node->children.find(part);
    if (child == node->children.end()) return nullptr;
    node = child->second;
  }
  return node;
}

std::shared_ptr<SimRegistry::Node> SimRegistry::FindOrCreate(RegKey root, const std::string& path) {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  std::shared_ptr<Node> node = it->second;
  for (const std::string& part : SplitPath(path)) {
    std::shared_ptr<Node>& child = node->children[part];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = part;
      child->root = root;
      child->parent = node.get();
    }
    node = child;
  }
  return node;
}

void SimRegistry::AddKey(RegKey root, const std::string& path) {
  FindOrCreate(root, path);
}

void SimRegistry::PutValue(RegKey root, const std::string& path, const std::string& name,
                           std::uint32_t type, std::vector<std::uint8_t> data) {
  if (auto node = FindOrCreate(root, path)) node->values[name] = SimRegValue{type, std::move(data)};
}

void SimRegistry::PutString(RegKey root, const std::string& path, const std::string& name,
                            const std::string& value, bool expand) {
  PutValue(root, path, name, expand ? kRegExpandSz : kRegSz, StringBytes(value));
}

void SimRegistry::PutDword(RegKey root, const std::string& path, const std::string& name,
                           std::uint32_t value) {
  PutValue(root, path, name, kRegDword, DwordBytes(value));
}

void SimRegistry::ProtectKey(RegKey root, const std::string& path) {
  if (auto node = FindOrCreate(root, path)) node->protectedKey = true;
}

void SimRegistry::SetLimitedUser(bool limited) {
  limitedUser_ = limited;
}

bool SimRegistry::KeyExists(RegKey root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

std::optional<SimRegValue> SimRegistry::Value(RegKey root, const std::string& path,
                                              const std::string& name) const {
  auto node = Find(root, path);
  if (!node) return std::nullopt;
  auto value = node->values.find(name);
  if (value == node->values.end()) return std::nullopt;
  return value->second;
}

std::optional<std::string> SimRegistry::StringValue(RegKey root, const std::string& path,
                                                    const std::string& name) const {
  auto value = Value(root, path, name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
  return TextOf(value->data);
}

std::optional<std::uint32_t> SimRegistry::DwordValue(RegKey root, const std::string& path,
                                                     const std::string& name) const {
  auto value = Value(root, path, name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return std::nullopt;
  return DwordOf(value->data);
}

std::vector<std::string> SimRegistry::SubKeyNames(RegKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (auto node = Find(root, path)) {
    for (const auto& [name, child] : node->children) names.push_back(name);
  }
  return names;
}

std::vector<std::string> SimRegistry::ValueNames(RegKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (auto node = Find(root, path)) {
    for (const auto& [name, value] : node->values) names.push_back(name);
  }
  return names;
}

std::string SimRegistry::Dump(RegKey root, const std::string& path) const {
  auto node = Find(root, path);
  if (!node) return {};
  std::string text;
  // Depth first, sub-keys in name order, as an export lists them.
  auto dump = [&text](const auto& self, const Node& key, const std::string& keyPath) -> void {
    text += keyPath + "\n";
    for (const auto& [name, value] : key.values) {
      text += "  " + (name.empty() ? std::string("@") : name) + " = " + Describe(value) + "\n";
    }
    for (const auto& [name, child] : key.children) self(self, *child, keyPath + "\\" + name);
  };
  dump(dump, *node, path);
  return text;
}

}  // namespace platform::sim

#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform::sim {

struct SimRegValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;  // raw bytes; REG_SZ includes its terminating zero
};

// An in-memory registry that behaves like the real one for the calls the program makes: a tree of
// keys under the predefined roots, names compared without regard to case but stored as first
// written, typed values, access masks on handles, keys the user may not write, and error codes as
// the API returns them. Handles are never reused, so a stale handle always gives 6.
//
// Fresh roots hold what every Windows installation has: HKCU\Software, HKLM\SOFTWARE,
// HKLM\SYSTEM and HKU\.DEFAULT. HKEY_CLASSES_ROOT is a tree of its own (the per-user merge
// with HKLM\SOFTWARE\Classes is not modelled). Generic access rights are not modelled.
class SimRegistry : public Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;
  SimRegistry(const SimRegistry&) = delete;
  SimRegistry& operator=(const SimRegistry&) = delete;

  long OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
               RegKey* result) override;
  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override;
  long CloseKey(RegKey key) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                  std::vector<std::uint8_t>* data) override;
  long SetString(RegKey key, const std::string& name, const std::string& value,
                 bool expand = false) override;
  long SetDword(RegKey key, const std::string& name, std::uint32_t value) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) override;
  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override;
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteTree(RegKey parent, const std::string& subKey) override;

  // Set-up for tests. Paths are relative to a predefined root ("Software\Vendor\Product");
  // missing keys on the way are created; access rules do not apply.
  void AddKey(RegKey root, const std::string& path);
  void PutValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> data);
  void PutString(RegKey root, const std::string& path, const std::string& name,
                 const std::string& value, bool expand = false);
  void PutDword(RegKey root, const std::string& path, const std::string& name, std::uint32_t value);
  // The user may read the key and everything under it but not change, create or delete anything
  // there (as with keys an administrator or a security product locked down).
  void ProtectKey(RegKey root, const std::string& path);
  // A limited user: HKEY_LOCAL_MACHINE cannot be written, nor HKEY_CLASSES_ROOT, whose writes land
  // in the machine's classes for keys registered machine-wide.
  void SetLimitedUser(bool limited);

  // Inspection for tests; they ignore access rules and open no handles.
  bool KeyExists(RegKey root, const std::string& path) const;
  std::optional<SimRegValue> Value(RegKey root, const std::string& path,
                                   const std::string& name) const;
  // REG_SZ or REG_EXPAND_SZ text up to its first zero; nullopt for other types.
  std::optional<std::string> StringValue(RegKey root, const std::string& path,
                                         const std::string& name) const;
  std::optional<std::uint32_t> DwordValue(RegKey root, const std::string& path,
                                          const std::string& name) const;
  std::vector<std::string> SubKeyNames(RegKey root, const std::string& path) const;
  std::vector<std::string> ValueNames(RegKey root, const std::string& path) const;
  // Handles opened through OpenKey/CreateKey and not yet closed: a leak shows here.
  std::size_t OpenHandleCount() const { return handles_.size(); }
  // Calls given a handle that was closed or never opened: a double close shows here.
  std::size_t InvalidHandleUses() const { return invalidHandleUses_; }
  // The key and everything under it, one line per key (its path as given, then the stored names
  // of the keys below) and one indented line per value, e.g.
  //   Software\Vendor
  //     @ = REG_SZ "default value"
  //     Count = REG_DWORD 5
  //   Software\Vendor\Sub
  // Empty when the key does not exist.
  std::string Dump(RegKey root, const std::string& path) const;

 private:
  struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Node {
    std::string name;
    RegKey root = 0;
    Node* parent = nullptr;
    bool protectedKey = false;
    bool deleted = false;
    std::map<std::string, SimRegValue, CaseLess> values;
    std::map<std::string, std::shared_ptr<Node>, CaseLess> children;
  };
  struct Handle {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
  };

  long Resolve(RegKey key, Handle* out);
  long DeleteSubtree(Node& node);
  bool Writable(const Node& node) const;
  RegKey NewHandle(std::shared_ptr<Node> node, std::uint32_t access);
  std::shared_ptr<Node> Find(RegKey root, const std::string& path) const;
  std::shared_ptr<Node> FindOrCreate(RegKey root, const std::string& path);

  std::map<RegKey, std::shared_ptr<Node>> roots_;
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x1000;
  bool limitedUser_ = false;
  std::size_t invalidHandleUses_ = 0;
};

}  // namespace platform::sim

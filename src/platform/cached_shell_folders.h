#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/shell_folders.h"

namespace platform {

// The shell's folders asked once each and remembered: a scan expands a placeholder on nearly
// every definition line, and asking the shell costs far more than the existence check the line
// is for. The folders do not move during a scan; Forget starts afresh for the next one.
class CachedShellFolders : public ShellFolders {
 public:
  explicit CachedShellFolders(ShellFolders& shell) : shell_(shell) {}

  std::optional<std::string> SpecialFolderPath(int csidl) override {
    auto found = paths_.find(csidl);
    if (found == paths_.end()) found = paths_.emplace(csidl, shell_.SpecialFolderPath(csidl)).first;
    return found->second;
  }
  std::optional<std::string> SpecialFolderLocationPath(int csidl) override {
    auto found = locations_.find(csidl);
    if (found == locations_.end()) {
      found = locations_.emplace(csidl, shell_.SpecialFolderLocationPath(csidl)).first;
    }
    return found->second;
  }
  void Forget() {
    paths_.clear();
    locations_.clear();
  }

 private:
  ShellFolders& shell_;
  std::map<int, std::optional<std::string>> paths_;
  std::map<int, std::optional<std::string>> locations_;
};

}  // namespace platform

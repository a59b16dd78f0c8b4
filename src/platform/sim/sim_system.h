#pragma once

#include <string>
#include <utility>

#include "platform/system.h"

namespace platform::sim {

// The program's own view of the simulated machine: Windows XP, and the default build's version
// block, installed in its usual folder. Copyable, so another process can start as the same program.
class SimSystem : public System {
 public:
  SimSystem() {
    ownVersion_.productName = "Quillmoor AntiSpyware";
    ownVersion_.companyName = "Quillmoor Software";
    ownVersion_.comments = "YourWebsite.com";
    ownVersion_.major = 1;
    ownVersion_.minor = 0;
  }

  bool GetVersion(OsVersion* version) override {
    if (getVersionFails_) return false;
    *version = osVersion_;
    return true;
  }
  OwnVersionInfo GetOwnVersionInfo() override { return ownVersion_; }
  std::string ProgramFolder() override { return programFolder_; }
  std::string ExeName() override { return exeName_; }

  void SetOsVersion(const OsVersion& version) { osVersion_ = version; }
  // GetVersionExA fails, as it does when called with a structure size it does not know.
  void SetGetVersionFails(bool fails) { getVersionFails_ = fails; }
  void SetOwnVersionInfo(OwnVersionInfo info) { ownVersion_ = std::move(info); }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  void SetExeName(std::string name) { exeName_ = std::move(name); }

 private:
  OsVersion osVersion_;
  bool getVersionFails_ = false;
  OwnVersionInfo ownVersion_;
  std::string programFolder_ = "C:\\Program Files\\Quillmoor AntiSpyware";
  std::string exeName_ = "AntiSpyware";
};

}  // namespace platform::sim

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/machine.h"

namespace definitions {

inline constexpr const char* kSafetyFile = "Safety.dat";

// The protected path a decoded Safety.dat line stands for; "" for a line that protects
// nothing. Fields: type ("SFILE", "SEXE", "SDLL", "SREG", "SDIR", exact case), name "=" anything,
// location with "[drive]" and placeholders (for "SREG" hive code "^" key ["^" value]).
std::string SafetyEntryPath(platform::ShellFolders& shellFolders, const std::string& driveRoot,
                            std::string_view decodedLine);

// The locations a scan must neither report nor touch: the protected paths of Safety.dat
// (`SafetyList`), reloaded at the start of every scan, and those that are protected whatever
// Safety.dat says: blank paths, the hive roots, every drive root, the folder of every path
// placeholder, the data folder and the program's own folder, and a few registry keys whose
// removal as a whole tree would break Windows or every program (the keys directly below a hive
// root, Software\Microsoft, Software\Classes and its CLSID key, Software\Policies, the
// CurrentVersion keys of Windows and Windows NT with the Run and Winlogon keys, Internet
// Explorer's Main key, and SYSTEM\CurrentControlSet with its Control and Services keys).
// Without them a definition naming such a folder or key would, with Safety.dat missing or
// incomplete, be reported and removed with everything in it. Each protects the location itself,
// not what lies inside it.
class ProtectedPaths {
 public:
  explicit ProtectedPaths(platform::Machine& machine);

  // Rebuilds `SafetyList` from Safety.dat in the data folder (empty when the file is missing),
  // reading line by line until the end or until stopRequested says so, and yielding after
  // every line. Also takes the system's folders afresh. Returns true.
  bool LoadSafetyList(const std::string& dataFolder,
                      const std::function<bool()>& stopRequested = {},
                      const std::function<void()>& yield = {});

  // True when the path (file, folder or registry location) must not be reported or touched.
  // Letter case, blanks around it and one final "/" then one final "\" do not matter.
  bool IsProtectedPath(const std::string& path);

  const std::vector<std::string>& SafetyList() const { return safetyList_; }

 private:
  void LoadSystemFolders();

  platform::Machine& machine_;
  std::vector<std::string> safetyList_;
  std::vector<std::string> normalisedList_;
  std::vector<std::string> systemFolders_;  // normalised
  bool systemFoldersLoaded_ = false;
};

}  // namespace definitions

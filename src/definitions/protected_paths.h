#pragma once

#include <functional>
#include <set>
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

// The locations a scan must neither report nor touch. A location is protected when it is one of
// them or contains one of them, since deleting a folder or key deletes what lies inside it:
// - the protected paths of Safety.dat (`SafetyList`), reloaded at the start of every scan;
// - blank paths, the hive roots and the keys directly below them, every drive root, the folder
//   of every path placeholder;
// - the data folder and the program's own folder, and everything inside those two: the
//   definitions, the quarantine and its log, the report and the program itself;
// - the keys whose removal as a whole tree would break Windows or every program
//   (Software\Microsoft and the keys of Windows inside it that hold start-up, shell and logon
//   entries, Software\Classes and its class tables, Software\Policies, SYSTEM with every control
//   set and its Control, Services and Enum keys), of the machine and of every user.
// Without them a definition naming such a place would, with Safety.dat missing or incomplete,
// be reported and removed with everything in it. What lies inside a protected folder or key
// (other than the data and program folders) stays unprotected: threats live there.
//
// Registry locations are compared in every form that names the same place (RegistryForms);
// file locations are expected in the form CanonicalFilePath gives, which Safety.dat's entries
// and the system's folders are brought to as well.
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
  // Adds a location of Safety.dat or of the system in every form it is compared in.
  void AddLocation(const std::string& location);
  // The location is protected itself or lies above a protected one.
  bool Covers(const std::string& normalised) const;
  bool IsProtectedKey(const std::string& form) const;

  platform::Machine& machine_;
  std::vector<std::string> safetyList_;
  std::set<std::string> safetyLocations_;  // normalised, in every form
  std::set<std::string> systemLocations_;  // normalised: the vital keys and system folders
  std::vector<std::string> ownFolders_;    // normalised: data and program folder
  bool systemFoldersLoaded_ = false;
};

}  // namespace definitions

#include "definition_folder.h"

#include <fstream>
#include <set>
#include <sstream>

#include "entry_rules.h"

namespace defserver {

bool ReadDefinitionFolder(const std::string& folder, DefinitionSet* set,
                          std::vector<std::string>* errors) {
  set->clear();
  errors->clear();
  for (Kind kind : kAllKinds) {
    const std::string path = folder + "/" + std::string(PlainFileName(kind));
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      errors->push_back(path + ": cannot be read");
      continue;
    }
    std::vector<std::string>& entries = (*set)[kind];
    std::set<std::string> seen;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
      ++lineNumber;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line.front() == '#') continue;
      if (std::optional<std::string> problem = EntryProblem(kind, line)) {
        std::ostringstream message;
        message << path << ":" << lineNumber << ": the entry " << *problem;
        errors->push_back(message.str());
        continue;
      }
      if (seen.insert(line).second) entries.push_back(line);
    }
  }
  return errors->empty();
}

}  // namespace defserver

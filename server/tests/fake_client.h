#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace defserver::testing {

// The scanner's side of Live Update, written from the client's description of its merge and
// not from the server's encoder: its definition files, stored scrambled line by line, and the
// merge of an update text into them. What a test finds in these files is what a real client
// would hold.
class FakeClient {
 public:
  // Puts a starter set in place: plain lines per file name ("FileDefinition.dat", ...).
  void Install(const std::map<std::string, std::vector<std::string>>& plainFiles);

  // Merges an update text; returns the client's change count (one per line added, one per file
  // that had deletions).
  int Merge(std::string_view update);

  // The decoded lines of one file, in their order.
  std::vector<std::string> Lines(const std::string& file) const;

 private:
  std::map<std::string, std::vector<std::string>> stored_;
};

}  // namespace defserver::testing

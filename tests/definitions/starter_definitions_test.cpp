#include <gtest/gtest.h>

#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_entries.h"
#include "definitions/definition_files.h"
#include "definitions/hives.h"
#include "definitions/line_codec.h"
#include "definitions/placeholders.h"
#include "definitions/protected_paths.h"
#include "golden.h"
#include "platform/sim/sim_machine.h"

namespace definitions {
namespace {

using platform::sim::kSimDataFolder;

// The plain entries of a starter file of the repository: notes (empty and "#" lines) left out.
std::vector<std::string> StarterEntries(const std::string& name) {
  std::vector<std::string> entries;
  const std::string text = test_support::ReadSourceFile("data/definitions/" + name + ".txt");
  for (const std::string& line : common::SplitLines(text)) {
    if (!line.empty() && line[0] != '#') entries.push_back(line);
  }
  return entries;
}

// The starter set installed in the data folder of a simulated machine, as the build lays it out.
class StarterDefinitionsTest : public ::testing::Test {
 protected:
  StarterDefinitionsTest() {
    for (const char* name : {"FileDefinition", "DirectoryDefinition", "RegistryDefinition",
                             "ExeDefinition", "BlockedCookies", "Safety"}) {
      std::vector<std::string> stored;
      for (const std::string& entry : StarterEntries(name)) {
        stored.push_back(ScrambleText(entry));
        EXPECT_EQ(DecodeDefinitionLine(stored.back()), entry);
        EXPECT_EQ(common::SplitLines(stored.back()).size(), 1u) << entry;
      }
      sim.files.AddFile(std::string(kSimDataFolder) + "\\" + name + ".dat",
                        common::JoinLines(stored));
    }
  }

  platform::sim::SimMachine sim;
  ProtectedPaths protectedPaths{sim.machine};
  const std::string root = "C:\\";
};

TEST_F(StarterDefinitionsTest, EveryThreatNamesAnUnprotectedPlaceOfItsKind) {
  protectedPaths.LoadSafetyList(kSimDataFolder);
  for (const std::string& line : StarterEntries("FileDefinition")) {
    const FileDefinition entry = ParseFileDefinition(sim.shellFolders, root, line);
    EXPECT_FALSE(entry.threatName.empty()) << line;
    EXPECT_EQ(entry.path.substr(0, 3), root) << line;
    EXPECT_FALSE(protectedPaths.IsProtectedPath(entry.path)) << line;
  }
  for (const std::string& line : StarterEntries("DirectoryDefinition")) {
    const FileDefinition entry = ParseDirectoryDefinition(sim.shellFolders, root, line);
    EXPECT_TRUE(entry.hasLocation) << line;
    EXPECT_FALSE(protectedPaths.IsProtectedPath(entry.path)) << line;
  }
  bool keyOnly = false;
  bool value = false;
  for (const std::string& line : StarterEntries("RegistryDefinition")) {
    const std::size_t split = line.rfind('=');
    ASSERT_NE(split, std::string::npos) << line;
    const auto fields = common::Split(line.substr(0, split), "^");
    ASSERT_GE(fields.size(), 2u) << line;
    const std::string hive = HiveNameFromCodeText(fields[0]);
    EXPECT_FALSE(hive.empty()) << line;
    const std::string key = hive + "\\" + fields[1];
    EXPECT_FALSE(protectedPaths.IsProtectedPath(key + common::Piece(fields, 2))) << line;
    (common::Piece(fields, 2).empty() ? keyOnly : value) = true;
  }
  EXPECT_TRUE(keyOnly && value);
  for (const std::string& line : StarterEntries("ExeDefinition")) {
    EXPECT_NE(line.find(".exe="), std::string::npos) << line;
  }
  for (const std::string& line : StarterEntries("BlockedCookies")) {
    EXPECT_NE(line.find('.'), std::string::npos) << line;
  }
}

TEST_F(StarterDefinitionsTest, SafetyProtectsTheSystemsOwnFilesAndKeys) {
  protectedPaths.LoadSafetyList(kSimDataFolder);
  EXPECT_EQ(protectedPaths.SafetyList().size(), StarterEntries("Safety").size());
  for (const char* path : {"C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\system32\\kernel32.dll",
                           "C:\\WINDOWS\\system32\\drivers\\etc\\hosts",
                           "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\"
                           "Winlogon\\Shell"}) {
    EXPECT_TRUE(protectedPaths.IsProtectedPath(path)) << path;
  }
}

}  // namespace
}  // namespace definitions

#include "definitions/definition_files.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace definitions {
namespace {

using platform::sim::kSimDataFolder;

class DefinitionFilesTest : public ::testing::Test {
 protected:
  std::string InData(const std::string& name) { return std::string(kSimDataFolder) + "\\" + name; }
  void AddAllFive() {
    for (const char* name : kDefinitionFiles) sim.files.AddFile(InData(name), "x\r\n");
  }
  bool Check() {
    return CheckDefinitionFiles(sim.files, kSimDataFolder, [this] { ++reports; });
  }

  platform::sim::SimMachine sim;
  int reports = 0;
};

TEST_F(DefinitionFilesTest, AllFivePresentPassWithoutAReport) {
  AddAllFive();
  sim.files.AddFile(InData("date.dat"), "3/1/2007\r\n");
  EXPECT_TRUE(Check());
  EXPECT_EQ(reports, 0);
  EXPECT_TRUE(sim.files.Exists(InData("date.dat")));
}

TEST_F(DefinitionFilesTest, AMissingOrHiddenFileIsReportedAndTheWholeSetDeleted) {
  AddAllFive();
  sim.files.AddFile(InData("date.dat"), "3/1/2007\r\n");
  sim.files.AddFile(InData("Safety.dat"), "s\r\n");
  sim.files.SetAttributes(InData("ExeDefinition.dat"), platform::kAttrHidden);
  EXPECT_FALSE(Check());
  EXPECT_EQ(reports, 1);
  for (const char* name : kDefinitionFiles) EXPECT_FALSE(sim.files.Exists(InData(name))) << name;
  EXPECT_FALSE(sim.files.Exists(InData("date.dat")));
  EXPECT_TRUE(sim.files.Exists(InData("Safety.dat"))) << "not a definition file";

  // Nothing there at all: reported once, and deleting what is missing is no error.
  EXPECT_FALSE(Check());
  EXPECT_EQ(reports, 2);
}

TEST_F(DefinitionFilesTest, WaitingCopiesReplaceTheInstalledFilesExceptTheFolderDefinitions) {
  AddAllFive();
  for (const char* name : {"BlockedCookies.dat", "RegistryDefinition.dat",
                           "DirectoryDefinition.dat", "ExeDefinition.dat"}) {
    sim.files.AddFile(InData(std::string("DL") + name), std::string("new ") + name);
  }
  sim.files.DeleteFile(InData("ExeDefinition.dat"));
  InstallDownloadedDefinitions(sim.files, kSimDataFolder);
  EXPECT_EQ(sim.files.FileContent(InData("BlockedCookies.dat")), "new BlockedCookies.dat");
  EXPECT_EQ(sim.files.FileContent(InData("RegistryDefinition.dat")), "new RegistryDefinition.dat");
  EXPECT_EQ(sim.files.FileContent(InData("ExeDefinition.dat")), "new ExeDefinition.dat");
  EXPECT_EQ(sim.files.FileContent(InData("FileDefinition.dat")), "x\r\n");
  EXPECT_EQ(sim.files.FileContent(InData("DirectoryDefinition.dat")), "x\r\n");
  EXPECT_TRUE(sim.files.Exists(InData("DLDirectoryDefinition.dat")));
  EXPECT_FALSE(sim.files.Exists(InData("DLBlockedCookies.dat")));
}

TEST_F(DefinitionFilesTest, AnInstalledFileThatCannotBeDeletedKeepsItsCopyWaiting) {
  AddAllFive();
  sim.files.AddFile(InData("DLFileDefinition.dat"), "new");
  sim.files.SetInUse(InData("FileDefinition.dat"), true);
  InstallDownloadedDefinitions(sim.files, kSimDataFolder);
  EXPECT_EQ(sim.files.FileContent(InData("FileDefinition.dat")), "x\r\n");
  EXPECT_EQ(sim.files.FileContent(InData("DLFileDefinition.dat")), "new");
}

TEST_F(DefinitionFilesTest, CountsEveryLineOfEachFile) {
  sim.files.AddFile(InData("BlockedCookies.dat"), "a\r\nb\r\n");
  sim.files.AddFile(InData("ExeDefinition.dat"), "a\r\n\r\nc");
  sim.files.AddFile(InData("FileDefinition.dat"), "a\r\n");
  sim.files.AddFile(InData("DirectoryDefinition.dat"), "a\r\nb\r\nc\r\nd\r\n");
  sim.files.AddFile(InData("Safety.dat"), "a\r\nb\r\n");
  const DefinitionCounts counts = CountDefinitions(sim.files, kSimDataFolder);
  EXPECT_EQ(counts.cookies, 2);
  EXPECT_EQ(counts.executables, 3);
  EXPECT_EQ(counts.registry, 0);
  EXPECT_EQ(counts.filesAndFolders, 5);
  EXPECT_EQ(counts.total, 10);
}

TEST_F(DefinitionFilesTest, DefinitionsDateReadsTheFirstLineOrTheDefault) {
  EXPECT_EQ(ReadDefinitionsDate(sim.files, kSimDataFolder), "3/16/2006 12:00:00 AM");
  EXPECT_TRUE(WriteDefinitionsDate(sim.files, kSimDataFolder, "3/20/2006 4:15:00 PM"));
  EXPECT_EQ(sim.files.FileContent(InData("date.dat")), "3/20/2006 4:15:00 PM\r\n");
  EXPECT_EQ(ReadDefinitionsDate(sim.files, kSimDataFolder), "3/20/2006 4:15:00 PM");
  sim.files.AddFile(InData("date.dat"), "1/2/2007\nsecond line");
  EXPECT_EQ(ReadDefinitionsDate(sim.files, kSimDataFolder), "1/2/2007");
  // A hidden date.dat is replaced all the same.
  sim.files.SetAttributes(InData("date.dat"), platform::kAttrHidden);
  EXPECT_EQ(ReadDefinitionsDate(sim.files, kSimDataFolder), "3/16/2006 12:00:00 AM");
  EXPECT_TRUE(WriteDefinitionsDate(sim.files, kSimDataFolder, "2/2/2008"));
  EXPECT_EQ(ReadDefinitionsDate(sim.files, kSimDataFolder), "2/2/2008");
}

}  // namespace
}  // namespace definitions

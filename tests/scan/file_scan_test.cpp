#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "scan/stage_test.h"
#include "scan/version_block.h"
#include "ui/dump.h"

namespace {

using platform::sim::kSimDataFolder;
using scan_test::FileAround;
using scan_test::WideVersionBlock;

class FileScanTest : public scan_test::StageTest<scan_test::StageHarness> {
 protected:
  void Definitions(const std::vector<std::string>& files,
                   const std::vector<std::string>& folders = {}) {
    StageTest::Definitions("FileDefinition.dat", files);
    StageTest::Definitions("DirectoryDefinition.dat", folders);
  }
  std::string WorkList() const { return ui::DumpRows(stage.files); }
};

TEST_F(FileScanTest, FindsFilesAndFoldersWithTheirRowsIconsAndCounters) {
  sim.files.AddFile("C:\\Program Files\\Demo Adware\\demoadware.exe", "MZ");
  sim.files.AddFolder("C:\\Documents and Settings\\User\\Application Data\\Demo Toolbar");
  Definitions({"demoadware.exe=Demo Adware|[progfil]Demo Adware|Adware program",
               "absent.exe=Absent Adware|[progfil]Absent"},
              {"Toolbar=Demo Toolbar|[appdata]Demo Toolbar|Toolbar folder"});
  stage.RunFileStages();

  EXPECT_EQ(Found(), "<3> Demo Adware - Found\n<4> Demo Toolbar - Found\n");
  EXPECT_EQ(Details(),
            "<3> Demo Adware | C:\\Program Files\\Demo Adware\\demoadware.exe | Adware program\n"
            "<4> Demo Toolbar | C:\\Documents and Settings\\User\\Application Data\\Demo Toolbar"
            " | Toolbar folder\n");
  EXPECT_EQ(WorkList(),
            "<3> C:\\Program Files\\Demo Adware\\demoadware.exe | Demo Adware\n"
            "<4> C:\\Documents and Settings\\User\\Application Data\\Demo Toolbar |  | Demo Toolbar\n");
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 3);
  EXPECT_EQ(stage.counters.threatsFound, 2);
  EXPECT_EQ(stage.traces.Caption(), "2");
  EXPECT_EQ(stage.yields, 3);
}

TEST_F(FileScanTest, HiddenAndSystemFilesAreNotFoundButHiddenFoldersAre) {
  sim.files.AddFile("C:\\Demo\\hidden.exe", "MZ", platform::kAttrHidden);
  sim.files.AddFile("C:\\Demo\\system.dll", "MZ", platform::kAttrSystem);
  sim.files.AddFile("C:\\Demo\\readonly.exe", "MZ", platform::kAttrReadOnly);
  sim.files.AddFolder("C:\\Demo\\Hidden Folder", platform::kAttrHidden);
  Definitions({"hidden.exe=Hidden|[drive]Demo", "system.dll=System|C:\\Demo",
               "readonly.exe=Read Only|C:\\Demo", "Hidden Folder=Folder|C:\\Demo"},
              {"Hidden Folder=Hidden Folder|[drive]Demo\\Hidden Folder"});
  stage.RunFileStages();
  EXPECT_EQ(Found(), "<3> Read Only - Found\n<4> Hidden Folder - Found\n")
      << "the file test ignores folders too";
}

TEST_F(FileScanTest, FilesOfMicrosoftCorporationAreNeverListed) {
  const std::string folder = "C:\\WINDOWS\\Downloaded Program Files\\";
  sim.files.AddFile(folder + "ms.dll",
                    FileAround(WideVersionBlock({{"CompanyName", "Microsoft Corporation"}})));
  sim.files.AddFile(folder + "ms2.dll",
                    FileAround(WideVersionBlock({{"CompanyName", "  MICROSOFT corporation "}})));
  sim.files.AddFile(folder + "other.dll",
                    FileAround(WideVersionBlock({{"CompanyName", "Microsoft Corporation Ltd"}})));
  Definitions({"ms.dll=Lookalike|[windir]Downloaded Program Files",
               "ms2.dll=Lookalike Two|[windir]Downloaded Program Files",
               "other.dll=Impostor|[windir]Downloaded Program Files"});
  stage.RunFileStages();
  EXPECT_EQ(Found(), "<3> Impostor - Found\n");
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 3);
}

TEST_F(FileScanTest, LaterTracesOfAThreatAddWorkRowsOnly) {
  sim.files.AddFile("C:\\Demo\\first.exe", "MZ");
  sim.files.AddFile("C:\\Demo\\second.dll", "MZ");
  sim.files.AddFile("C:\\Demo\\shared.dll", "MZ");
  sim.files.AddFolder("C:\\Demo\\Data");
  Definitions({"first.exe=Demo Adware|C:\\Demo|Adware", "second.dll=DEMO ADWARE|C:\\Demo|Other",
               // Two threats naming the same file: a work row for each.
               "shared.dll=Demo Adware|C:\\Demo", "shared.dll=Demo Spy|C:\\Demo|Spyware",
               "absent.exe=Demo Typed|C:\\Demo|Typed", "first.exe=No Type|C:\\Demo"},
              {"Data=Demo Adware|C:\\Demo\\Data|Folder"});
  stage.RunFileStages();

  EXPECT_EQ(Details(),
            "<3> Demo Adware | C:\\Demo\\first.exe | Adware\n"
            "<3> Demo Spy | C:\\Demo\\shared.dll | Spyware\n"
            "<3> No Type | C:\\Demo\\first.exe | \n")
      << "the first path found; a threat without a type has an empty type after one with one";
  EXPECT_EQ(Found(), "<3> Demo Adware - Found\n<3> Demo Spy - Found\n<3> No Type - Found\n");
  EXPECT_EQ(WorkList(),
            "<3> C:\\Demo\\first.exe | Demo Adware\n"
            "<3> C:\\Demo\\second.dll | DEMO ADWARE\n"
            "<3> C:\\Demo\\shared.dll | Demo Adware\n"
            "<3> C:\\Demo\\shared.dll | Demo Spy\n"
            "<3> C:\\Demo\\first.exe | No Type\n"
            "<4> C:\\Demo\\Data |  | Demo Adware\n");
  EXPECT_EQ(stage.traces.Caption(), "6");
  EXPECT_EQ(stage.counters.threatsFound, 3);
}

TEST_F(FileScanTest, ExcludedFindingsShowOnlyTheirExcludedRow) {
  sim.files.AddFile("C:\\Demo\\Tool\\tool.exe", "MZ");
  sim.files.AddFile("C:\\Demo\\kept.exe", "MZ");
  sim.files.AddFolder("C:\\Demo\\Other");
  // The folder of an excluded file is excluded too (partial match); the file test is exact.
  Exclude("c:\\demo\\TOOL\\tool.exe\r\nC:\\Demo\\Other\r\nC:\\Demo\\kept\r\n");
  Definitions({"tool.exe=Demo Tool|C:\\Demo\\Tool", "kept.exe=Demo Kept|C:\\Demo"},
              {"Tool=Tool Folder|C:\\Demo\\Tool", "Other=Other Folder|C:\\Demo\\Other"});
  stage.RunFileStages();
  EXPECT_EQ(Found(),
            "<5> EXCLUDED: C:\\Demo\\Tool\\tool.exe\n"
            "<3> Demo Kept - Found\n"
            "<5> EXCLUDED: C:\\Demo\\Tool\n"
            "<5> EXCLUDED: C:\\Demo\\Other\n");
  EXPECT_EQ(WorkList(), "<3> C:\\Demo\\kept.exe | Demo Kept\n");
  EXPECT_EQ(stage.traces.Caption(), "1");
  EXPECT_EQ(stage.counters.threatsFound, 1);
}

TEST_F(FileScanTest, ProtectedPlacesAreNeverReported) {
  sim.files.AddFile("C:\\WINDOWS\\explorer.exe", "MZ");
  sim.files.AddFile("C:\\WINDOWS\\system32\\kernel32.dll", "MZ");
  sim.files.AddFolder("C:\\Program Files\\Common Files");
  ASSERT_TRUE(
      scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "Safety.dat",
                                     {"SEXE|explorer.exe=Windows shell|[windir]explorer.exe"}));
  Definitions({"explorer.exe=Fake Shell|[windir]", "kernel32.dll=Fake Kernel|[system]"},
              {"Windows=Fake Windows|[windir]", "Common=Fake Common|[comprogfil]",
               "Root=Fake Root|[drive]"});
  stage.RunFileStages();
  EXPECT_EQ(Found(), "<3> Fake Kernel - Found\n")
      << "only what Safety.dat or the fixed list protects is spared";
}

TEST_F(FileScanTest, FolderLinesWithoutLocationAreNeitherCountedNorShown) {
  sim.files.AddFolder("C:\\Demo");
  Definitions({"a.exe=A|C:\\Demo", "b.exe=B|C:\\Demo"},
              {"NoLocation=Nothing", "Demo\tFolder\r=Demo Folder|C:\\Demo", "", "Also none"});
  stage.RunFileStages();
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 3);
  EXPECT_EQ(stage.yields, 6) << "every line still yields";
  ASSERT_EQ(stage.progress.size(), 3u);
  EXPECT_EQ(stage.progress[2].text, "Scanning: \r\nDemoFolder");
  EXPECT_EQ(Found(), "<4> Demo Folder - Found\n");
}

TEST_F(FileScanTest, ProgressCountsBothFilesAndTheEarlierStagesLines) {
  Definitions({"a.exe=A|C:\\A", "b.exe=B|C:\\B", "c.exe=C|C:\\C"}, {"D=D|C:\\D", "E=E|C:\\E"});
  // Lines of the stages before: 2 cookies, 1 program, 2 registry entries; 10 in all.
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "BlockedCookies.dat",
                                             {"a.example", "b.example"}));
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "ExeDefinition.dat",
                                             {"x.exe=X|C:\\"}));
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "RegistryDefinition.dat",
                                             {"1^Software\\X^=X", "1^Software\\Y^=Y"}));
  stage.RunFileStages();
  std::vector<std::pair<int, int>> percents;
  for (const auto& call : stage.progress)
    percents.emplace_back(call.stagePercent, call.overallPercent);
  // 1/5 = 20, 2/5 = 40, ...; (1 + 5) / 10 = 60, ... (halves would go to the even number).
  EXPECT_EQ(percents,
            (std::vector<std::pair<int, int>>{{20, 60}, {40, 70}, {60, 80}, {80, 90}, {100, 100}}));
  EXPECT_EQ(stage.progress[0].text, "Scanning: \r\na.exe");
}

TEST_F(FileScanTest, StopEndsTheStageAfterTheCurrentLineAndSkipsTheFolders) {
  for (const char* name : {"a", "b", "c", "d"}) {
    sim.files.AddFile(std::string("C:\\Demo\\") + name + ".exe", "MZ");
  }
  sim.files.AddFolder("C:\\Demo");
  Definitions({"a.exe=A|C:\\Demo", "b.exe=B|C:\\Demo", "c.exe=C|C:\\Demo", "d.exe=D|C:\\Demo"},
              {"Demo=Folder|C:\\Demo"});
  stage.onYield = [this] {
    if (stage.yields == 2) stage.stop = true;
  };
  stage.RunFileStages();
  EXPECT_EQ(Found(), "<3> A - Found\n<3> B - Found\n");
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 2);
  EXPECT_EQ(stage.yields, 2) << "the folder stage returns at once";

  // A stop noticed right after the progress call ends the stage before the line is tested.
  platform::sim::SimMachine other;
  other.files.AddFile("C:\\Demo\\a.exe", "MZ");
  scan_test::StageHarness late{other.machine, kSimDataFolder};
  ASSERT_TRUE(scan_test::WriteDefinitionFile(other.files, kSimDataFolder, "FileDefinition.dat",
                                             {"a.exe=A|C:\\Demo"}));
  late.Prepare();
  scan::ScanContext context = late.Context();
  context.progress = [&late](const std::string&, int, int) { late.stop = true; };
  scan::ScanFileDefinitions(context);
  EXPECT_EQ(late.found.Count(), 0);
  EXPECT_EQ(late.yields, 0);
}

TEST_F(FileScanTest, FileLinesWithoutAThreatNameReportNothing) {
  sim.files.AddFile("C:\\Demo\\nameless.exe", "MZ");
  sim.files.AddFolder("C:\\Demo\\Folder");
  Definitions({"nameless.exe|C:\\Demo", "nameless.exe= |C:\\Demo"},
              {"Folder=Demo Folder|C:\\Demo\\Folder"});
  stage.RunFileStages();
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 3) << "counted as handled";
  EXPECT_EQ(Found(), "<4> Demo Folder - Found\n")
      << "a nameless file threat would be ticked together with every folder trace";
}

// The file is looked for as written before its canonical spelling is made; whatever spelling a
// line uses, a file that is there is still found and shown in the canonical spelling, and one
// that is not there is not, nor is a pattern.
TEST_F(FileScanTest, EverySpellingOfAPresentFileIsFoundInItsCanonicalForm) {
  sim.files.AddFile("C:\\Program Files\\Demo\\demo.exe", "MZ");
  sim.files.AddFolder("C:\\Program Files\\Other");
  Definitions({"demo.exe=Plain|[progfil]Demo", "demo.exe=Slashes|C:/Program Files/Demo",
               "demo.exe=Dots|C:\\Program Files\\Other\\..\\Demo",
               "demo.exe=Doubled|C:\\Program Files\\\\Demo\\",
               "  demo.exe  =Blanks|[progfil]Demo", "*.exe=Pattern|[progfil]Demo",
               "absent.exe=Absent|[progfil]Demo", "demo.exe=Elsewhere|[progfil]Other"});
  stage.RunFileStages();
  EXPECT_EQ(Found(),
            "<3> Plain - Found\n<3> Slashes - Found\n<3> Dots - Found\n<3> Doubled - Found\n"
            "<3> Blanks - Found\n");
  const std::string row = "C:\\Program Files\\Demo\\demo.exe | ";
  EXPECT_EQ(WorkList(), "<3> " + row + "Plain\n<3> " + row + "Slashes\n<3> " + row + "Dots\n<3> " +
                            row + "Doubled\n<3> " + row + "Blanks\n");
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 8);
}

}  // namespace

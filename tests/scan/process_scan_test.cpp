#include "scan/process_scan.h"

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "platform/sim/sim_machine.h"
#include "scan/memory_harness.h"
#include "scan/stage_test.h"
#include "scan/version_block.h"
#include "ui/dump.h"

namespace {

using platform::sim::kSimDataFolder;

constexpr const char* kProgramFiles = "C:\\Program Files\\";
constexpr const char* kSystem32 = "C:\\WINDOWS\\system32\\";

class ProcessScanTest : public scan_test::StageTest<scan_test::MemoryHarness> {
 protected:
  // A program file of this company (none: no version block) and a process running it.
  std::uint32_t Run(const std::string& path, const std::string& company = "Tallowmere Labs") {
    const std::string bytes =
        company.empty() ? std::string("MZ") + std::string(200, '\x90')
                        : scan_test::FileAround(scan_test::WideVersionBlock(
                              {{"CompanyName", company}, {"FileDescription", "A program"}}));
    sim.files.AddFile(path, bytes);
    return sim.processes.Start(path);
  }
  void Definitions(const std::vector<std::string>& lines) {
    StageTest::Definitions("ExeDefinition.dat", lines);
  }
  void Exclude(const std::string& line) {
    sim.files.Append(std::string(kSimDataFolder) + "\\ENoSignature.dat", line + "\r\n");
  }
};

TEST_F(ProcessScanTest, StopsAMatchEvenInTheFormsWindowsReportsEarlyProgramsIn) {
  const std::uint32_t boot = Run(std::string(kSystem32) + "x.exe");
  sim.processes.SetReportedPath(boot, "\\SystemRoot\\System32\\x.exe");
  const std::uint32_t native = Run(std::string(kSystem32) + "y.exe");
  sim.processes.SetReportedPath(native, "\\??\\C:\\WINDOWS\\system32\\y.exe");
  const std::uint32_t plain = Run(std::string(kProgramFiles) + "Demo\\demo.exe");
  const std::uint32_t elsewhere = Run("C:\\Other\\demo.exe");
  Definitions({"x.exe=Boot Threat|[system]", "y.exe=[system]",
               "demo.exe=Demo Adware|[progfil]Demo|Adware"});
  stage.RunMemory();

  EXPECT_EQ(Found(),
            "<3> Detected in the memory : X.EXE was stopped from running.\n"
            "<3> Detected in the memory : Y.EXE was stopped from running.\n"
            "<3> Detected in the memory : DEMO.EXE was stopped from running.\n");
  EXPECT_FALSE(sim.processes.IsRunning(boot));
  EXPECT_FALSE(sim.processes.IsRunning(native));
  EXPECT_FALSE(sim.processes.IsRunning(plain));
  EXPECT_TRUE(sim.processes.IsRunning(elsewhere)) << "the folder is part of the signature";
  EXPECT_EQ(sim.processes.ExitCodeOf(plain), 0u);
  EXPECT_FALSE(sim.processes.DebugPrivilegeEnabled()) << "switched off again after each stop";
  EXPECT_EQ(stage.counters.threatsFound, 3);
  EXPECT_EQ(stage.runningItems.Caption(), "5")
      << "the idle process has a name of its own; the system process, opened in vain, has none";
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 3 + 5);
}

TEST_F(ProcessScanTest, LeavesTheSystemMakerExcludedNamesAndTheCompanionRunning) {
  const std::uint32_t maker = Run(std::string(kSystem32) + "svc.exe", " MICROSOFT corporation ");
  const std::uint32_t excluded = Run(std::string(kSystem32) + "kept.exe");
  const std::uint32_t companion = Run(std::string(kSystem32) + "RivevaZideduzArodar.exe");
  Definitions({"svc.exe=Fake|[system]", "kept.exe=Kept|[system]",
               "rivevazideduzarodar.exe=Companion|[system]"});
  Exclude("Kept.exe");
  stage.RunMemory();

  EXPECT_EQ(Found(), "<5> EXCLUDED: KEPT.EXE\n");
  for (std::uint32_t pid : {maker, excluded, companion}) EXPECT_TRUE(sim.processes.IsRunning(pid));
  EXPECT_EQ(stage.counters.threatsFound, 0);
}

TEST_F(ProcessScanTest, AThreatNamedLikeAWindowsProgramIsStoppedAloneNotTheRealOne) {
  const std::uint32_t real = Run(std::string(kSystem32) + "svchost.exe", "Microsoft Corporation");
  const std::uint32_t fake = Run("C:\\WINDOWS\\svchost.exe");
  Definitions({"svchost.exe=Fake Host|[windir]"});
  stage.RunMemory();
  EXPECT_EQ(Found(), "<3> Detected in the memory : SVCHOST.EXE was stopped from running.\n");
  EXPECT_TRUE(sim.processes.IsRunning(real)) << "listed first, but not the one that matched";
  EXPECT_FALSE(sim.processes.IsRunning(fake));
}

TEST_F(ProcessScanTest, EveryProcessOfALongListIsExaminedOnceTheLastIncluded) {
  std::vector<std::string> lines;
  std::vector<std::uint32_t> ids;
  for (int i = 0; i < 150; ++i) {
    const std::string name = "p" + std::to_string(i) + ".exe";
    lines.push_back(name + "=Swarm|[progfil]Swarm");
    ids.push_back(Run(std::string(kProgramFiles) + "Swarm\\" + name));
  }
  Definitions(lines);

  const scan::ProcessList list = scan::ListProcesses(sim.machine.processes, "", true);
  ASSERT_EQ(list.count, 151) << "more than the first room of 128 ids";
  EXPECT_EQ(list.ids.back(), ids.back());

  stage.RunMemory();
  EXPECT_EQ(stage.found.Count(), 150);
  EXPECT_EQ(stage.found.Item(149).text,
            "Detected in the memory : P149.EXE was stopped from running.");
  EXPECT_EQ(sim.processes.Count(), 2u);
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 150 + 151);
}

TEST_F(ProcessScanTest, ListsNamedProcessesOnlyWithACaseSensitiveFilter) {
  const std::uint32_t demo = Run("C:\\Demo\\Demo.exe");
  const std::uint32_t hidden = Run("C:\\Demo\\hidden.exe");
  sim.processes.SetUnreadable(hidden, true);
  scan::ProcessList list = scan::ListProcesses(sim.machine.processes, "", true);
  EXPECT_EQ(list.names, (std::vector<std::string>{"System Idle Process", "Demo.exe"}))
      << "id 0 is named without opening it; what cannot be read has no name";
  list = scan::ListProcesses(sim.machine.processes, "Demo", true);
  EXPECT_EQ(list.ids, (std::vector<std::uint32_t>{demo}));
  EXPECT_EQ(scan::ListProcesses(sim.machine.processes, "demo", true).count, 0);

  list = scan::ListProcesses(sim.machine.processes, "", false);
  EXPECT_EQ(list.count, 4) << "the snapshot names every process";
  sim.processes.SetEnumFails(true);
  list = scan::ListProcesses(sim.machine.processes, "", true);
  EXPECT_EQ(list.count, -1);
  EXPECT_TRUE(list.names.empty());
}

TEST_F(ProcessScanTest, ProgressPerLineInAScanAndOnlyUnlocksInAShieldRun) {
  scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "BlockedCookies.dat", {"a", "b"});
  scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "RegistryDefinition.dat",
                                 {"1", "2", "3", "4"});
  Definitions({"one.exe=A|[system]", "two.exe", "three.exe=C|[system]", "four.exe=D|[system]"});
  stage.counters.cookiesAndProcessesInspected = 2;  // the cookie stage ran before
  stage.RunMemory();
  ASSERT_EQ(stage.progress.size(), 4u + 1u);
  EXPECT_EQ(stage.progress[0].text, "Scanning: \r\none.exe");
  EXPECT_EQ(stage.progress[0].stagePercent, 75);    // 3 of 4 lines
  EXPECT_EQ(stage.progress[0].overallPercent, 50);  // (3 + 2 cookie lines) of 10
  EXPECT_EQ(stage.progress[1].text, "Scanning: \r\ntwo.exe");
  EXPECT_EQ(stage.progress[4].text, "Scanning: \r\nSystem Idle Process");
  EXPECT_EQ(stage.yields, 4 + 1);

  stage.progress.clear();
  stage.shieldRun = true;
  stage.RunMemory();
  EXPECT_TRUE(stage.progress.empty());
  EXPECT_EQ(stage.lockCalls, std::vector<bool>(1 + 1 + 4, false))
      << "once at the start of each run and after each line of a shield run";
}

TEST_F(ProcessScanTest, AStopEndsTheStageAndOtherPlatformsScanNothing) {
  const std::uint32_t demo = Run(std::string(kSystem32) + "demo.exe");
  Definitions({"demo.exe=Demo|[system]", "other.exe=Other|[system]"});
  stage.onYield = [&] { stage.stop = true; };
  stage.RunMemory();
  EXPECT_TRUE(sim.processes.IsRunning(demo));
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 2) << "one line, then one process";

  stage.stop = false;
  stage.onYield = nullptr;
  stage.counters = {};
  sim.system.SetOsVersion({platform::kPlatformWin32s, 3, 1});
  stage.RunMemory();
  sim.system.SetOsVersion({platform::kPlatformWin32Nt, 5, 1});
  sim.system.SetGetVersionFails(true);
  stage.RunMemory();
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 0);
  EXPECT_TRUE(sim.processes.IsRunning(demo));
}

// A user's scan stops a process by name, and so do removal and the memory shield.
class StopProcessTest : public ProcessScanTest {
 protected:
  bool Stop(const std::string& name) {
    return scan::StopProcessByName(sim.machine, name, [this] { ++yields; });
  }
  int yields = 0;
};

TEST_F(StopProcessTest, NothingToStopIsSuccess) {
  Run("C:\\Demo\\other.exe");
  EXPECT_TRUE(Stop("demo.exe"));
  EXPECT_EQ(yields, 2) << "after each listed process that is not it";
}

TEST_F(StopProcessTest, ShortAndTruncatedNamesAreFoundAndOnlyTheFirstIsStopped) {
  const std::uint32_t shortName = Run("C:\\Demo\\LONGFI~1.EXE");
  EXPECT_TRUE(Stop("LONGFILENAMEX.EXE"));
  EXPECT_FALSE(sim.processes.IsRunning(shortName));

  const std::uint32_t truncated = Run("C:\\Demo\\averyverylongnam");
  EXPECT_TRUE(Stop(" AVeryVeryLongNameOfAProgram.exe "));
  EXPECT_FALSE(sim.processes.IsRunning(truncated)) << "compared on the first 15 characters";

  const std::uint32_t first = Run("C:\\Demo\\twice.exe");
  const std::uint32_t second = Run("C:\\Demo\\twice.exe");
  const std::uint32_t otherKind = Run("C:\\Demo\\twiceX.exe");
  EXPECT_TRUE(Stop("TWICE.EXE"));
  EXPECT_FALSE(sim.processes.IsRunning(first));
  EXPECT_TRUE(sim.processes.IsRunning(second));
  EXPECT_TRUE(sim.processes.IsRunning(otherKind));
}

TEST_F(StopProcessTest, AProcessThatSurvivesIsTriedElevenTimes) {
  const std::uint32_t stubborn = Run("C:\\Demo\\stubborn.exe");
  sim.processes.SetRefusesToDie(stubborn, true);
  EXPECT_FALSE(Stop("stubborn.exe"));
  EXPECT_EQ(sim.processes.TerminationAttempts(stubborn), 11);
  EXPECT_TRUE(sim.processes.IsRunning(stubborn));

  // Without the debug privilege nothing is even tried.
  const std::uint32_t guarded = Run("C:\\Demo\\guarded.exe");
  sim.processes.SetDebugPrivilegeFails(true);
  EXPECT_FALSE(Stop("guarded.exe"));
  EXPECT_EQ(sim.processes.TerminationAttempts(guarded), 0);
  sim.system.SetOsVersion({platform::kPlatformWin32Windows, 4, 10});
  EXPECT_TRUE(Stop("guarded.exe")) << "the 9x family has no privileges to ask for";
}

// A shield run (the scan button enabled) asks the user instead of stopping.
TEST_F(ProcessScanTest, AShieldRunAsksAboutEachMatchInTurnAndCountsIt) {
  const std::uint32_t first = Run(std::string(kSystem32) + "first.exe");
  const std::uint32_t second = Run(std::string(kSystem32) + "second.exe", "");
  Definitions({"first.exe=A|[system]", "second.exe=B|[system]"});
  stage.shieldRun = true;
  stage.ask = [&](const std::string& fileName, const std::string&, std::uint32_t pid) {
    EXPECT_EQ(pid, fileName == "FIRST.EXE" ? first : second);
    if (pid == first) sim.processes.Exit(first);  // the user pressed STOP
  };
  stage.RunMemory();

  EXPECT_EQ(stage.asked,
            (std::vector<std::pair<std::string, std::string>>{
                {"FIRST.EXE", "Tallowmere Labs"}, {"SECOND.EXE", "MSG_NOCOMPANY SECOND.EXE"}}));
  EXPECT_EQ(Found(), "") << "a shield run lists nothing but exclusions";
  EXPECT_TRUE(sim.processes.IsRunning(second)) << "stopping is the alert's business";
  EXPECT_EQ(stage.counters.threatsFound, 2);
}

// The 9x family keeps its definitions as text between runs and matches lines that end with the
// bare file name.
class Processes9xTest : public ProcessScanTest {
 protected:
  void SetUp() override { sim.system.SetOsVersion({platform::kPlatformWin32Windows, 4, 10}); }
};

TEST_F(Processes9xTest, MatchesLinesEndingWithTheNameAndKeepsTheLinesBetweenRuns) {
  const std::uint32_t bare = Run("C:\\WINDOWS\\bare.exe");
  const std::uint32_t pathed = Run("C:\\Demo\\pathed.exe");
  const std::uint32_t formatted = Run("C:\\Demo\\formatted.exe");
  Definitions({"bare.exe", "[progfil]Somewhere\\PATHED.EXE ", "formatted.exe=Demo|[progfil]Demo"});
  stage.runningItems.SetCaption("2");
  stage.RunMemory();

  EXPECT_EQ(Found(),
            "<3> Detected in the memory : BARE.EXE and was stopped being from ruuning.\n"
            "<3> Detected in the memory : PATHED.EXE and was stopped being from ruuning.\n");
  EXPECT_FALSE(sim.processes.IsRunning(bare));
  EXPECT_EQ(sim.processes.ExitCodeOf(bare), platform::kStillActive)
      << "killed with the code it reported";
  EXPECT_FALSE(sim.processes.IsRunning(pathed));
  EXPECT_TRUE(sim.processes.IsRunning(formatted));
  EXPECT_EQ(stage.counters.threatsFound, 2);
  EXPECT_EQ(stage.runningItems.Caption(), "7") << "one more per process";

  sim.files.DeleteFile(std::string(kSimDataFolder) + "\\ExeDefinition.dat");
  const std::uint32_t again = Run("C:\\WINDOWS\\bare.exe");
  stage.counters = {};
  stage.RunMemory();
  EXPECT_FALSE(sim.processes.IsRunning(again)) << "the kept lines still match";
  EXPECT_EQ(stage.counters.cookiesAndProcessesInspected, 3 + 4);
}

TEST_F(Processes9xTest, AShieldRunAsksInAMessageBoxAndNoExcludesTheName) {
  const std::uint32_t yes = Run("C:\\WINDOWS\\yes.exe");
  const std::uint32_t no = Run("C:\\WINDOWS\\no.exe");
  Definitions({"yes.exe", "no.exe"});
  stage.shieldRun = true;
  sim.desktop.AnswerNext(platform::kIdYes);
  sim.desktop.AnswerNext(platform::kIdNo);
  stage.RunMemory();

  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware  - Alert");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text, "MSG_FOUND1YES.EXEMSG_FOUND2YES.EXEMSG_FOUND3");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].style, platform::kMbYesNo | platform::kMbIconQuestion);
  EXPECT_FALSE(sim.processes.IsRunning(yes));
  EXPECT_TRUE(sim.processes.IsRunning(no));
  EXPECT_EQ(stage.counters.threatsFound, 1);
  EXPECT_EQ(sim.files.FileContent(std::string(kSimDataFolder) + "\\ENoSignature.dat"),
            "NO.EXE\r\n");

  stage.RunMemory();
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 2u) << "not asked again";
  EXPECT_EQ(Found(), "<5> EXCLUDED: NO.EXE\n");
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "scan/registry_related.h"
#include "scan/stage_test.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::kSimDataFolder;

class RegistryScanTest : public scan_test::StageTest<scan_test::StageHarness> {
 protected:
  void Definitions(const std::vector<std::string>& lines) {
    StageTest::Definitions("RegistryDefinition.dat", lines);
  }
  void Run() {
    stage.RunRegistryStage();
    EXPECT_EQ(sim.registry.OpenHandleCount(), 0u) << "every key opened was closed";
  }
  std::string WorkList() const { return ui::DumpRows(stage.registry); }
};

TEST_F(RegistryScanTest, AValueHoldingTextOrANumberIsFoundWithEveryRow) {
  for (std::uint32_t type : {platform::kRegSz, platform::kRegExpandSz, platform::kRegDword}) {
    SCOPED_TRACE("type " + std::to_string(type));
    platform::sim::SimMachine machine;
    scan_test::StageHarness harness{machine.machine, kSimDataFolder};
    machine.registry.PutValue(kHkeyLocalMachine, "Software\\Foo", "Bar", type, {1, 0, 0, 0});
    ASSERT_TRUE(
        scan_test::WriteDefinitionFile(machine.files, kSimDataFolder, "RegistryDefinition.dat",
                                       {"2^Software\\Foo^Bar=Foo Adware|Browser hijacker"}));
    harness.RunRegistryStage();
    EXPECT_EQ(ui::DumpRows(harness.found), "<2> Foo Adware - Found\n");
    EXPECT_EQ(ui::DumpRows(harness.details),
              "<2> Foo Adware | HKEY_LOCAL_MACHINE\\Software\\FooBar | Browser hijacker\n");
    EXPECT_EQ(ui::DumpRows(harness.registry),
              "<2> -2147483646 | Software\\Foo | Bar | Foo Adware\n");
    EXPECT_EQ(harness.traces.Caption(), "1");
    EXPECT_EQ(harness.counters.registryEntriesInspected, 1);
    EXPECT_EQ(harness.counters.threatsFound, 1);
  }
}

TEST_F(RegistryScanTest, ValuesOfOtherTypesAndMissingValuesAreNotFound) {
  sim.registry.PutValue(kHkeyLocalMachine, "Software\\Foo", "Binary", platform::kRegBinary,
                        {'a', 'b', 0});
  sim.registry.PutValue(kHkeyLocalMachine, "Software\\Foo", "Multi", platform::kRegMultiSz,
                        {'a', 0, 0});
  sim.registry.PutValue(kHkeyLocalMachine, "Software\\Foo", "None", platform::kRegNone, {});
  sim.registry.PutValue(kHkeyLocalMachine, "Software\\Foo", "Qword", 11, {1, 0, 0, 0, 0, 0, 0, 0});
  Definitions({"2^Software\\Foo^Binary=Foo Adware", "2^Software\\Foo^Multi=Foo Adware",
               "2^Software\\Foo^None=Foo Adware", "2^Software\\Foo^Qword=Foo Adware",
               "2^Software\\Foo^Missing=Foo Adware", "2^Software\\Missing^Bar=Foo Adware"});
  Run();
  EXPECT_EQ(stage.found.Count(), 0);
  EXPECT_EQ(stage.registry.Count(), 0);
  EXPECT_EQ(stage.counters.registryEntriesInspected, 6) << "each was looked for";
}

TEST_F(RegistryScanTest, HiveCodesFourAndFiveSkipPerformanceData) {
  scan::HiveCodes hives;
  EXPECT_EQ(hives.GetHiveFromCode("4"), platform::RegKey{0x80000005});
  EXPECT_EQ(hives.CurrentHiveName(), "HKEY_CURRENT_CONFIG");
  EXPECT_EQ(hives.GetHiveFromCode(" 5 "), platform::RegKey{0x80000006});
  EXPECT_EQ(hives.CurrentHiveName(), "HKEY_DYN_DATA");
  EXPECT_EQ(hives.GetHiveFromCode("0"), platform::RegKey{0x80000000});
  EXPECT_EQ(hives.GetHiveFromCode("6"), std::nullopt);
  EXPECT_EQ(hives.CurrentHiveName(), "");

  sim.registry.AddKey(platform::kHkeyCurrentConfig, "Software\\Demo Config");
  Definitions({"4^Software\\Demo Config^=Config Adware"});
  Run();
  EXPECT_EQ(WorkList(), "<2> -2147483643 | Software\\Demo Config |  | Config Adware\n");
  EXPECT_EQ(Details(), "<2> Config Adware | HKEY_CURRENT_CONFIG\\Software\\Demo Config | \n");
}

TEST_F(RegistryScanTest, LinesOfAnotherShapeAreSkippedWithoutCounting) {
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Demo");
  Definitions({"6^Software\\Demo^=Six", "^Software\\Demo^=Blank", "  ^Software\\Demo^=Blanks",
               "x^Software\\Demo^=Not a number", "-1^Software\\Demo^=Negative", "1^Software\\Demo^",
               "1 Software\\Demo=No caret", "", "5^Software\\Demo^=Dynamic data"});
  Run();
  EXPECT_EQ(stage.counters.registryEntriesInspected, 1) << "only the line with code 5";
  ASSERT_EQ(stage.progress.size(), 1u);
  EXPECT_EQ(stage.found.Count(), 0) << "this machine has no HKEY_DYN_DATA";
  EXPECT_EQ(stage.yields, 18) << "every line still yields twice";
}

TEST_F(RegistryScanTest, TheLastEqualsSignSplitsAndValueNamesLoseDoubledBackslashes) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\A=B", "x=y", "1");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Demo", "C:\\x.exe", "1");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Demo", "Dir\\File", "1");
  Definitions({"1^Software\\A=B^x=y= Equals Adware|Hijacker|more",
               "1^Software\\Demo^[drive]x.exe=Drive Adware", "1^Software\\Demo^Dir\\\\File=Dir"});
  Run();
  EXPECT_EQ(Details(),
            "<2> Equals Adware | HKEY_CURRENT_USER\\Software\\A=Bx=y | Hijacker\n"
            "<2> Drive Adware | HKEY_CURRENT_USER\\Software\\DemoC:\\x.exe | \n"
            "<2> Dir | HKEY_CURRENT_USER\\Software\\DemoDir\\File | \n");
  ASSERT_EQ(stage.progress.size(), 3u);
  EXPECT_EQ(stage.progress[0].text, "Scanning: \r\nsoftware\\a=b\\x=y");
  EXPECT_EQ(stage.progress[2].text, "Scanning: \r\nsoftware\\demo\\dir\\\\file")
      << "the value as written";
}

TEST_F(RegistryScanTest, ProgressCountsTheLinesOfTheStagesBefore) {
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "BlockedCookies.dat",
                                             {"a.example"}));
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "ExeDefinition.dat",
                                             {"x.exe=X|C:\\"}));
  ASSERT_TRUE(scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "FileDefinition.dat",
                                             {"a=A|C:\\", "b=B|C:\\", "c=C|C:\\", "d=D|C:\\"}));
  Definitions({"1^Software\\X^=X", "1^Software\\Y^=Y"});
  Run();
  ASSERT_EQ(stage.progress.size(), 2u);
  // 1 of 2 registry lines: 50; (1 + 1 cookie + 1 program) of 8 lines: 37.5, to the even 38.
  EXPECT_EQ(stage.progress[0].stagePercent, 50);
  EXPECT_EQ(stage.progress[0].overallPercent, 38);
  EXPECT_EQ(stage.progress[1].stagePercent, 100);
  EXPECT_EQ(stage.progress[1].overallPercent, 50);
}

TEST_F(RegistryScanTest, LaterTracesOfAThreatAddWorkRowsOnly) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "DemoAdware", "C:\\demo.exe");
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Demo Adware");
  sim.registry.AddKey(kHkeyLocalMachine, "Software\\Demo Adware");
  Definitions({"1^Software\\Microsoft\\Windows\\CurrentVersion\\Run^DemoAdware=Demo Adware|Start",
               "1^Software\\Demo Adware^=demo adware|Settings",
               "2^Software\\Demo Adware^=Demo Adware"});
  Run();
  EXPECT_EQ(Found(), "<2> Demo Adware - Found\n");
  EXPECT_EQ(Details(),
            "<2> Demo Adware | HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
            "RunDemoAdware | Start\n");
  EXPECT_EQ(WorkList(),
            "<2> -2147483647 | Software\\Microsoft\\Windows\\CurrentVersion\\Run | DemoAdware | "
            "Demo Adware\n"
            "<2> -2147483647 | Software\\Demo Adware |  | demo adware\n"
            "<2> -2147483646 | Software\\Demo Adware |  | Demo Adware\n");
  EXPECT_EQ(stage.traces.Caption(), "3");
  EXPECT_EQ(stage.counters.threatsFound, 1);
}

TEST_F(RegistryScanTest, KeysWithoutAThreatNameAreShownByTheirPath) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Nameless", "Value", "x");
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Other Nameless");
  Definitions({"1^Software\\Nameless^=", "1^Software\\Other Nameless^= |Typed",
               "1^Software\\Nameless^Value="});
  Run();
  EXPECT_EQ(Found(),
            "RegKey Software\\Nameless - Found\nRegKey Software\\Other Nameless - Found\n");
  EXPECT_EQ(Details(),
            "<2> Software\\Nameless | HKEY_CURRENT_USER\\Software\\Nameless | \n"
            "<2> Software\\Other Nameless | HKEY_CURRENT_USER\\Software\\Other Nameless | \n");
  EXPECT_EQ(WorkList(),
            "<2> -2147483647 | Software\\Nameless |  | \n"
            "<2> -2147483647 | Software\\Other Nameless |  | \n"
            "<2> -2147483647 | Software\\Nameless | Value | \n")
      << "a nameless value is a trace without a threat row";
  EXPECT_EQ(stage.traces.Caption(), "3");
  EXPECT_EQ(stage.counters.threatsFound, 2);
}

TEST_F(RegistryScanTest, ExcludedTracesShowOnlyTheirExcludedRow) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Demo\\Run", "Demo", "x");
  sim.registry.PutDword(kHkeyCurrentUser, "Software\\Other", "V", 1);
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\KeyOnly");
  Exclude(
      "HKEY_CURRENT_USER\\Software\\Demo\\RunDemo\r\nhkey_current_user\\software\\other\r\n"
      "HKEY_CURRENT_USER\\Software\\KeyOnly\r\n");
  Definitions({"1^Software\\Demo\\Run^Demo=Demo", "1^Software\\Other^V=Other",
               "1^Software\\KeyOnly^=Key Only"});
  Run();
  EXPECT_EQ(Found(),
            "<5> EXCLUDED: HKEY_CURRENT_USER\\Software\\Demo\\RunDemo\n"
            "<5> EXCLUDED: HKEY_CURRENT_USER\\Software\\OtherV\n"
            "<5> EXCLUDED: HKEY_CURRENT_USER\\Software\\KeyOnly\n");
  EXPECT_EQ(stage.registry.Count(), 0);
  EXPECT_EQ(stage.details.Count(), 0);
  EXPECT_EQ(stage.traces.Caption(), "0");
  EXPECT_EQ(stage.counters.threatsFound, 0);
}

TEST_F(RegistryScanTest, HiveRootsAndProtectedEntriesAreNeverReported) {
  const std::string winlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  sim.registry.PutString(kHkeyLocalMachine, winlogon, "Shell", "explorer.exe");
  sim.registry.PutString(kHkeyLocalMachine, winlogon, "Userinit", "userinit.exe");
  ASSERT_TRUE(
      scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "Safety.dat",
                                     {"SREG|Shell=Windows shell|2^" + winlogon + "^Shell"}));
  Definitions({"1^^=Root", "2^=Machine root", "1^Software^=Software", "2^" + winlogon + "^=Logon",
               "2^" + winlogon + "^Shell=Shell Hijack", "2^" + winlogon + "^Userinit=Userinit"});
  Run();
  EXPECT_EQ(Found(), "<2> Userinit - Found\n")
      << "Safety.dat protects Shell; the key of the value is no protection for its values";
  EXPECT_EQ(stage.counters.registryEntriesInspected, 6);
}

TEST_F(RegistryScanTest, KeysTheUserMayNotChangeCountAsAbsent) {
  sim.registry.PutString(kHkeyLocalMachine, "Software\\Locked", "Value", "x");
  sim.registry.ProtectKey(kHkeyLocalMachine, "Software\\Locked");
  sim.registry.PutString(kHkeyLocalMachine, "Software\\Open", "Value", "x");
  Definitions({"2^Software\\Locked^=Locked Key", "2^Software\\Locked^Value=Locked Value",
               "2^Software\\Open^Value=Open Value"});
  Run();
  EXPECT_EQ(Found(), "<2> Open Value - Found\n");
}

TEST_F(RegistryScanTest, StopEndsTheStageBeforeTheNextLine) {
  for (const char* key : {"Software\\A", "Software\\B", "Software\\C"}) {
    sim.registry.AddKey(kHkeyCurrentUser, key);
  }
  Definitions({"1^Software\\A^=A", "1^Software\\B^=B", "1^Software\\C^=C"});
  stage.onYield = [this] {
    if (stage.yields == 3) stage.stop = true;
  };
  Run();
  EXPECT_EQ(Found(), "<2> A - Found\n");
  EXPECT_EQ(stage.counters.registryEntriesInspected, 1);
  EXPECT_EQ(stage.yields, 3);

  // A stop from before the stage ends it before its first yield.
  platform::sim::SimMachine other;
  scan_test::StageHarness stopped{other.machine, kSimDataFolder};
  ASSERT_TRUE(scan_test::WriteDefinitionFile(other.files, kSimDataFolder, "RegistryDefinition.dat",
                                             {"1^Software^=X"}));
  stopped.stop = true;
  stopped.RunRegistryStage();
  EXPECT_EQ(stopped.yields, 0);
}

}  // namespace

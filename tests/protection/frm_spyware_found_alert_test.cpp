#include "protection/frm_spyware_found_alert.h"

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "platform/sim/sim_machine.h"
#include "scan/memory_harness.h"
#include "ui/dump.h"

namespace {

using platform::sim::kSimDataFolder;

constexpr const char* kSystem32 = "C:\\WINDOWS\\system32\\";

// The memory shield's runs with the alert answering for the user.
class AlertTest : public ::testing::Test {
 protected:
  AlertTest() {
    stage.shieldRun = true;
    stage.ask = [this](const std::string& fileName, const std::string& company, std::uint32_t pid) {
      alert.AskAbout(fileName, company, pid);
    };
    // The user's answers, given while the alert waits; a question left unanswered is closed
    // so that a failing test cannot wait for ever.
    stage.host.onYield = [this](int) {
      // Only while the alert waits: not while its own buttons' work lets events run.
      if (!alert.IsLoaded() || !alert.Visible() || alert.Decided()) return;
      if (++waits > 1000) {
        alert.Unload(ui::UnloadMode::FormControlMenu);
        return;
      }
      if (answers.empty()) return;
      seen.push_back(alert.lblAlertFileName.Caption() + " / " +
                     alert.lblAlertCompanyName.Caption());
      auto answer = answers.front();
      answers.erase(answers.begin());
      answer();
    };
  }
  std::uint32_t Run(const std::string& name, const std::string& folder = kSystem32) {
    sim.files.AddFile(folder + name, "MZ");
    return sim.processes.Start(folder + name);
  }
  void Definitions(const std::vector<std::string>& lines) {
    scan_test::WriteDefinitionFile(sim.files, kSimDataFolder, "ExeDefinition.dat", lines);
  }

  platform::sim::SimMachine sim;
  scan_test::MemoryHarness stage{sim.machine, kSimDataFolder};
  std::string programName = "Quillmoor AntiSpyware";
  protection::frmSpywareFoundAlert alert{
      stage.host,
      {sim.machine, stage.exclusions, stage.dataFolder, programName, [](const std::string& key) {
         return key == "MSG_ERROR_STOPPED" ? std::string("could not be stopped.") : key;
       }}};
  std::vector<std::function<void()>> answers;
  std::vector<std::string> seen;
  int waits = 0;
};

TEST_F(AlertTest, TwoMatchesAreAskedAboutInTurnAndStopAndAllowAct) {
  const std::uint32_t namesake = Run("first.exe", "C:\\Tools\\");
  const std::uint32_t first = Run("first.exe");
  const std::uint32_t second = Run("second.exe");
  Definitions({"first.exe=A|[system]", "second.exe=B|[system]"});
  answers = {[this] { alert.cmdYes.Click(); }, [this] { alert.cmdNO.Click(); }};
  stage.RunMemory();

  EXPECT_EQ(seen, (std::vector<std::string>{"FIRST.EXE / MSG_NOCOMPANY FIRST.EXE",
                                            "SECOND.EXE / MSG_NOCOMPANY SECOND.EXE"}));
  EXPECT_FALSE(sim.processes.IsRunning(first));
  EXPECT_TRUE(sim.processes.IsRunning(namesake)) << "STOP ends the program asked about";
  EXPECT_TRUE(sim.processes.IsRunning(second));
  EXPECT_FALSE(alert.IsLoaded());
  EXPECT_TRUE(alert.Decided());
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
  EXPECT_EQ(sim.files.FileContent(std::string(kSimDataFolder) + "\\ENoSignature.dat"),
            "SECOND.EXE\r\n");

  // The allowed program is an exclusion from now on: listed, not asked about.
  stage.RunMemory();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(ui::DumpRows(stage.found), "<5> EXCLUDED: SECOND.EXE\n");
}

TEST_F(AlertTest, ClosingEndsTheWaitAndTheNextQuestionGetsAFreshWindow) {
  Run("one.exe");
  Definitions({"one.exe=A|[system]"});
  std::string shown;
  answers = {[&] {
    shown = ui::Dump(alert);
    alert.cmdYes.SetEnabled(false);  // as a STOP pressed before would have left it
    alert.Unload(ui::UnloadMode::FormControlMenu);
  }};
  stage.RunMemory();
  EXPECT_NE(shown.find("Malicious Program Found"), std::string::npos) << shown;
  for (const char* text :
       {"Spyware/Adware has been detected.",
        "File Name:", "Company Name:", "Click STOP to stop it from running.",
        "Click ALLOW to allow the program to run.", "STOP", "ALLOW", "ONE.EXE"}) {
    EXPECT_NE(shown.find(text), std::string::npos) << text;
  }
  EXPECT_FALSE(alert.Decided()) << "closed without an answer";
  EXPECT_LT(waits, 10) << "closing ended the wait";
  EXPECT_FALSE(sim.files.Exists(std::string(kSimDataFolder) + "\\ENoSignature.dat"));

  bool stopEnabled = false;
  answers = {[&] {
    stopEnabled = alert.cmdYes.Enabled();
    alert.cmdYes.Click();
  }};
  stage.RunMemory();
  EXPECT_TRUE(stopEnabled);
  EXPECT_EQ(alert.Caption(), "Quillmoor AntiSpyware");
}

TEST_F(AlertTest, StopTellsWhenTheProgramSurvivesButNotWhenItHadEnded) {
  const std::uint32_t stubborn = Run("stubborn.exe");
  sim.processes.SetRefusesToDie(stubborn, true);
  const std::uint32_t ending = Run("ending.exe");
  Definitions({"stubborn.exe=A|[system]", "ending.exe=B|[system]"});
  answers = {[this] { alert.cmdYes.Click(); },
             [&] {
               sim.processes.Exit(ending);
               alert.cmdYes.Click();
             }};
  stage.RunMemory();

  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text, "STUBBORN.EXE could not be stopped.");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].style, platform::kMbIconInformation);
  EXPECT_TRUE(sim.processes.IsRunning(stubborn));
  EXPECT_EQ(stage.counters.threatsFound, 2);
}

TEST_F(AlertTest, StopLeavesAloneAProgramThatTookTheIdOfTheOneAskedAbout) {
  const std::uint32_t pid = Run("gone.exe");
  Run("innocent.exe");
  Definitions({"gone.exe=A|[system]"});
  answers = {[&] {
    // While the question was open the threat ended and its id went to another program.
    sim.processes.SetReportedPath(pid, std::string(kSystem32) + "innocent.exe");
    alert.cmdYes.Click();
  }};
  stage.RunMemory();
  EXPECT_TRUE(sim.processes.IsRunning(pid));
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
}

}  // namespace

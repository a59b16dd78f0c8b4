// The two shields through the program, on virtual time: the home-page shield every five seconds,
// the memory shield every ten (in the tray) and on every third home-page tick.
#include <functional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "protection/frm_home_page_changed_alert.h"
#include "protection/frm_spyware_found_alert.h"
#include "scan/stage_harness.h"
#include "ui/dump.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::sim::kSimDataFolder;

constexpr const char* kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kThreat = "C:\\Program Files\\Hijacker\\threat.exe";
constexpr const char* kOther = "C:\\Program Files\\Hijacker\\other.exe";
const std::string kOptions = std::string(app_test::kUserRoot) + "\\OptionAndSettings";

class ShieldsTest : public app_test::AppTest {
 protected:
  void SetUp() override {
    SkipFirstRun();
    sim.registry.PutString(kHkeyCurrentUser, kMainKey, "Start Page", "http://home.example/");
    scan_test::WriteDefinitionFile(
        sim.files, kSimDataFolder, "ExeDefinition.dat",
        {"threat.exe=Hijacker|[progfil]Hijacker", "other.exe=Hijacker|[progfil]Hijacker"});
    // The user's answers to the memory shield's alert, given while it waits.
    host.onYield = [this](int) {
      protection::frmSpywareFoundAlert& alert = app.windows.frmSpywareFoundAlert();
      if (!alert.IsLoaded() || !alert.Visible() || alert.Decided()) return;
      if (answering) {
        // A question asked inside an answer would wait for ever: closed, so the test fails.
        if (++nestedWaits > 1000) alert.Unload(ui::UnloadMode::FormControlMenu);
        return;
      }
      answering = true;
      questions.push_back(alert.lblAlertFileName.Caption() + " / " +
                          alert.lblAlertCompanyName.Caption());
      questionTimes.push_back(host.NowMs());
      if (answers.empty()) {
        alert.Unload(ui::UnloadMode::FormControlMenu);
      } else {
        auto answer = answers.front();
        answers.erase(answers.begin());
        answer(alert);
      }
      answering = false;
    };
  }
  // Options as the program stores them, also before it has started.
  void Store(const char* key, const char* value) {
    sim.registry.PutString(kHkeyCurrentUser, kOptions, key, value);
  }
  std::uint32_t Run(const std::string& path) {
    sim.files.AddFile(path, "MZ");
    return sim.processes.Start(path);
  }
  std::string StartPage() {
    return sim.registry.StringValue(kHkeyCurrentUser, kMainKey, "Start Page").value_or("<none>");
  }
  void ChangeStartPage(const std::string& page) {
    sim.registry.PutString(kHkeyCurrentUser, kMainKey, "Start Page", page);
  }
  std::string Accepted() {
    return sim.registry.StringValue(kHkeyCurrentUser, kOptions, "Homepage").value_or("<none>");
  }
  // The home-page question is answered by the next handler; one left over is a question that
  // never came, one missing is recorded by the host as a window left open.
  void AnswerHomePage(bool yes) {
    host.OnModal("frmHomePageChangedAlert", [this, yes](ui::Form&) {
      protection::frmHomePageChangedAlert& alert = app.windows.frmHomePageChangedAlert();
      homePageQuestions.push_back(alert.lblHomePageInfo.Caption());
      // Ticks that something starts while the question is open do nothing (a second question
      // would be a window the host finds left open).
      for (int i = 0; i < 3; ++i) app.windows.frmMain().tmrCheckHomePage.Tick();
      (yes ? alert.cmdYes : alert.cmdNO).Click();
    });
  }
  // The memory shield alone, in the tray: its own timer every ten seconds. (Each home-page tick
  // switches the background timers off and on, which starts the memory timer's ten seconds
  // afresh; with both shields on the memory shield runs on every third home-page tick.)
  void StartInTrayWithMemoryShieldOnly() {
    Store("optIEHomePageSheildOn", "False");
    StartProgram();
    app.windows.frmMain().SendToTray();
  }
  // Starts the program and lets the first home-page tick adopt the page.
  void StartAndAdopt() {
    StartProgram();
    host.Advance(5000);
    ASSERT_EQ(Accepted(), "http://home.example/");
  }

  std::vector<std::function<void(protection::frmSpywareFoundAlert&)>> answers;
  std::vector<std::string> questions;
  std::vector<std::int64_t> questionTimes;
  std::vector<std::string> homePageQuestions;
  bool answering = false;
  int nestedWaits = 0;
};

void Stop(protection::frmSpywareFoundAlert& alert) {
  alert.cmdYes.Click();
}
void Allow(protection::frmSpywareFoundAlert& alert) {
  alert.cmdNO.Click();
}

TEST_F(ShieldsTest, ShieldsSwitchedOffDoNothing) {
  Store("optMemorySheildOn", "False");
  Store("optIEHomePageSheildOn", "False");
  const std::uint32_t threat = Run(kThreat);
  StartProgram();
  app.windows.frmMain().SendToTray();
  host.Advance(60000);
  // Even a tick that fires regardless does nothing.
  app.windows.frmMain().tmrMemoryInspected.Tick();
  app.windows.frmMain().tmrCheckHomePage.Tick();
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(sim.processes.IsRunning(threat));
  EXPECT_EQ(Accepted(), "<none>") << "nothing adopted";
}

TEST_F(ShieldsTest, AllowedThreatIsListedAsExcludedAndNotAskedAgain) {
  Run(kThreat);
  StartInTrayWithMemoryShieldOnly();
  answers = {Allow};
  host.Advance(10000);
  ASSERT_EQ(questions,
            (std::vector<std::string>{"THREAT.EXE / No Company name available for THREAT.EXE"}));
  EXPECT_EQ(sim.files.FileContent(std::string(kSimDataFolder) + "\\ENoSignature.dat"),
            "THREAT.EXE\r\n");

  host.Advance(10000);
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(ui::DumpRows(app.windows.frmMain().lvwSpywareFound), "<5> EXCLUDED: THREAT.EXE\n");
}

TEST_F(ShieldsTest, TwoThreatsAreAskedAboutInTurnAndStopOnAnEndedOneSaysNothing) {
  const std::uint32_t threat = Run(kThreat);
  const std::uint32_t other = Run(kOther);
  StartInTrayWithMemoryShieldOnly();
  bool secondShownBeforeFirstAnswered = false;
  answers = {[&](protection::frmSpywareFoundAlert& alert) {
               secondShownBeforeFirstAnswered = alert.lblAlertFileName.Caption() != "THREAT.EXE";
               // The program ends by itself while the question is open.
               sim.processes.Exit(threat);
               Stop(alert);
             },
             Stop};
  host.Advance(10000);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_FALSE(secondShownBeforeFirstAnswered);
  EXPECT_EQ(questions.back(), "OTHER.EXE / No Company name available for OTHER.EXE");
  EXPECT_FALSE(sim.processes.IsRunning(other));
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty()) << sim.desktop.MessageBoxes()[0].text;
}

TEST_F(ShieldsTest, NoTickStartsWhileTheAlertIsOpen) {
  Run(kThreat);
  StartInTrayWithMemoryShieldOnly();
  app::FrmMain& main = app.windows.frmMain();
  std::int32_t inspectedWhenAsked = -1;
  answers = {[&](protection::frmSpywareFoundAlert& alert) {
    inspectedWhenAsked = app.state.scan.counters.cookiesAndProcessesInspected;
    // Everything that could start a tick meanwhile: the timers switched on again and both
    // ticks fired by hand, several times.
    main.SetBackgroundTimers(true);
    for (int i = 0; i < 3; ++i) {
      main.tmrMemoryInspected.Tick();
      main.tmrCheckHomePage.Tick();
    }
    EXPECT_EQ(app.state.scan.counters.cookiesAndProcessesInspected, inspectedWhenAsked);
    Allow(alert);
  }};
  host.Advance(10000);
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_GT(inspectedWhenAsked, 0);
}

TEST_F(ShieldsTest, AProgramThatCannotBeStoppedIsNotAskedAboutAgainUntilItRunsAnew) {
  const std::uint32_t stubborn = Run(kThreat);
  sim.processes.SetRefusesToDie(stubborn, true);
  StartInTrayWithMemoryShieldOnly();
  answers = {Stop};
  host.Advance(10000);
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  // The catalogue gives every message a capital first letter.
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text,
            "THREAT.EXE Could not be stopped.  You should try again after saving your work and "
            "closing any open applications.");

  host.Advance(30000);
  EXPECT_EQ(questions.size(), 1u) << "the user has seen that it cannot be stopped";

  // The same file started again is a new process, and is asked about.
  sim.processes.Exit(stubborn);
  host.Advance(10000);
  const std::uint32_t again = Run(kThreat);
  answers = {Stop};
  host.Advance(10000);
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_FALSE(sim.processes.IsRunning(again));
}

TEST_F(ShieldsTest, MemoryShieldRunsOnEveryThirdHomePageTick) {
  Run(kThreat);
  StartProgram();
  // The window is up: only the home-page timer drives the memory shield. Questions closed
  // without an answer come back on the next run.
  const std::int64_t start = host.NowMs();
  host.Advance(9 * 5000);
  ASSERT_EQ(questionTimes.size(), 3u);
  // The first home-page tick came within the start's 200 ms plus five seconds.
  EXPECT_GT(questionTimes[0] - start, 2 * 5000);
  EXPECT_LE(questionTimes[0] - start, 3 * 5000);
  EXPECT_EQ(questionTimes[1] - questionTimes[0], 3 * 5000);
  EXPECT_EQ(questionTimes[2] - questionTimes[1], 3 * 5000);
}

TEST_F(ShieldsTest, AskModeAsksOncePerChangeYesRestoresNoAdoptsAndLetterCaseCounts) {
  StartAndAdopt();
  ChangeStartPage("http://hijack.example/");
  AnswerHomePage(true);
  host.Advance(5000);
  ASSERT_EQ(homePageQuestions.size(), 1u);
  EXPECT_EQ(homePageQuestions[0],
            "Quillmoor AntiSpyware has detected that your Homepage has been changed.\r\n\r\n"
            "Click YES to keep your homepage as:\r\nhttp://home.example/\r\n\r\n"
            "Click No to change your homepage to:\r\nhttp://hijack.example/");
  EXPECT_EQ(StartPage(), "http://home.example/");
  EXPECT_EQ(Accepted(), "http://home.example/");
  host.Advance(15000);  // no question left unanswered (the host records one as an error)

  // A change of letter case only; the question closed without an answer comes back.
  ChangeStartPage("http://HOME.example/");
  host.OnModal("frmHomePageChangedAlert", [](ui::Form& form) { form.Unload(); });
  host.Advance(5000);
  EXPECT_EQ(Accepted(), "http://home.example/");
  AnswerHomePage(false);
  host.Advance(5000);
  EXPECT_EQ(homePageQuestions.size(), 2u);
  EXPECT_EQ(StartPage(), "http://HOME.example/");
  EXPECT_EQ(Accepted(), "http://HOME.example/");
  host.Advance(15000);
}

TEST_F(ShieldsTest, SilentModeRestoresWithinFiveSecondsAndBothModesOffLeaveTheChange) {
  Store("optAlwaysnotifybeforerestoring", "False");
  Store("optRestoredefaultwithoutnotification", "True");
  StartAndAdopt();
  ChangeStartPage("http://hijack.example/");
  host.Advance(5000);
  EXPECT_EQ(StartPage(), "http://home.example/");

  Store("optRestoredefaultwithoutnotification", "False");
  ChangeStartPage("http://hijack.example/");
  host.Advance(15000);
  EXPECT_EQ(StartPage(), "http://hijack.example/");
  EXPECT_EQ(Accepted(), "http://home.example/");
  EXPECT_TRUE(sim.desktop.MessageBoxes().empty());
}

TEST_F(ShieldsTest, ARestoreWindowsRefusesIsReportedOnceUntilThePageChangesAgain) {
  StartAndAdopt();
  ChangeStartPage("http://hijack.example/");
  sim.registry.ProtectKey(kHkeyCurrentUser, kMainKey);
  AnswerHomePage(true);
  host.Advance(5000);
  // The locked key still reads as the page it holds.
  ASSERT_EQ(homePageQuestions.size(), 1u);
  EXPECT_NE(homePageQuestions[0].find("to:\r\nhttp://hijack.example/"), std::string::npos);
  EXPECT_EQ(StartPage(), "http://hijack.example/");
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].text,
            "Your homepage could not be restored: Windows refused the change. The setting may be "
            "locked by a policy or need administrator rights.");
  EXPECT_EQ(sim.desktop.MessageBoxes()[0].title, "Quillmoor AntiSpyware");

  // The same pair of pages: neither asked about nor reported again.
  host.Advance(30000);
  EXPECT_EQ(homePageQuestions.size(), 1u);
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 1u);

  // Another page is another change. In silent mode the refusal is reported once too.
  Store("optAlwaysnotifybeforerestoring", "False");
  Store("optRestoredefaultwithoutnotification", "True");
  ChangeStartPage("http://second.example/");
  host.Advance(20000);
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 2u);
}

}  // namespace

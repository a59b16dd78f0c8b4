#include <string>

#include "app_fixture.h"
#include "ui/dump.h"

namespace {

using app_test::AppTest;

std::string VisiblePages(app::FrmMain& main) {
  std::string pages;
  for (ui::Frame* page : {&main.frmStatus, &main.frmScan, &main.frmResults, &main.frmOptions}) {
    if (page->Visible()) pages += page->Name() + " ";
  }
  return pages;
}

TEST_F(AppTest, NavigationShowsExactlyOnePage) {
  CloseLanguageChooser();
  StartProgram();
  auto& main = app.windows.frmMain();
  EXPECT_EQ(VisiblePages(main), "frmStatus ");
  main.cmdScan.Click();
  EXPECT_EQ(VisiblePages(main), "frmScan ");
  main.cmdSettings.Click();
  EXPECT_EQ(VisiblePages(main), "frmOptions ");
  main.cmdStatus.Click();
  EXPECT_EQ(VisiblePages(main), "frmStatus ");
}

TEST_F(AppTest, SettingsMenuOpensTheChosenTab) {
  CloseLanguageChooser();
  StartProgram();
  auto& main = app.windows.frmMain();
  main.mnuSettings.ClickItem(2);
  EXPECT_EQ(VisiblePages(main), "frmOptions ");
  EXPECT_EQ(main.TabStrip1.SelectedTab(), 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(main.frmView(i).Visible(), i == 2) << i;
  EXPECT_TRUE(main.chkAutomaticScanYesOrNo.IsShown());
  EXPECT_FALSE(main.chkMakeLog.IsShown());
}

TEST_F(AppTest, PagesShareOnePlaceThatFollowsTheWindowSize) {
  CloseLanguageChooser();
  StartProgram();
  auto& main = app.windows.frmMain();
  main.Move(main.Left(), main.Top(), 12000, 8000);
  for (ui::Frame* page : {&main.frmScan, &main.frmResults, &main.frmOptions}) {
    EXPECT_EQ(page->Left(), main.frmStatus.Left());
    EXPECT_EQ(page->Top(), main.frmStatus.Top());
    EXPECT_EQ(page->Width(), main.frmStatus.Width());
    EXPECT_EQ(page->Height(), main.frmStatus.Height());
  }
  EXPECT_EQ(main.frmStatus.Width(), 12000 - main.frmStatus.Left() - 240);
  EXPECT_EQ(main.frmStatus.Height(), 8000 - main.frmStatus.Top() - 960);
  EXPECT_EQ(main.Frame.Top(), 9000) << "the container of the work lists stays out of sight";
  EXPECT_EQ(main.TabStrip1.Width(), main.frmOptions.Width());
  EXPECT_EQ(main.frmView(3).Width(), main.TabStrip1.Width() - 240);
}

// The results columns keep the user's widths while they fit the list with at most 2000 twips to
// spare; otherwise they are shared a quarter, a half and a quarter.
TEST_F(AppTest, ResultColumnsKeepTheirWidthsOnlyWithinBounds) {
  CloseLanguageChooser();
  StartProgram();
  auto& main = app.windows.frmMain();
  auto& list = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
  const int width = list.Width();
  struct Case {
    int spare;
    bool kept;
  };
  for (Case c : {Case{0, true}, Case{2000, true}, Case{2001, false}, Case{-1, false}}) {
    list.SetColumnWidth(0, 1000);
    list.SetColumnWidth(1, 1000);
    list.SetColumnWidth(2, width - 2000 - c.spare);
    main.ArrangeMainWindow();
    if (c.kept) {
      EXPECT_EQ(list.Column(2).width, width - 2000 - c.spare) << c.spare;
    } else {
      EXPECT_EQ(list.Column(0).width, width / 4) << c.spare;
      EXPECT_EQ(list.Column(1).width, width / 2) << c.spare;
      EXPECT_EQ(list.Column(2).width, width / 4) << c.spare;
    }
  }
}

TEST_F(AppTest, FileExitEndsTheProgram) {
  CloseLanguageChooser();
  StartProgram();
  app.windows.frmMain().mnuFile.ClickItem(8);
  EXPECT_FALSE(app.windows.frmMain().IsLoaded());
  EXPECT_TRUE(host.QuitRequested());
  EXPECT_EQ(host.ExitCode(), 0);
}

}  // namespace

namespace {

// The main window's tips, in the words the program uses, and no others.
TEST_F(AppTest, TheStartupOptionAndDeleteCarryTheirTips) {
  std::string tips;
  for (const ui::Control* control : app.windows.frmMain().Descendants()) {
    if (control->ToolTipText().empty()) continue;
    tips += control->Name() + ": " + control->ToolTipText() + "\n";
  }
  EXPECT_EQ(tips,
            "Command4: Permanently delete selected items\n"
            "chkRunAtStartup: Click this option to automatically run at startup\n");
}

}  // namespace

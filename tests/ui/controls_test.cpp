#include <gtest/gtest.h>

#include "test_form.h"
#include "ui/dump.h"
#include "ui/headless_host.h"

namespace {

using ui_test::Args;
using ui_test::TestForm;

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() {
    for (ui::Control* control :
         {static_cast<ui::Control*>(&form.optA1), static_cast<ui::Control*>(&form.optA2),
          static_cast<ui::Control*>(&form.optA3), static_cast<ui::Control*>(&form.optB1),
          static_cast<ui::Control*>(&form.optB2), static_cast<ui::Control*>(&form.chk)}) {
      form.Record(*control);
    }
  }
  ui::HeadlessHost host;
  TestForm form{host};
};

TEST_F(ControlsTest, SelectingAnOptionDeselectsOnlyItsOwnGroupAndClicksOnlyItself) {
  form.optB1.SetValue(true);
  form.optA1.SetValue(true);
  form.events.clear();

  form.optA2.SetValue(true);

  EXPECT_FALSE(form.optA1.Value());
  EXPECT_TRUE(form.optA2.Value());
  EXPECT_FALSE(form.optA3.Value());
  EXPECT_TRUE(form.optB1.Value()) << "another container is another group";
  EXPECT_EQ(form.events, std::vector<std::string>{"optA2"});
}

TEST_F(ControlsTest, OptionClicksOnlyWhenItBecomesSelectedAndCheckBoxOnEveryChange) {
  form.optA1.SetValue(true);
  form.optA1.SetValue(true);
  form.optA1.SetValue(false);
  EXPECT_FALSE(form.optA1.Value());
  EXPECT_FALSE(form.optA2.Value());

  int seen = -1;
  form.chk.OnClick = [&] {
    form.events.push_back("chk");
    seen = form.chk.Value();
  };
  form.chk.SetValue(ui::kChecked);
  EXPECT_EQ(seen, ui::kChecked) << "the handler sees the new value";
  form.chk.SetValue(ui::kChecked);
  form.chk.Toggle();
  form.chk.SetValue(7);  // not a check state: refused
  EXPECT_EQ(form.events, (std::vector<std::string>{"optA1", "chk", "chk"}));
  EXPECT_EQ(form.chk.Value(), ui::kUnchecked);
}

TEST_F(ControlsTest, HiddenContainerHidesItsControls) {
  form.Show();
  EXPECT_TRUE(form.optA1.IsShown());
  form.fraA.SetVisible(false);
  EXPECT_FALSE(form.optA1.IsShown());
  EXPECT_TRUE(form.optA1.Visible()) << "the control's own property is untouched";
  EXPECT_TRUE(form.optB1.IsShown());
}

TEST(ControlArrayTest, ElementsAreAddressedByIndexInAnyOrder) {
  ui::HeadlessHost host;
  TestForm form{host};
  ui::ControlArray<ui::Label> lblStatus{"lblStatus"};
  auto second = Args("", "second");
  second.index = 1;
  auto first = Args("", "first");
  first.index = 0;
  lblStatus.Add(form, second);
  lblStatus.Add(form.fraB, first);
  auto& next = lblStatus.Add(form, Args("", "next"));

  EXPECT_EQ(lblStatus(0).Caption(), "first");
  EXPECT_EQ(lblStatus(1).Caption(), "second");
  EXPECT_EQ(next.Index(), 2);
  EXPECT_EQ(lblStatus(1).FullName(), "lblStatus(1)");
  EXPECT_EQ(lblStatus(0).Parent(), &form.fraB);
  EXPECT_FALSE(lblStatus.Contains(3));
  EXPECT_EQ(lblStatus.Count(), 3);
}

TEST(ListViewTest, RowsChangeSilentlyInCodeAndUserTicksRaiseItemCheck) {
  ui::HeadlessHost host;
  TestForm form{host};
  ui::ListView list{form, Args("lvw")};
  list.checkBoxes = true;
  std::vector<int> checks;
  list.OnItemCheck = [&](int row) { checks.push_back(row); };

  list.Add("Threat - Found", 3);
  int row = list.Add("C:\\x.exe");
  list.SetSubItem(row, 2, "File");
  list.SetChecked(0, true);
  EXPECT_TRUE(checks.empty());

  list.UserCheck(1, true);
  EXPECT_EQ(checks, std::vector<int>{1});
  EXPECT_EQ(ui::DumpRows(list), "[x] <3> Threat - Found\n[x] C:\\x.exe |  | File\n");

  list.Remove(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0).Column(2), "File");
  EXPECT_EQ(list.Item(0).Column(5), "");
}

TEST(ProgressBarTest, ValueOutsideRangeIsRefusedAndLeavesTheBar) {
  ui::HeadlessHost host;
  TestForm form{host};
  ui::ProgressBar bar{form, Args("pb")};
  EXPECT_TRUE(bar.SetValue(40));
  EXPECT_FALSE(bar.SetValue(101));
  EXPECT_FALSE(bar.SetValue(-1));
  EXPECT_EQ(bar.Value(), 40);
  EXPECT_TRUE(bar.SetMax(20));
  EXPECT_EQ(bar.Value(), 20);
  EXPECT_FALSE(bar.SetMax(0)) << "the maximum must stay above the minimum";
}

TEST(SelectionControlsTest, ListIndexAndTabSelectionClick) {
  ui::HeadlessHost host;
  TestForm form{host};
  ui::ComboBox combo{form, Args("cmb")};
  ui::TabStrip tabs{form, Args("tabs")};
  int comboClicks = 0;
  int tabClicks = 0;
  combo.OnClick = [&] { ++comboClicks; };
  tabs.OnClick = [&] { ++tabClicks; };
  for (const char* day : {"Monday", "Tuesday"}) combo.AddItem(day);
  tabs.AddTab("One");
  tabs.AddTab("Two");

  combo.SetListIndex(1);
  combo.SetListIndex(1);
  combo.SetListIndex(5);
  EXPECT_EQ(comboClicks, 1);
  EXPECT_EQ(combo.Text(), "Tuesday");
  combo.SetText("Monday");
  EXPECT_EQ(combo.ListIndex(), 0);
  combo.SetText("Someday");  // a drop-down list takes only its own entries
  EXPECT_EQ(combo.Text(), "Monday");

  EXPECT_EQ(tabs.SelectedTab(), 1);
  tabs.SelectTab(2);
  tabs.SelectTab(3);
  EXPECT_EQ(tabs.SelectedTab(), 2);
  EXPECT_EQ(tabClicks, 1);
}

TEST(DatePickerTest, NullOnlyWithACheckBox) {
  ui::HeadlessHost host;
  TestForm form{host};
  ui::DatePicker plain{form, Args("dtpPlain")};
  ui::DatePicker nullable{form, Args("dtpNullable")};
  nullable.checkBox = true;
  int changes = 0;
  nullable.OnChange = [&] { ++changes; };

  EXPECT_FALSE(plain.SetValue(std::nullopt));
  EXPECT_FALSE(plain.IsNull());
  EXPECT_TRUE(nullable.SetValue(std::nullopt));
  EXPECT_TRUE(nullable.IsNull());
  EXPECT_EQ(changes, 0) << "a change made in code raises nothing";
  nullable.UserSetValue(38792.5);
  EXPECT_EQ(changes, 1);
  EXPECT_DOUBLE_EQ(*nullable.Value(), 38792.5);
}

TEST(DumpTest, ShowsTheTreeWithStates) {
  ui::HeadlessHost host;
  TestForm form{host};
  form.optA2.SetValue(true);
  form.fraB.SetVisible(false);
  form.chk.SetEnabled(false);
  std::string dump = ui::Dump(form);
  EXPECT_NE(dump.find("  Frame fraA \"A\"\n    OptionButton optA1\n    OptionButton optA2 selected\n"),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("  Frame fraB \"B\" hidden\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  CheckBox chk value=0 disabled\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  Timer tmrOff interval=100 off\n"), std::string::npos) << dump;
}

}  // namespace

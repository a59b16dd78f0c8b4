#include "app/settings.h"

#include <gtest/gtest.h>

#include <set>

#include "app/options.h"
#include "platform/desktop.h"
#include "platform/sim/sim_machine.h"

namespace {

using app::kVbObjectError;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kCompany = "Quillmoor Software";
constexpr const char* kProduct = "Quillmoor AntiSpyware";
constexpr const char* kMachineKey = "SOFTWARE\\Quillmoor Software\\Quillmoor AntiSpyware\\Settings";

class SettingsTest : public ::testing::Test {
 protected:
  platform::sim::SimMachine sim;
  app::Settings settings{sim.machine};
};

TEST_F(SettingsTest, PerUserValuesLiveUnderTheProgramsNameAndMissingOnesReadAsTheDefault) {
  EXPECT_EQ(settings.GetSetting(kProduct, "Settings", "Language", "English"), "English");
  settings.SaveSetting(kProduct, "Settings", "Language", "Deutsch");
  EXPECT_EQ(
      sim.registry.StringValue(
          kHkeyCurrentUser,
          "Software\\VB and VBA Program Settings\\Quillmoor AntiSpyware\\Settings", "Language"),
      "Deutsch");
  EXPECT_EQ(settings.GetSetting(kProduct, "Settings", "Language", "English"), "Deutsch");
  EXPECT_EQ(settings.GetSetting("Another Brand", "Settings", "Language", "English"), "English");
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

TEST_F(SettingsTest, MachineStoreRaisesItsErrorsAndReturnsTheDefault) {
  app::SettingError error;
  struct Case {
    const char* app;
    const char* section;
    const char* key;
    long number;
    const char* text;
  };
  for (Case c :
       {Case{"", "Settings", "FirstTime", kVbObjectError + 1000, "AppName may not be empty"},
        Case{kProduct, "", "FirstTime", kVbObjectError + 1001, "Section may not be empty"},
        Case{kProduct, "Settings", "", kVbObjectError + 1002, "Key may not be empty"}}) {
    EXPECT_EQ(settings.GetMachineSetting(kCompany, c.app, c.section, c.key, "d", &error), "d");
    EXPECT_EQ(error.number, c.number);
    EXPECT_EQ(error.description, c.text);
  }

  EXPECT_EQ(settings.GetMachineSetting(kCompany, kProduct, "Settings", "FirstTime", "", &error),
            "");
  EXPECT_EQ(error.number, 0) << "a missing key is no error";

  sim.registry.PutDword(kHkeyLocalMachine, kMachineKey, "FirstTime", 1);
  settings.GetMachineSetting(kCompany, kProduct, "Settings", "FirstTime", "", &error);
  EXPECT_EQ(error.number, platform::kRegDword);
  EXPECT_EQ(error.description, "Registry data not a string");

  sim.registry.PutString(kHkeyLocalMachine, kMachineKey, "FirstTime", "Yes");
  EXPECT_EQ(settings.GetMachineSetting(" Quillmoor Software ", kProduct, "Settings", "FirstTime",
                                       "", &error),
            "Yes")
      << "the company name is trimmed";

  sim.registry.ProtectKey(kHkeyLocalMachine, "SOFTWARE\\Quillmoor Software");
  EXPECT_EQ(settings.GetMachineSetting(kCompany, kProduct, "Settings", "FirstTime", "", &error),
            "Yes")
      << "reading a protected key is allowed";
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

TEST_F(SettingsTest, PermissionDialogAbortRetryAndIgnore) {
  sim.registry.SetLimitedUser(true);
  auto save = [&] {
    settings.SaveMachineSetting(kCompany, kProduct, "Settings", "FirstTime", "Yes");
  };

  sim.desktop.AnswerNext(platform::kIdAbort);
  save();
  ASSERT_EQ(sim.desktop.MessageBoxes().size(), 1u);
  const auto& box = sim.desktop.MessageBoxes()[0];
  EXPECT_EQ(box.title, "Permission Denied");
  EXPECT_EQ(box.style & platform::kMbButtonsMask, platform::kMbAbortRetryIgnore);
  EXPECT_EQ(box.text.rfind("Quillmoor AntiSpyware requires read/write access", 0), 0u);
  EXPECT_FALSE(sim.registry.StringValue(kHkeyLocalMachine, kMachineKey, "FirstTime"));

  // Retry repeats the step that failed: here the administrator fixes the rights meanwhile.
  sim.desktop.AnswerNext([&](const platform::sim::ShownMessageBox&) {
    sim.registry.SetLimitedUser(false);
    return platform::kIdRetry;
  });
  save();
  EXPECT_EQ(sim.registry.StringValue(kHkeyLocalMachine, kMachineKey, "FirstTime"), "Yes");

  sim.registry.SetLimitedUser(true);
  sim.desktop.AnswerNext(platform::kIdIgnore);
  save();
  save();  // the user asked never to be asked again
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 3u);
  EXPECT_EQ(settings.GetSetting(kProduct, "Settings", "IgnorePermissionDeniedError", "0"), "1");
  EXPECT_FALSE(sim.desktop.ScriptRanDry());
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

TEST(StoredValuesTest, TruthValuesAndNumbers) {
  EXPECT_EQ(app::ReadBool("True"), true);
  EXPECT_EQ(app::ReadBool("false"), false);
  EXPECT_EQ(app::ReadBool("0"), false);
  EXPECT_EQ(app::ReadBool("-1"), true);
  EXPECT_EQ(app::ReadBool("Yes"), std::nullopt);
  EXPECT_EQ(app::ReadNumber("1400"), 1400L);
  EXPECT_EQ(app::ReadNumber(" 7 "), 7L);
  EXPECT_EQ(app::ReadNumber("2.5"), 2L) << "halves round to the even number";
  EXPECT_EQ(app::ReadNumber("3.5"), 4L);
  EXPECT_EQ(app::ReadNumber("12px"), std::nullopt);
  EXPECT_EQ(app::ReadNumber(""), std::nullopt);
}

}  // namespace

namespace {

// One option, one place: no key twice, and every default reads as the option's own type.
TEST(OptionTableTest, EveryOptionHasOneKeyAndADefaultOfItsType) {
  std::set<std::string> keys;
  for (const app::Option* option : app::kOptionTable) {
    EXPECT_TRUE(keys.insert(std::string(option->section) + "\\" + option->key).second)
        << option->key;
    if (option->type != app::OptionType::Text) {
      EXPECT_TRUE(app::OptionValue(*option, option->defaultText)) << option->key;
    }
  }
  EXPECT_EQ(app::OptionText(app::option::kSweepMemory, true), "1");
  EXPECT_EQ(app::OptionText(app::option::kMemoryShieldOn, false), "False");
  EXPECT_EQ(app::OptionValue(app::option::kSweepMemory, "True"), std::nullopt)
      << "a check box is stored as a number";
}

}  // namespace

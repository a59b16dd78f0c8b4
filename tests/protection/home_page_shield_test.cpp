#include "protection/home_page_shield.h"

#include <gtest/gtest.h>

#include "localization/cls_languages.h"
#include "platform/sim/sim_machine.h"
#include "protection/frm_home_page_changed_alert.h"
#include "ui/headless_host.h"

namespace {

using platform::kHkeyCurrentUser;
using protection::ReadRegistryText;
using protection::SetUserRegistryValue;

constexpr const char* kKey = "Software\\Vendor\\Browser";

class RegistryTextTest : public ::testing::Test {
 protected:
  std::string Read(const char* name, bool* ok = nullptr) {
    std::string text = "left over";
    const bool read = ReadRegistryText(sim.registry, kHkeyCurrentUser, kKey, name, &text);
    if (ok) *ok = read;
    return read ? text : "<false:" + text + ">";
  }
  platform::sim::SimMachine sim;
};

TEST_F(RegistryTextTest, ReadsTextsAndNumbersAndFailsEmpty) {
  sim.registry.PutString(kHkeyCurrentUser, kKey, "page", "http://home.example/");
  sim.registry.PutDword(kHkeyCurrentUser, kKey, "number", 0x00BEEF01);
  sim.registry.PutDword(kHkeyCurrentUser, kKey, "zero", 0);
  // Written without its NUL, and with two: only a final NUL is left out.
  sim.registry.PutValue(kHkeyCurrentUser, kKey, "bare", platform::kRegSz, {'a', 'b'});
  sim.registry.PutValue(kHkeyCurrentUser, kKey, "twice", platform::kRegSz, {'a', 0, 0});
  sim.registry.PutValue(kHkeyCurrentUser, kKey, "empty", platform::kRegSz, {});
  EXPECT_EQ(Read("page"), "http://home.example/");
  EXPECT_EQ(Read("number"), "BEEF01");
  EXPECT_EQ(Read("zero"), "0");
  EXPECT_EQ(Read("bare"), "ab");
  EXPECT_EQ(Read("twice"), std::string("a\0", 2));
  EXPECT_EQ(Read("empty"), "");

  // Failures leave the text empty: a missing value or key, a value longer than the room.
  sim.registry.PutString(kHkeyCurrentUser, kKey, "fits", std::string(1023, 'x'));
  sim.registry.PutString(kHkeyCurrentUser, kKey, "long", std::string(1024, 'x'));
  EXPECT_EQ(Read("fits").size(), 1023u);
  EXPECT_EQ(Read("long"), "<false:>");
  EXPECT_EQ(Read("missing"), "<false:>");
  std::string text = "left over";
  EXPECT_FALSE(ReadRegistryText(sim.registry, kHkeyCurrentUser, "Software\\None", "x", &text));
  EXPECT_EQ(text, "");
}

TEST_F(RegistryTextTest, WritesTextsWithTheirNulNumbersAndNothingElse) {
  sim.registry.AddKey(kHkeyCurrentUser, kKey);
  EXPECT_EQ(SetUserRegistryValue(sim.registry, kKey, "page", "http://a/", platform::kRegSz), 0);
  EXPECT_EQ(sim.registry.Value(kHkeyCurrentUser, kKey, "page")->data,
            (std::vector<std::uint8_t>{'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 0}));
  EXPECT_EQ(SetUserRegistryValue(sim.registry, kKey, "n", " 4096 ", platform::kRegDword), 0);
  EXPECT_EQ(sim.registry.DwordValue(kHkeyCurrentUser, kKey, "n"), 4096u);
  EXPECT_EQ(SetUserRegistryValue(sim.registry, kKey, "m", "-1", platform::kRegDword), 0);
  EXPECT_EQ(sim.registry.DwordValue(kHkeyCurrentUser, kKey, "m"), 0xFFFFFFFFu);

  EXPECT_NE(SetUserRegistryValue(sim.registry, kKey, "bad", "12px", platform::kRegDword), 0);
  EXPECT_NE(SetUserRegistryValue(sim.registry, kKey, "bin", "x", platform::kRegBinary), 0);
  EXPECT_FALSE(sim.registry.Value(kHkeyCurrentUser, kKey, "bad"));
  EXPECT_FALSE(sim.registry.Value(kHkeyCurrentUser, kKey, "bin"));
  // The key is opened, never made.
  EXPECT_EQ(SetUserRegistryValue(sim.registry, "Software\\None", "page", "x", platform::kRegSz),
            platform::kErrorFileNotFound);
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "Software\\None"));
}

TEST(HomePageQuestionWindowTest, TranslatesItselfAndNamesTheProduct) {
  platform::sim::SimMachine sim;
  sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt",
                    "<LANGUAGE_GROUP>\r\n<LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>\r\n"
                    "<TRANSLATION_ITEMS>\r\n"
                    "<frmHomePageChangedAlert_cmdYes>Ja</frmHomePageChangedAlert_cmdYes>\r\n"
                    "<FRMHOMEPAGECHANGEDALERT_CMDNO>Nein</FRMHOMEPAGECHANGEDALERT_CMDNO>\r\n"
                    "</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n");
  localization::clsLanguages languages{sim.machine};
  languages.LoadLanguage("Deutsch");
  ui::HeadlessHost host;
  int restored = 0;
  protection::frmHomePageChangedAlert alert{
      host,
      {[] { return std::string("Quillmoor AntiSpyware"); },
       [&](const std::string& key) { return languages.TranslateKey(key); }, [&] { ++restored; },
       [] {}}};
  host.OnModal("frmHomePageChangedAlert", [&](ui::Form&) {
    EXPECT_EQ(alert.cmdYes.Caption(), "Ja");
    EXPECT_EQ(alert.cmdNO.Caption(), "Nein");
    EXPECT_EQ(alert.lblFrmHomePageProductName.Caption(), "Quillmoor AntiSpyware");
    EXPECT_EQ(alert.lblHomePageInfo.Caption(), "The question");
    EXPECT_TRUE(alert.IsModal());
    alert.cmdYes.Click();
  });
  alert.Ask("The question");
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(alert.IsLoaded());
  EXPECT_TRUE(host.Errors().empty());
}

}  // namespace

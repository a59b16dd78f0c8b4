#include <gtest/gtest.h>

#include "app_fixture.h"
#include "branding/branding.h"
#include "branding/frm_about.h"
#include "branding/frm_website.h"

namespace {

using app_test::AppTest;

TEST(WebsiteAddressTest, HttpIsAddedOnlyWhenNoSchemeIsNamed) {
  using branding::frmWebsite;
  EXPECT_EQ(frmWebsite::WebsiteAddress("YourWebsite.com"), "http://YourWebsite.com");
  EXPECT_EQ(frmWebsite::WebsiteAddress("https://example.org"), "https://example.org");
  EXPECT_EQ(frmWebsite::WebsiteAddress("www.example.org/HTTP://x"), "www.example.org/HTTP://x");
  EXPECT_EQ(frmWebsite::WebsiteAddress(""), "http://");
}

// A brand switch names one product; an empty setting or an unnamed build matches nothing.
TEST(BrandSwitchesTest, TurnOnOnlyForTheProductTheyName) {
  branding::Branding brand;
  brand.ProgramName = "Remover";
  branding::ApplyBrandSwitches(brand, "Remover", "");
  EXPECT_TRUE(brand.startsInTrayAtStartup);
  EXPECT_FALSE(brand.runsAtStartupOnlyWhenChosen);
  branding::ApplyBrandSwitches(brand, "Other", "Remover");
  EXPECT_FALSE(brand.startsInTrayAtStartup);
  EXPECT_TRUE(brand.runsAtStartupOnlyWhenChosen);
  brand.ProgramName.clear();
  branding::ApplyBrandSwitches(brand, "", "");
  EXPECT_FALSE(brand.startsInTrayAtStartup || brand.runsAtStartupOnlyWhenChosen);
}

TEST_F(AppTest, AboutBoxShowsTheBrandAndOpensTheWebsite) {
  sim.system.SetOwnVersionInfo({"Sweep Pro", "Sweep Co", "sweep.example", 3, 10});
  branding::LoadBranding(sim.machine.system, app.brand);
  auto& about = app.windows.frmAbout();
  about.Show();
  EXPECT_EQ(about.Caption(), "About Sweep Pro");
  EXPECT_EQ(about.Label1.Caption(), "Sweep Pro");
  EXPECT_EQ(about.lblCompany.Caption(), "Sweep Co");
  EXPECT_EQ(about.lblVersion.Caption(), "3.10");
  EXPECT_EQ(about.lblWebsite.Caption(), "sweep.example");
  EXPECT_EQ(app.brand.BrandNumber, 21);

  about.lblWebsite.Click();
  ASSERT_EQ(sim.desktop.ShellExecuteCalls().size(), 1u);
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].file, "http://sweep.example");
  EXPECT_EQ(sim.desktop.ShellExecuteCalls()[0].verb, "");
  EXPECT_EQ(app.brand.websiteTarget, "");
  EXPECT_TRUE(app.windows.frmWebsite().IsLoaded());
  host.Advance(1000);
  EXPECT_FALSE(app.windows.frmWebsite().IsLoaded()) << "the launcher unloads at its timer's first tick";
}

TEST_F(AppTest, LauncherDoesNothingWithoutTheWebsiteTarget) {
  app.brand.websiteTarget = "Elsewhere";
  app.windows.frmWebsite().Load();
  EXPECT_TRUE(sim.desktop.ShellExecuteCalls().empty());
  EXPECT_EQ(app.brand.websiteTarget, "Elsewhere");
}

}  // namespace

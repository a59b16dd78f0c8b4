#include "branding/branding.h"

namespace branding {

void LoadBranding(platform::System& system, Branding& branding) {
  const platform::OwnVersionInfo info = system.GetOwnVersionInfo();
  branding.ProgramName = info.productName;
  branding.CompanyName = info.companyName;
  branding.Website = info.comments;
  branding.BrandNumber = kBrandNumber;
  ApplyBrandSwitches(branding, BRAND_TRAY_START, BRAND_NO_AUTORUN);
}

void ApplyBrandSwitches(Branding& branding, const std::string& trayStartProduct,
                        const std::string& noAutorunProduct) {
  const std::string& name = branding.ProgramName;
  branding.startsInTrayAtStartup = !name.empty() && name == trayStartProduct;
  branding.runsAtStartupOnlyWhenChosen = !name.empty() && name == noAutorunProduct;
}

std::string VersionText(platform::System& system) {
  const platform::OwnVersionInfo info = system.GetOwnVersionInfo();
  return std::to_string(info.major) + "." + std::to_string(info.minor);
}

}  // namespace branding

#include "branding/branding.h"

namespace branding {

void LoadBranding(platform::System& system, Branding& branding) {
  const platform::OwnVersionInfo info = system.GetOwnVersionInfo();
  branding.ProgramName = info.productName;
  branding.CompanyName = info.companyName;
  branding.Website = info.comments;
  branding.BrandNumber = kBrandNumber;
}

std::string VersionText(platform::System& system) {
  const platform::OwnVersionInfo info = system.GetOwnVersionInfo();
  return std::to_string(info.major) + "." + std::to_string(info.minor);
}

}  // namespace branding

#pragma once

#include <cstdint>
#include <string>

#include "platform/system.h"

namespace branding {

// The number that identifies this build's brand to the language server.
inline constexpr std::int16_t kBrandNumber = 21;

// The website value of a build that has not been branded.
inline constexpr const char* kUnbrandedWebsite = "YourWebsite.com";

// The brand of this build, read from the executable's own version block, and the target that
// tells the website launcher what to open.
struct Branding {
  std::string ProgramName;
  std::string CompanyName;
  std::string Website;
  std::int16_t BrandNumber = 0;
  // "Website" makes the launcher open the website; anything else makes it do nothing.
  std::string websiteTarget;
  // Brands that differ in behaviour, by build settings: this brand starts in the tray when it
  // runs at start-up, and this brand does not run at start-up unless the user chose it.
  bool startsInTrayAtStartup = false;
  bool runsAtStartupOnlyWhenChosen = false;
};

// The brand switches of a product name: equal to a build's tray-start or no-autorun product
// (an empty name or setting matches nothing).
void ApplyBrandSwitches(Branding& branding, const std::string& trayStartProduct,
                        const std::string& noAutorunProduct);

// Reads the product name, company name and comments (the website) of the program's version
// block, and sets the brand number and the build's brand switches. Reading again yields the
// same values.
void LoadBranding(platform::System& system, Branding& branding);

// "major.minor" of the program's version, as plain decimal numbers.
std::string VersionText(platform::System& system);

}  // namespace branding

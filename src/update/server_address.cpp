#include "update/server_address.h"

#include "common/text.h"

// The build settings DEFINITION_SERVER and LANGUAGE_SERVER (CMake cache) arrive here only, so
// that changing them rebuilds one file.
#ifndef DEFINITION_SERVER
#define DEFINITION_SERVER "http://127.0.0.1:8080"
#endif
#ifndef LANGUAGE_SERVER
#define LANGUAGE_SERVER "http://127.0.0.1:8080"
#endif

namespace update {
namespace {

std::string Address(platform::Registry& registry, const std::string& companyName,
                    const std::string& productName, const char* valueName, const char* built) {
  std::string address = built;
  const platform::ScopedKey key =
      platform::OpenScopedKey(registry, platform::kHkeyLocalMachine,
                              ServerSettingsKey(companyName, productName), platform::kKeyQueryValue);
  if (key.IsOpen()) {
    std::string value;
    if (platform::ReadStringValue(registry, key.Get(), valueName, &value) &&
        !common::Trim(value).empty()) {
      address = common::Trim(value);
    }
  }
  // The request paths begin with "/".
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address;
}

}  // namespace

std::string ServerSettingsKey(const std::string& companyName, const std::string& productName) {
  return "SOFTWARE\\" + companyName + "\\" + productName + "\\Settings";
}

std::string DefinitionServer(platform::Registry& registry, const std::string& companyName,
                             const std::string& productName) {
  return Address(registry, companyName, productName, "DefinitionServer", DEFINITION_SERVER);
}

std::string LanguageServer(platform::Registry& registry, const std::string& companyName,
                           const std::string& productName) {
  return Address(registry, companyName, productName, "LanguageServer", LANGUAGE_SERVER);
}

}  // namespace update

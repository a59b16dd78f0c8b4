#include "protection/home_page_shield.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "common/text.h"
#include "platform/errors.h"

namespace protection {

namespace {

// The access the shield writes with: query, set value, create sub-key, enumerate, notify and
// create link.
constexpr std::uint32_t kWriteAccess = 0x3F;

// A whole number that fits 32 bits, signed or not, as the registry's REG_DWORD takes it.
std::optional<std::uint32_t> DwordOf(const std::string& text) {
  const std::string trimmed = common::Trim(text);
  long long number = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [at, error] = std::from_chars(trimmed.data(), end, number);
  if (error != std::errc{} || at != end || trimmed.empty()) return std::nullopt;
  if (number < -2147483648LL || number > 4294967295LL) return std::nullopt;
  return static_cast<std::uint32_t>(number);
}

}  // namespace

bool ReadRegistryText(platform::Registry& registry, platform::RegKey hive, const std::string& key,
                      const std::string& valueName, std::string* text) {
  text->clear();
  const platform::ScopedKey scoped =
      platform::OpenScopedKey(registry, hive, key, platform::kKeyQueryValue);
  if (!scoped.IsOpen()) return false;
  std::uint32_t type = platform::kRegNone;
  std::vector<std::uint8_t> data;
  if (registry.QueryValue(scoped.Get(), valueName, &type, &data) != platform::kErrorSuccess) {
    return false;
  }
  if (data.size() > kRegistryTextRoom) return false;
  if (type == platform::kRegDword) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i)
      number |= std::uint32_t{data[i]} << (8 * i);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(number));
    *text = hex;
    return true;
  }
  std::size_t size = data.size();
  if (size > 0 && data[size - 1] == 0) --size;
  text->assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(size));
  return true;
}

long WriteRegistryValue(platform::Registry& registry, platform::RegKey key,
                        const std::string& valueName, std::uint32_t type, const std::string& data) {
  if (type == platform::kRegSz) return registry.SetString(key, valueName, data);
  if (type == platform::kRegDword) {
    const std::optional<std::uint32_t> number = DwordOf(data);
    if (!number) return platform::kErrorInvalidParameter;
    return registry.SetDword(key, valueName, *number);
  }
  return platform::kErrorInvalidParameter;
}

long SetUserRegistryValue(platform::Registry& registry, const std::string& key,
                          const std::string& valueName, const std::string& data,
                          std::uint32_t type) {
  long open = platform::kErrorSuccess;
  const platform::ScopedKey scoped =
      platform::OpenScopedKey(registry, platform::kHkeyCurrentUser, key, kWriteAccess, &open);
  if (!scoped.IsOpen()) return open;
  return WriteRegistryValue(registry, scoped.Get(), valueName, type, data);
}

HomePageShield::HomePageShield(Services services) : services_(std::move(services)) {}

std::string HomePageShield::Question(const std::string& saved, const std::string& current) const {
  return services_.programName() + " has detected that your Homepage has been changed.\r\n\r\n" +
         "Click YES to keep your homepage as:\r\n" + saved + "\r\n\r\n" +
         "Click No to change your homepage to:\r\n" + current;
}

void HomePageShield::CheckHomePage() {
  // The background timers are off while a tick runs, but a question left open lets events
  // run: whatever switches the timers on meanwhile must not start a second tick.
  if (checking_) return;
  checking_ = true;
  if (++tickCounter_ == 3) {
    tickCounter_ = 0;
    services_.memoryShieldTick();
  }
  services_.setBackgroundTimers(false);
  if (services_.shieldOn()) {
    ReadRegistryText(services_.registry, platform::kHkeyCurrentUser, kInternetExplorerMainKey,
                     kStartPageValue, &currentPage_);
    savedPage_ = services_.acceptedPage();
    // The first tick adopts whatever page is set.
    if (savedPage_.empty()) {
      savedPage_ = currentPage_;
      services_.saveAcceptedPage(savedPage_);
    }
    // Letter case counts: a host name changed only in case is another page to a hijacker's
    // redirector.
    const bool refusedBefore =
        refused_ && refused_->first == savedPage_ && refused_->second == currentPage_;
    if (savedPage_ != currentPage_ && !refusedBefore) {
      if (services_.askMode()) {
        services_.ask(Question(savedPage_, currentPage_));
      } else if (services_.silentMode()) {
        PutBackSavedPage();
      }
    }
  }
  services_.setBackgroundTimers(true);
  checking_ = false;
}

long HomePageShield::RestoreHomePage() {
  services_.saveAcceptedPage(savedPage_);
  return SetUserRegistryValue(services_.registry, kInternetExplorerMainKey, kStartPageValue,
                              savedPage_, platform::kRegSz);
}

void HomePageShield::AcceptHomePage() {
  services_.saveAcceptedPage(currentPage_);
}

void HomePageShield::PutBackSavedPage() {
  if (RestoreHomePage() == platform::kErrorSuccess) return;
  // Asking again every five seconds about a change Windows will not let us undo would only
  // nag: say so once and leave this pair alone.
  refused_.emplace(savedPage_, currentPage_);
  services_.tellRestoreRefused();
}

}  // namespace protection

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/registry.h"

namespace protection {

// Where Internet Explorer keeps the current user's start page.
inline constexpr const char* kInternetExplorerMainKey =
    "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kStartPageValue = "Start Page";
// The room RegQueryValueExA gets when a value is read as text: a longer value does not fit and
// reads as a failure.
inline constexpr std::size_t kRegistryTextRoom = 1024;

// `ReadRegistryText`: the value hive\key\valueName as text. A string is its bytes without a
// final NUL (all of them when the last one is not NUL); a REG_DWORD is the number in upper-case
// hexadecimal without leading zeros. False, with the text empty, when the key cannot be opened
// or the value is missing or longer than the room. The key is opened for reading only: a key
// the user may read but not change (locked by a policy) still shows its page. The key is closed.
bool ReadRegistryText(platform::Registry& registry, platform::RegKey hive, const std::string& key,
                      const std::string& valueName, std::string* text);

// `WriteRegistryValue`: REG_SZ writes the text and one NUL (counted in the length); REG_DWORD
// writes the text read as a whole number (a text that is no number writes nothing). Any other
// type writes nothing. Returns the API's code (kErrorInvalidParameter when nothing was written).
long WriteRegistryValue(platform::Registry& registry, platform::RegKey key,
                        const std::string& valueName, std::uint32_t type, const std::string& data);

// `SetUserRegistryValue`: opens HKEY_CURRENT_USER\key (it is not created) with access 0x3F and
// writes the value through WriteRegistryValue; the key is closed. Returns the API's code of the
// open, or of the write: Windows refusing the change shows here.
long SetUserRegistryValue(platform::Registry& registry, const std::string& key,
                          const std::string& valueName, const std::string& data,
                          std::uint32_t type);

// The home-page shield: every five seconds it compares the browser's start page with the page
// the user accepted, and asks about a change or silently puts the accepted page back. Every
// third tick it first runs the memory shield's tick. The question's Yes and No come back as
// PutBackSavedPage and AcceptHomePage.
class HomePageShield {
 public:
  struct Services {
    platform::Registry& registry;
    // The switches of the options page, as stored now.
    std::function<bool()> shieldOn;
    std::function<bool()> askMode;
    std::function<bool()> silentMode;
    // The accepted page (the setting "Homepage").
    std::function<std::string()> acceptedPage;
    std::function<void(const std::string& page)> saveAcceptedPage;
    // `SetBackgroundTimers`.
    std::function<void(bool enable)> setBackgroundTimers;
    // The memory shield's tick.
    std::function<void()> memoryShieldTick;
    // Shows the question with this text modally: it returns once Yes or No was pressed (or the
    // window was closed).
    std::function<void(const std::string& question)> ask;
    // Tells the user that Windows refused to put the page back.
    std::function<void()> tellRestoreRefused;
    // `ProgramName`, the question's first words.
    std::function<std::string()> programName;
  };

  explicit HomePageShield(Services services);

  // `CheckHomePage`: the tick of `tmrCheckHomePage`. A tick that arrives while one is still
  // running (its question is open) does nothing at all.
  void CheckHomePage();
  // `RestoreHomePage`: stores the saved page as the accepted one again and writes it as the
  // browser's start page. Returns the API's code of the write.
  long RestoreHomePage();
  // `AcceptHomePage`: the current page becomes the accepted one.
  void AcceptHomePage();
  // Yes of the question, and the silent mode: RestoreHomePage; when Windows refuses it, the
  // user is told once and this pair of pages is not taken up again (no question, no retry)
  // until the browser's page changes to something else.
  void PutBackSavedPage();

  // The question text for the two pages.
  std::string Question(const std::string& saved, const std::string& current) const;

  bool Checking() const { return checking_; }
  const std::string& SavedPage() const { return savedPage_; }
  const std::string& CurrentPage() const { return currentPage_; }

 private:
  Services services_;
  // Counts the ticks for the memory shield; 16 bits, as it always was.
  std::uint16_t tickCounter_ = 0;
  // The two pages the last tick compared; the question's buttons act on them.
  std::string savedPage_;
  std::string currentPage_;
  // The saved and current page of the last restore that Windows refused.
  std::optional<std::pair<std::string, std::string>> refused_;
  bool checking_ = false;
};

}  // namespace protection

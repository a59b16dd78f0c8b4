#include "localization/language_download.h"

#include <string_view>

#include "common/text.h"

namespace localization {
namespace {

constexpr std::string_view kItemsTag = "<TRANSLATION_ITEMS>";
constexpr std::string_view kClosingTag = "</XML_DIZ_INFO>";

bool EndsWithClosingTag(std::string_view text) {
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  if (last == std::string_view::npos || last + 1 < kClosingTag.size()) return false;
  return common::EqualsNoCase(text.substr(last + 1 - kClosingTag.size(), kClosingTag.size()),
                              kClosingTag);
}

}  // namespace

std::string LanguageFileAddress(const std::string& languageServer, int brandNumber) {
  return languageServer + "/Languages/" + std::to_string(brandNumber) + "/Localization.txt";
}

bool InstallLanguageFile(platform::Files& files, const std::string& path, std::string response) {
  if (common::FindNoCase(response, kItemsTag) == std::string::npos) return false;
  const std::size_t first = response.find('<');
  if (first != std::string::npos && first > 0) response.erase(0, first);
  if (!EndsWithClosingTag(response)) return false;

  const std::string temporary = path + ".new";
  if (!files.WriteAll(temporary, response) || !files.ReplaceFile(temporary, path)) {
    files.DeleteFile(temporary);
    return false;
  }
  return true;
}

}  // namespace localization

#pragma once

#include <string>

#include "platform/files.h"

namespace localization {

// The address of the brand's language file on the language server.
std::string LanguageFileAddress(const std::string& languageServer, int brandNumber);

// Puts a downloaded language file in the place of the one at path. Only a whole file is taken:
// the answer must hold "<TRANSLATION_ITEMS>" and end with the file's closing tag (a transfer
// cut short, an error page or nothing at all are not language files). Whatever precedes the
// first "<" is cut away. The new file is written beside the old one and moved over it in one
// step, so the old file stays whole until the new one is complete. Returns true when the file
// was replaced; on false the file at path is as it was.
bool InstallLanguageFile(platform::Files& files, const std::string& path, std::string response);

}  // namespace localization

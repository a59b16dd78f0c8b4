#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "localization/message_keys.h"
#include "platform/machine.h"

namespace ui {
class Form;
}

namespace localization {

// The language file, in the program's own folder.
inline constexpr const char* kLanguageFileName = "Localization.txt";

// The number of messages the catalogue holds; further ones are ignored.
inline constexpr int kMessageTableSize = 201;

struct MessageSlot {
  std::string name;  // the message key, as localization::msg::kStop
  std::string message;
  bool inUse = false;
};

using MessageSlots = std::array<MessageSlot, kMessageTableSize>;

// The message catalogue and the language file: built-in messages by key, and the translation
// items of the current language with the brand's names put in. One object for the whole run,
// made at start-up and shared by every window. Text is kept in the ANSI code page; the file is
// UTF-8.
class clsLanguages {
 public:
  explicit clsLanguages(platform::Machine& machine);
  clsLanguages(const clsLanguages&) = delete;
  clsLanguages& operator=(const clsLanguages&) = delete;

  // The brand's names that replace "[ProgramName]", "[CompanyName]" and "[Website]" in texts
  // taken from the language file.
  void SetBranding(std::string programName, std::string companyName, std::string website);

  // Adds the message in the first unused slot; does nothing once all slots are used. Keys are
  // not checked for duplicates: the first one added wins the lookups.
  void setMessage(const std::string& name, const std::string& message);
  // The message of the first slot whose key equals name (letter case ignored), with its first
  // character in upper case; "" when the key is not in the catalogue.
  std::string getMessages(const std::string& name) const;
  // Replaces the message of a used slot (a translation putting its text in).
  void ReplaceMessage(int slot, std::string message);
  const MessageSlots& MessageTable() const { return messageTable_; }

  // Makes languageName the current language and reads its translation items from the language
  // file. Without a language file the items stay as they were; a file that lacks the language
  // leaves none.
  void LoadLanguage(const std::string& languageName);
  // The translated text of one item of the current language, the brand's names put in
  // (placeholders matched in any letter case) and its first character in upper case; "" when
  // the language has no such item.
  std::string TranslateKey(const std::string& key) const;
  // The language whose items are loaded: English after a fallback. The program's language in
  // effect is kept by the program, not here.
  const std::string& LoadedLanguage() const { return loadedLanguage_; }
  const std::vector<std::string>& TranslationItems() const { return translationItems_; }

  // True when the file system finds a file at the path (normal, read-only, hidden or system)
  // whose name equals the path's last part, letter case ignored.
  bool LangFileExists(const std::string& path);
  // The text after the last "\" of a path; the whole path when there is none.
  static std::string LangTrimPath(const std::string& path);
  // Translates the captions of every control of the window into the language (English when the
  // file lacks it): labels, command buttons, frames and check boxes, each tab of a tab strip,
  // option buttons and menus under their index, each column header of a list view. A control
  // whose item is missing or empty keeps its caption. Then every message of the catalogue that
  // the language translates takes its translation. Control kinds are matched exactly by name;
  // the MDI variant ignores their letter case.
  void ChangeLanguage(ui::Form& window, const std::string& languageName);
  void ChangeLanguageMDI(ui::Form& window, const std::string& languageName);
  // Only the catalogue's part of ChangeLanguage.
  void TranslateMessages(const std::string& languageName);

  // The names of the language file's languages, in the file's order; none without a file.
  // Names are decoded as the items are, so a name beyond ASCII is found again when chosen.
  std::vector<std::string> LanguageNames();

  // Empty: the Languages window builds its own list from the file.
  std::vector<std::string> ListLanguages() const { return {}; }

  // Writes the English language file into the program folder, replacing any there: the header,
  // one item per caption of every control of the windows given (which must be loaded; see
  // LoadAllWindows), one item per message of the catalogue as stored, and the closing lines.
  // Returns false when the file could not be written.
  bool makeLocalizationFile(const std::vector<ui::Form*>& loadedWindows);

  // The language file's path.
  std::string LanguageFilePath() const;

 private:
  // The language file's text in the ANSI code page; nullopt without a file.
  std::optional<std::string> ReadLanguageFile();
  void Translate(ui::Form& window, const std::string& languageName, bool ignoreKindCase);
  // LoadLanguage, falling back on English when the language leaves no items.
  void LoadLanguageOrEnglish(const std::string& languageName);
  // Every message that the loaded items translate takes its translation.
  void ApplyMessages();

  platform::Machine& machine_;
  MessageSlots messageTable_;
  std::vector<std::string> translationItems_;
  std::string loadedLanguage_;
  std::string programName_;
  std::string companyName_;
  std::string website_;
};

}  // namespace localization

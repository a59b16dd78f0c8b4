// Putting a language into effect: the captions of a window and the messages of the catalogue.
#include <utility>

#include "localization/cls_languages.h"
#include "localization/language_file.h"
#include "ui/form.h"

namespace localization {

void clsLanguages::LoadLanguageOrEnglish(const std::string& languageName) {
  LoadLanguage(languageName);
  if (translationItems_.empty()) LoadLanguage("English");
}

void clsLanguages::ChangeLanguage(ui::Form& window, const std::string& languageName) {
  Translate(window, languageName, false);
}

void clsLanguages::ChangeLanguageMDI(ui::Form& window, const std::string& languageName) {
  Translate(window, languageName, true);
}

void clsLanguages::Translate(ui::Form& window, const std::string& languageName,
                             bool ignoreKindCase) {
  LoadLanguageOrEnglish(languageName);
  for (const CaptionSlot& slot : WindowCaptions(window, ignoreKindCase)) {
    const std::string text = TranslateKey(slot.key);
    if (!text.empty()) slot.set(text);
  }
  ApplyMessages();
}

void clsLanguages::TranslateMessages(const std::string& languageName) {
  LoadLanguageOrEnglish(languageName);
  ApplyMessages();
}

void clsLanguages::ApplyMessages() {
  for (MessageSlot& slot : messageTable_) {
    if (!slot.inUse) break;
    std::string translated = TranslateKey(slot.name);
    if (!translated.empty()) slot.message = std::move(translated);
  }
}

}  // namespace localization

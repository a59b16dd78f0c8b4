#pragma once

#include <functional>
#include <string>

#include "localization/cls_languages.h"
#include "platform/machine.h"
#include "ui/ui.h"

namespace localization {

// The Languages window: the languages of the language file to choose from, the download of a
// newer file from the language server, and the file opened for editing.
class frmLanguage : public ui::Form {
 public:
  struct Services {
    platform::Machine& machine;
    clsLanguages& languages;
    // The stored language (setting "Language", English when none is stored).
    std::function<std::string()> savedLanguage;
    // Stores the chosen language and puts it into effect in the program's windows.
    std::function<void(const std::string& language)> chooseLanguage;
    // The language file's address on the language server, and the text found there ("" when
    // the download failed).
    std::function<std::string()> languageFileAddress;
    std::function<std::string(const std::string& url)> fetchText;
    // A message box with an OK button, titled with the program's name.
    std::function<void(const std::string& text)> tell;
  };
  frmLanguage(ui::Host& host, Services services);

  ui::Label Label1;
  ui::ComboBox Combo1;
  ui::CommandButton Command1;
  ui::CommandButton Command3;
  ui::CommandButton Command2;

  // The language names of the language file, the stored one selected.
  void FillLanguageList();
  void Combo1_Click();
  // Check for language updates.
  void Command1_Click();
  // Translate this program: the language file opened in its editor.
  void Command3_Click();
  void Command2_Click();

 protected:
  void Form_Load() override;

 private:
  Services services_;
  // The list is being filled: selecting the stored language is no choice of the user's.
  bool filling_ = false;
};

}  // namespace localization

#include "localization/frm_language.h"

#include "common/text.h"
#include "localization/language_download.h"
#include "localization/message_keys.h"
#include "ui/design.h"

namespace localization {
namespace {

// The combo box's design text, which is no language.
constexpr const char* kChooseHere = "Choose Language Here";

}  // namespace

frmLanguage::frmLanguage(ui::Host& host, Services services)
    : ui::Form(host, ui::DialogForm("frmLanguage", "", 5400, 2760)),
      Label1(*this, ui::At("Label1",
                           "Choose the language of the program's windows and messages. A newer "
                           "language file may be on the server.",
                           240, 180, 4920, 660)),
      Combo1(*this, ui::At("Combo1", kChooseHere, 240, 960, 4920, 315)),
      Command1(*this, ui::At("Command1", "Check for language updates", 240, 1560, 2400, 375)),
      Command3(*this, ui::At("Command3", "Translate this program", 2760, 1560, 2400, 375)),
      Command2(*this, ui::At("Command2", "Close", 3945, 2160, 1215, 375)),
      services_(std::move(services)) {
  Combo1.OnClick = [this] { Combo1_Click(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Command3.OnClick = [this] { Command3_Click(); };
  Command2.OnClick = [this] { Command2_Click(); };
}

void frmLanguage::Form_Load() {
  SetCaption(services_.languages.getMessages(localization::msg::kTitlelanguage));
  FillLanguageList();
}

void frmLanguage::FillLanguageList() {
  filling_ = true;
  Combo1.Clear();
  for (const std::string& name : services_.languages.LanguageNames()) Combo1.AddItem(name);
  Combo1.SetText(services_.savedLanguage());
  filling_ = false;
}

void frmLanguage::Combo1_Click() {
  if (filling_) return;
  const std::string language = Combo1.Text();
  if (language.empty() || language == kChooseHere) return;
  services_.chooseLanguage(language);
  // The title is a message, which the choice has just translated.
  SetCaption(services_.languages.getMessages(localization::msg::kTitlelanguage));
}

void frmLanguage::Command1_Click() {
  const std::string response = services_.fetchText(services_.languageFileAddress());
  if (!InstallLanguageFile(services_.machine.files, services_.languages.LanguageFilePath(),
                           response)) {
    return;
  }
  FillLanguageList();
  services_.tell(services_.languages.getMessages(localization::msg::kDownloaded));
}

void frmLanguage::Command3_Click() {
  const std::string path = services_.languages.LanguageFilePath();
  if (!services_.languages.LangFileExists(path)) return;
  services_.machine.desktop.ShellExecute("open", path, "", "", platform::kSwShowNormal);
}

void frmLanguage::Command2_Click() {
  Unload();
}

}  // namespace localization

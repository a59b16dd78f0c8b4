#include "localization/language_file.h"

#include "common/text.h"
#include "ui/ui.h"

namespace localization {
namespace {

constexpr const char* kDescription =
    "<DESCRIPTION>This file contains various translations of program buttons, messages and menus "
    "in XML format.  "
    "The original document was created using translation software, and may sound strange when read "
    "by people.  "
    "We invite you to make modifications to existing languages and translate new languages.  "
    "Please send them to us so that we can update this file and make your translation available to "
    "all users.  "
    "Our current email address is located on our homepage which can be visited through the "
    "software or our program folder on your Start Menu.  "
    "Before making changes to a localization file please use the program to download the most "
    "recent localization file using the 'Check for Language Updates' button in the Languages "
    "window.</DESCRIPTION>";

std::string Key(const ui::Form& window, const ui::Control& control) {
  return common::UpperCase(window.Name() + "_" + control.Name());
}

}  // namespace

std::string MenuItemArrayName(const ui::Menu& menu) {
  return menu.Name() + "Item";
}

std::vector<TranslationItem> WindowTranslationItems(const ui::Form& window) {
  std::vector<TranslationItem> items;
  for (const ui::Control* control : window.Descendants()) {
    const std::string kind = ui::KindName(control->Kind());
    if (kind == "Label" || kind == "CommandButton" || kind == "SkinLabel" || kind == "Frame" ||
        kind == "CheckBox") {
      items.push_back({Key(window, *control), control->Caption()});
    } else if (kind == "TabStrip") {
      const auto& tabs = static_cast<const ui::TabStrip&>(*control);
      for (int tab = 1; tab <= tabs.TabCount(); ++tab) {
        items.push_back(
            {Key(window, *control) + "_TABS" + std::to_string(tab), tabs.TabCaption(tab)});
      }
    } else if (kind == "ListView") {
      const auto& list = static_cast<const ui::ListView&>(*control);
      for (int column = 1; column <= list.ColumnCount(); ++column) {
        items.push_back({Key(window, *control) + "_COL" + std::to_string(column),
                         list.Column(column - 1).text});
      }
    } else if (kind == "OptionButton") {
      if (control->Index() >= 0) {
        items.push_back(
            {Key(window, *control) + std::to_string(control->Index()), control->Caption()});
      }
    } else if (kind == "Menu") {
      const auto& menu = static_cast<const ui::Menu&>(*control);
      if (menu.Index() >= 0) {
        items.push_back({Key(window, menu) + std::to_string(menu.Index()), menu.Caption()});
      }
      const std::string itemKey = common::UpperCase(window.Name() + "_" + MenuItemArrayName(menu));
      for (int index = 0; index < menu.ItemCount(); ++index) {
        items.push_back({itemKey + std::to_string(index), menu.Item(index).caption});
      }
    }
  }
  return items;
}

std::string ItemLine(const TranslationItem& item) {
  return "\t\t<" + item.key + ">" + item.text + "</" + item.key + ">";
}

std::vector<std::string> LanguageFileHeader() {
  return {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      "<XML_DIZ_INFO>",
      "\t<LOCALIZATION_FILE_INFO>",
      "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>",
      "\t</LOCALIZATION_FILE_INFO>",
      "<LANGUAGE_GROUP xml:lang=\"en\">",
      "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>",
      std::string("\t") + kDescription,
      "\t<TRANSLATION_ITEMS>",
  };
}

std::vector<std::string> LanguageFileFooter() {
  return {"\t</TRANSLATION_ITEMS>", "</LANGUAGE_GROUP>", "</XML_DIZ_INFO>"};
}

void LoadAllWindows(const std::vector<ui::Form*>& windows) {
  for (ui::Form* window : windows) window->Load();
}

}  // namespace localization

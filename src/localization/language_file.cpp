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

std::vector<CaptionSlot> WindowCaptions(ui::Form& window, bool ignoreKindCase) {
  auto is = [ignoreKindCase](const std::string& kind, const char* name) {
    return ignoreKindCase ? common::EqualsNoCase(kind, name) : kind == name;
  };
  std::vector<CaptionSlot> slots;
  for (ui::Control* control : window.Descendants()) {
    const std::string kind = ui::KindName(control->Kind());
    const std::string key = Key(window, *control);
    if (is(kind, "Label") || is(kind, "CommandButton") || is(kind, "SkinLabel") ||
        is(kind, "Frame") || is(kind, "CheckBox")) {
      slots.push_back({key, control->Caption(),
                       [control](const std::string& text) { control->SetCaption(text); }});
    } else if (is(kind, "TabStrip")) {
      auto& tabs = static_cast<ui::TabStrip&>(*control);
      for (int tab = 1; tab <= tabs.TabCount(); ++tab) {
        slots.push_back({key + "_TABS" + std::to_string(tab), tabs.TabCaption(tab),
                         [&tabs, tab](const std::string& text) { tabs.SetTabCaption(tab, text); }});
      }
    } else if (is(kind, "ListView")) {
      auto& list = static_cast<ui::ListView&>(*control);
      for (int column = 1; column <= list.ColumnCount(); ++column) {
        slots.push_back({key + "_COL" + std::to_string(column), list.Column(column - 1).text,
                         [&list, column](const std::string& text) {
                           list.SetColumnText(column - 1, text);
                         }});
      }
    } else if (is(kind, "OptionButton")) {
      if (control->Index() >= 0) {
        slots.push_back({key + std::to_string(control->Index()), control->Caption(),
                         [control](const std::string& text) { control->SetCaption(text); }});
      }
    } else if (is(kind, "Menu")) {
      auto& menu = static_cast<ui::Menu&>(*control);
      // The title too, or a title translated once could never be translated back.
      slots.push_back({key + std::to_string(menu.Index() >= 0 ? menu.Index() : 0), menu.Caption(),
                       [&menu](const std::string& text) { menu.SetCaption(text); }});
      const std::string itemKey = common::UpperCase(window.Name() + "_" + MenuItemArrayName(menu));
      for (int index = 0; index < menu.ItemCount(); ++index) {
        slots.push_back({itemKey + std::to_string(index), menu.Item(index).caption,
                         [&menu, index](const std::string& text) {
                           menu.SetItemCaption(index, text);
                         }});
      }
    }
  }
  return slots;
}

std::vector<TranslationItem> WindowTranslationItems(const ui::Form& window) {
  std::vector<TranslationItem> items;
  // Only reads: the setters that come with the captions are never called here.
  for (CaptionSlot& slot : WindowCaptions(const_cast<ui::Form&>(window))) {
    items.push_back({std::move(slot.key), std::move(slot.text)});
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

#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {
class Control;
class Form;
class Menu;
}  // namespace ui

namespace localization {

// One translation item: the key (window and control names in upper case, or a message key) and
// its text.
struct TranslationItem {
  std::string key;
  std::string text;
};

// One translatable caption of a window: its item key, its text now, and how to change it.
struct CaptionSlot {
  std::string key;
  std::string text;
  std::function<void(const std::string&)> set;
};

// The translatable captions of one window, control by control in the window's order: labels,
// command buttons, frames and check boxes their caption (WINDOW_CONTROL); a tab strip each tab
// (WINDOW_CONTROL_TABS1, ...); a list view each column header (WINDOW_CONTROL_COL1, ...); an
// option button in a control array its caption under its index (WINDOW_CONTROL0). A menu of the
// window model is a menu title with an array of items: the title has no index and goes under
// "0" (WINDOW_MNUFILE0), each item under its index in an array named after the menu with "Item"
// added (WINDOW_MNUFILEITEM0). Controls of other kinds give none, nor does an option button
// outside a control array. Kinds are matched by name, exactly or (ignoreKindCase) in any case.
std::vector<CaptionSlot> WindowCaptions(ui::Form& window, bool ignoreKindCase = false);

// The items that the captions of one window give, as WindowCaptions finds them.
std::vector<TranslationItem> WindowTranslationItems(const ui::Form& window);

// The name of the array that holds a menu's items.
std::string MenuItemArrayName(const ui::Menu& menu);

// One item line: two tabs, then "<" key ">" text "</" key ">".
std::string ItemLine(const TranslationItem& item);

// The language file's fixed lines: those before the items, and those after them.
std::vector<std::string> LanguageFileHeader();
std::vector<std::string> LanguageFileFooter();

// Loads each window (its load handler runs unless it is loaded already), so that its controls
// exist before the language file is written.
void LoadAllWindows(const std::vector<ui::Form*>& windows);

}  // namespace localization

#pragma once

#include <string>

namespace ui {

class Control;
class ListView;

// One line per control, indented by depth: kind, full name, caption, value and the states that
// differ from the default ("hidden", "disabled"). For compact assertions on a whole page.
std::string Dump(const Control& control);
// One line per row: "[x] " when checked, the small icon as "<n> ", then the columns joined by
// " | ".
std::string DumpRows(const ListView& list);

}  // namespace ui

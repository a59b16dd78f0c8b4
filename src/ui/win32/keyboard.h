#pragma once

#include <windows.h>

namespace ui::win32 {

class Context;
class FormWindow;

// Keyboard navigation for forms. IsDialogMessage walks the z-order for Tab, but our z-order
// puts later controls on top (the reverse of creation order), so Tab, Shift+Tab and Enter are
// handled here in the model's creation order; IsDialogMessage keeps mnemonics and arrows.

// The control Tab reaches after `from` (nullptr: the first one), or nullptr when no control
// takes the focus. Of option buttons only a selected one is a stop, because focusing an
// unselected option button selects it.
HWND NextTabStop(FormWindow& form, HWND from, bool backward);
// Whether the control holding this window is a tab stop now.
bool IsTabStop(FormWindow& form, HWND hwnd);
// Gives the focus to a control, selecting the text of an edit field as dialogs do.
void FocusControl(HWND control);
// The control holding the focus became hidden or disabled: focus the next one.
void MoveFocusOn(FormWindow& form, HWND from);
// Tab, Shift+Tab and Enter (the default button) for a message bound for one of our forms.
// True when the message was consumed.
bool HandleDialogKey(Context& context, const MSG& message);

}  // namespace ui::win32

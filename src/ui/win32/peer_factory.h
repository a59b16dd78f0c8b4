#pragma once

#include <memory>

namespace ui {
class Control;
}

namespace ui::win32 {

class Context;
class ControlPeer;

// The peer for a control's kind; nullptr for controls without a window of their own (timers,
// menus, file dialogs, forms).
std::unique_ptr<ControlPeer> MakePeer(Context& context, Control& control);

}  // namespace ui::win32

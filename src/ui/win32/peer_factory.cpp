#include "ui/win32/peer_factory.h"

#include "ui/basic_controls.h"
#include "ui/input_controls.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/toggle_controls.h"
#include "ui/win32/button_peers.h"
#include "ui/win32/frame_peer.h"
#include "ui/win32/list_peers.h"
#include "ui/win32/list_view_peer.h"
#include "ui/win32/progress_tabs.h"
#include "ui/win32/shape_image_peers.h"
#include "ui/win32/text_date_peers.h"
#include "ui/win32/text_view_peer.h"

namespace ui::win32 {

std::unique_ptr<ControlPeer> MakePeer(Context& context, Control& control) {
  switch (control.Kind()) {
    case ControlKind::Label:
      return std::make_unique<LabelPeer>(context, static_cast<Label&>(control));
    case ControlKind::CommandButton:
      return std::make_unique<CommandButtonPeer>(context, static_cast<CommandButton&>(control));
    case ControlKind::CheckBox:
      return std::make_unique<CheckBoxPeer>(context, static_cast<CheckBox&>(control));
    case ControlKind::OptionButton:
      return std::make_unique<OptionButtonPeer>(context, static_cast<OptionButton&>(control));
    case ControlKind::Frame:
      return std::make_unique<FramePeer>(context, static_cast<Frame&>(control));
    case ControlKind::TabStrip:
      return std::make_unique<TabStripPeer>(context, static_cast<TabStrip&>(control));
    case ControlKind::ListView:
      return std::make_unique<ListViewPeer>(context, static_cast<ListView&>(control));
    case ControlKind::ListBox:
      return std::make_unique<ListBoxPeer>(context, static_cast<ListBox&>(control));
    case ControlKind::ComboBox:
      return std::make_unique<ComboBoxPeer>(context, static_cast<ComboBox&>(control));
    case ControlKind::ProgressBar:
      return std::make_unique<ProgressBarPeer>(context, static_cast<ProgressBar&>(control));
    case ControlKind::TextBox: {
      auto& box = static_cast<TextBox&>(control);
      if (TextViewPeer::Draws(box)) return std::make_unique<TextViewPeer>(context, box);
      return std::make_unique<TextBoxPeer>(context, box);
    }
    case ControlKind::DatePicker:
      return std::make_unique<DatePickerPeer>(context, static_cast<DatePicker&>(control));
    case ControlKind::Shape:
      return std::make_unique<ShapePeer>(context, static_cast<Shape&>(control));
    case ControlKind::Image:
      return std::make_unique<ImagePeer>(context, static_cast<Image&>(control));
    case ControlKind::Form:
    case ControlKind::Timer:
    case ControlKind::Menu:
    case ControlKind::FileDialog:
      return nullptr;
  }
  return nullptr;
}

}  // namespace ui::win32

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Container;
class Control;
class Form;

enum class ControlKind {
  Form,
  Label,
  CommandButton,
  CheckBox,
  OptionButton,
  Frame,
  TabStrip,
  ListView,
  ListBox,
  ProgressBar,
  ComboBox,
  TextBox,
  DatePicker,
  Timer,
  Shape,
  Image,
  Menu,
  FileDialog,
};

const char* KindName(ControlKind kind);

// What changed on a control, for the renderer that mirrors it.
enum class Prop {
  Caption,
  Geometry,
  Visible,
  Enabled,
  Font,
  Color,
  Value,
  Columns,
  Range,
  Picture,
  Selection,
  Style,
  ToolTip,
};

// How a control's list of items (list view rows, list box and combo box entries, tabs, menu
// items) changed: one item inserted, removed or updated at an index, or the whole list replaced.
enum class ItemChange { Inserted, Removed, Updated, Reset };

// The renderer's view of a control. The model calls it after each change it makes; a model
// without a renderer (the headless host) has none.
class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void OnChanged(Control& control, Prop prop) = 0;
  virtual void OnItemsChanged(Control& control, ItemChange change, int index) = 0;
};

inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;
inline constexpr int kMouseMiddle = 4;

// Mouse event arguments; the position is in twips relative to the control.
struct MouseArgs {
  int button = 0;
  int shift = 0;
  int x = 0;
  int y = 0;
};

enum class Alignment { Left, Right, Center };

// Colours are 0x00BBGGRR; kDefaultColor leaves the system's colour.
inline constexpr std::uint32_t kDefaultColor = 0xFFFFFFFFu;

// Design-time properties shared by every control. Positions and sizes are in twips, relative to
// the control's container.
struct ControlArgs {
  std::string name;
  int index = -1;  // position in a control array; -1 for a control that is not in one
  std::string caption;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool enabled = true;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int fontSize = 0;  // points; 0 is the window's default font
  Alignment alignment = Alignment::Left;
  std::uint32_t foreColor = kDefaultColor;
  std::uint32_t backColor = kDefaultColor;
};

// A control of a form: a plain object with the properties and events the program uses. Setting
// a property updates the model and tells the renderer, if any. Controls are neither copied nor
// moved: containers and the renderer refer to them by address.
class Control {
 public:
  Control(Container* parent, ControlKind kind, ControlArgs args);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return args_.name; }
  int Index() const { return args_.index; }
  // The name with its array index, as "lblStatus(1)" or "cmdScan".
  std::string FullName() const;
  Container* Parent() const { return parent_; }
  // The form this control belongs to (itself for a form).
  Form& GetForm();
  const Form& GetForm() const;

  const std::string& Caption() const { return args_.caption; }
  void SetCaption(const std::string& caption);

  int Left() const { return args_.left; }
  int Top() const { return args_.top; }
  int Width() const { return args_.width; }
  int Height() const { return args_.height; }
  void SetLeft(int left) { Move(left, args_.top, args_.width, args_.height); }
  void SetTop(int top) { Move(args_.left, top, args_.width, args_.height); }
  void SetWidth(int width) { Move(args_.left, args_.top, width, args_.height); }
  void SetHeight(int height) { Move(args_.left, args_.top, args_.width, height); }
  virtual void Move(int left, int top, int width, int height);

  bool Visible() const { return args_.visible; }
  virtual void SetVisible(bool visible);
  // Visible, and every container up to the form visible too.
  bool IsShown() const;
  bool Enabled() const { return args_.enabled; }
  void SetEnabled(bool enabled);

  bool Bold() const { return args_.bold; }
  bool Italic() const { return args_.italic; }
  bool Underline() const { return args_.underline; }
  int FontSize() const { return args_.fontSize; }
  void SetBold(bool bold);
  void SetItalic(bool italic);
  void SetUnderline(bool underline);
  void SetFontSize(int points);
  Alignment GetAlignment() const { return args_.alignment; }
  std::uint32_t ForeColor() const { return args_.foreColor; }
  std::uint32_t BackColor() const { return args_.backColor; }
  void SetForeColor(std::uint32_t color);
  void SetBackColor(std::uint32_t color);

  // The tip shown while the mouse rests on the control; empty for none.
  const std::string& ToolTipText() const { return toolTipText_; }
  void SetToolTipText(const std::string& text) { Change(toolTipText_, text, Prop::ToolTip); }

  // Free text the program may attach.
  std::string Tag;

  // Events. Click is raised by a user's click and by the code paths that click in code.
  std::function<void()> OnClick;
  std::function<void(const MouseArgs&)> OnMouseDown;
  std::function<void(const MouseArgs&)> OnMouseMove;
  std::function<void(const MouseArgs&)> OnMouseUp;

  void Click();
  void MouseDown(const MouseArgs& args);
  void MouseMove(const MouseArgs& args);
  void MouseUp(const MouseArgs& args);

  // The renderer attaches itself here; peer is free for the renderer's own use.
  void SetObserver(ControlObserver* observer) { observer_ = observer; }
  ControlObserver* Observer() const { return observer_; }
  void* peer = nullptr;

 protected:
  // Updates the position and size without telling the renderer: for changes that come from the
  // window itself.
  void SetGeometryQuietly(int left, int top, int width, int height);
  void SetVisibleQuietly(bool visible) { args_.visible = visible; }
  void Notify(Prop prop);
  // Sets one property and tells the observers, unless it already has that value.
  template <class T>
  void Change(T& field, const T& value, Prop prop) {
    if (field == value) return;
    field = value;
    Notify(prop);
  }
  void NotifyItems(ItemChange change, int index);

 private:
  friend class Container;
  Container* parent_;
  ControlKind kind_;
  ControlArgs args_;
  ControlObserver* observer_ = nullptr;
  std::string toolTipText_;
};

// A control that holds others: a form or a frame. Children are kept in creation order, which is
// also their tab order; later children lie above earlier ones.
class Container : public Control {
 public:
  using Control::Control;
  ~Container() override;

  const std::vector<Control*>& Children() const { return children_; }
  // Every control below this one, depth first in creation order.
  std::vector<Control*> Descendants() const;

 private:
  friend class Control;
  void AddChild(Control* child) { children_.push_back(child); }
  void RemoveChild(Control* child);

  std::vector<Control*> children_;
};

}  // namespace ui

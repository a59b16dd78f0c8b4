#include "ui/form.h"

#include "ui/host.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace ui {

namespace {

ControlArgs FormControlArgs(const FormArgs& args) {
  ControlArgs control;
  control.name = args.name;
  control.caption = args.caption;
  control.left = args.left;
  control.top = args.top;
  control.width = args.clientWidth;
  control.height = args.clientHeight;
  control.visible = false;
  return control;
}

}  // namespace

Form::Form(Host& host, FormArgs args)
    : Container(nullptr, ControlKind::Form, FormControlArgs(args)),
      host_(host),
      design_(std::move(args)),
      icon_(design_.icon),
      showInTaskbar_(design_.showInTaskbar) {}

Form::~Form() = default;

void Form::Load() {
  if (loaded_) return;
  if (!sized_) {
    // The design gives the client area; the outer size depends on the frame the host draws.
    int extraWidth = 0;
    int extraHeight = 0;
    host_.NonClientExtent(*this, &extraWidth, &extraHeight);
    SetGeometryQuietly(Left(), Top(), design_.clientWidth + extraWidth,
                       design_.clientHeight + extraHeight);
    sized_ = true;
  }
  loaded_ = true;
  host_.CreateForm(*this);
  for (Timer* timer : Timers()) host_.TimerChanged(*timer);
  if (host_.onFormLoading) host_.onFormLoading(*this);
  Form_Load();
}

void Form::Show(bool modal) {
  Load();
  if (!loaded_) return;
  SetVisibleQuietly(true);
  host_.ShowForm(*this);
  if (modal && loaded_ && Visible()) {
    modal_ = true;
    host_.RunModal(*this);
    modal_ = false;
  }
}

void Form::Hide() {
  if (!Visible()) return;
  SetVisibleQuietly(false);
  if (loaded_) host_.HideForm(*this);
}

void Form::SetVisible(bool visible) {
  if (visible) {
    Show();
  } else {
    Hide();
  }
}

bool Form::Unload(UnloadMode mode) {
  if (!loaded_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  loaded_ = false;
  SetVisibleQuietly(false);
  host_.DestroyForm(*this);
  return true;
}

void Form::Move(int left, int top, int width, int height) {
  Control::Move(left, top, width, height);
  if (loaded_) host_.ApplyGeometry(*this);
}

int Form::ScaleWidth() const {
  int extraWidth = 0;
  int extraHeight = 0;
  host_.NonClientExtent(*this, &extraWidth, &extraHeight);
  int width = Width() - extraWidth;
  return width < 0 ? 0 : width;
}

int Form::ScaleHeight() const {
  int extraWidth = 0;
  int extraHeight = 0;
  host_.NonClientExtent(*this, &extraWidth, &extraHeight);
  int height = Height() - extraHeight;
  return height < 0 ? 0 : height;
}

void Form::SetWindowState(WindowState state) {
  if (state_ == state) return;
  state_ = state;
  if (loaded_) host_.ApplyWindowState(*this);
}

void Form::SetIcon(const std::string& resource) {
  if (icon_ == resource) return;
  icon_ = resource;
  Notify(Prop::Picture);
}

void Form::SetShowInTaskbar(bool show) {
  if (showInTaskbar_ == show) return;
  showInTaskbar_ = show;
  Notify(Prop::Style);
}

std::vector<Timer*> Form::Timers() const {
  std::vector<Timer*> timers;
  for (Control* control : Descendants()) {
    if (control->Kind() == ControlKind::Timer) timers.push_back(static_cast<Timer*>(control));
  }
  return timers;
}

std::vector<Menu*> Form::Menus() const {
  std::vector<Menu*> menus;
  for (Control* control : Children()) {
    if (control->Kind() == ControlKind::Menu) menus.push_back(static_cast<Menu*>(control));
  }
  return menus;
}

void Form::WindowResized(int outerWidth, int outerHeight, WindowState state) {
  SetGeometryQuietly(Left(), Top(), outerWidth, outerHeight);
  state_ = state;
  Form_Resize();
}

void Form::WindowMoved(int left, int top) { SetGeometryQuietly(left, top, Width(), Height()); }

}  // namespace ui

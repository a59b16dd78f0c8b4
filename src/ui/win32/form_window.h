#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/form.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/form_menu.h"
#include "ui/win32/tool_tips.h"

namespace ui::win32 {

// The top-level window of a loaded form, with its menu bar and the peers of all its controls.
// The form window observes the form and its menus; each control's peer observes its control.
class FormWindow : public ControlPeer {
 public:
  FormWindow(Context& context, Form& form);
  ~FormWindow() override;

  Form& GetForm() const { return static_cast<Form&>(control_); }
  FormWindow* AsForm() override { return this; }

  // Makes the hidden window owned by `owner`, then the window of every control in creation
  // order. False when Windows refused the form's window.
  bool Create(HWND owner) override;
  void Detach() override;
  // Detaches from the model, then destroys the window with all its controls and its menu bar.
  void Destroy();

  // Shows the window; the first time it also places it (start position), restores the window
  // state asked for while hidden, runs Form_Resize and gives the focus to the first control.
  void Show();
  void Hide();
  // The model's position, size or window state changed in code: the window follows, and the
  // form gets exactly one Form_Resize.
  void ApplyGeometry();
  void ApplyWindowState();

  // Control peers in creation order (depth first), which is the tab order.
  const std::vector<std::unique_ptr<ControlPeer>>& Peers() const { return peers_; }
  // The visible, enabled button marked as default, or nullptr.
  HWND DefaultButton() const;
  // The control's window shows this tip while the mouse rests on it (none when empty).
  void SetToolTip(HWND control, const std::string& text) { toolTips_.Set(hwnd_, control, text); }

  void OnChanged(Control& control, Prop prop) override;
  void OnItemsChanged(Control& control, ItemChange change, int index) override;

  // The styles of a form's window from its design: border, title-bar buttons, tool window,
  // top-most, task-bar button.
  static void Styles(const Form& form, DWORD* style, DWORD* exStyle);

 protected:
  HWND MakeWindow(HWND owner, const RECT& bounds) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OwnClass() const override { return true; }
  bool ClickOnButtonUp() const override { return true; }

 private:
  void CreateChildren(Container& container, HWND parent);
  void RebuildMenuBar();
  void SetIcons();
  void ApplyTaskbar();
  void PlaceForFirstShow();
  void OnSize(WPARAM kind);
  void OnMove();
  void OnActivate(WPARAM state);

  std::vector<std::unique_ptr<ControlPeer>> peers_;
  std::vector<Menu*> menus_;
  ToolTips toolTips_;
  MenuCommands commands_{0x100};
  bool shown_ = false;
  // Moved by the program before the first show: no centering then.
  bool placedBeforeShow_ = false;
  // Counts the WM_SIZE messages passed to the model, so that code-driven changes that produce
  // none still give the form its Form_Resize.
  int resizes_ = 0;
  HWND savedFocus_ = nullptr;
};

}  // namespace ui::win32

#include "ui/headless_host.h"

#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace ui {

void HeadlessHost::Advance(std::int64_t ms) {
  if (ms < 0) return;
  const std::int64_t target = nowMs_ + ms;
  RunPosted();
  while (FireNextDue(target)) RunPosted();
  MoveTimeTo(target);
}

void HeadlessHost::MoveTimeTo(std::int64_t at) {
  // A tick that yields may already have moved time past this point; time never runs back.
  if (at <= nowMs_) return;
  std::int64_t delta = at - nowMs_;
  nowMs_ = at;
  if (onTimeAdvanced) onTimeAdvanced(delta);
}

bool HeadlessHost::FireNextDue(std::int64_t limit) {
  Timer* next = nullptr;
  Due nextDue{};
  for (auto& [timer, due] : timers_) {
    if (due.at > limit) continue;
    if (next == nullptr || due.at < nextDue.at ||
        (due.at == nextDue.at && due.order < nextDue.order)) {
      next = timer;
      nextDue = due;
    }
  }
  if (next == nullptr) return false;
  MoveTimeTo(nextDue.at);
  timers_[next] = {nowMs_ + next->Interval(), nextOrder_++};
  next->Tick();
  return true;
}

void HeadlessHost::RunPosted() {
  while (!posted_.empty()) {
    auto task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
}

void HeadlessHost::OnModal(const std::string& formName, std::function<void(Form&)> handler) {
  modalHandlers_[formName].push_back(std::move(handler));
}

void HeadlessHost::CreateForm(Form&) {}

void HeadlessHost::DestroyForm(Form& form) {
  for (Timer* timer : form.Timers()) timers_.erase(timer);
  shownOnce_.erase(&form);
}

void HeadlessHost::ShowForm(Form& form) {
  if (shownOnce_.insert(&form).second) form.Resized();
}

void HeadlessHost::HideForm(Form&) {}

void HeadlessHost::RunModal(Form& form) {
  auto it = modalHandlers_.find(form.Name());
  if (it != modalHandlers_.end() && !it->second.empty()) {
    auto handler = std::move(it->second.front());
    it->second.pop_front();
    handler(form);
  }
  RunPosted();
  if (form.IsLoaded() && form.Visible()) {
    errors_.push_back("modal form " + form.Name() + " was left open");
    form.Hide();
  }
}

void HeadlessHost::ApplyWindowState(Form& form) {
  form.Resized();
}

void HeadlessHost::ApplyGeometry(Form& form) {
  form.Resized();
}

void HeadlessHost::NonClientExtent(const Form& form, int* width, int* height) {
  // A fixed frame of 4 pixels, a 23-pixel title bar and a 20-pixel menu bar, at 15 twips a pixel.
  if (form.Design().border == BorderStyle::None) {
    *width = 0;
    *height = 0;
    return;
  }
  bool menuBar = false;
  for (Menu* menu : form.Menus()) menuBar = menuBar || menu->Visible();
  *width = 2 * 60;
  *height = 2 * 60 + 345 + (menuBar ? 300 : 0);
}

void HeadlessHost::TimerChanged(Timer& timer) {
  if (timer.IsRunning()) {
    timers_[&timer] = {nowMs_ + timer.Interval(), nextOrder_++};
  } else {
    timers_.erase(&timer);
  }
}

void HeadlessHost::DoEvents() {
  ++yields_;
  if (onYield) onYield(yields_);
  RunPosted();
  const std::int64_t target = nowMs_ + msPerYield_;
  while (FireNextDue(target)) RunPosted();
  MoveTimeTo(target);
}

bool HeadlessHost::ShowOpenDialog(FileDialog& dialog) {
  if (dialogAnswers_.empty()) {
    errors_.push_back("file dialog of " + dialog.GetForm().Name() + " had no answer");
    return false;
  }
  auto answer = dialogAnswers_.front();
  dialogAnswers_.pop_front();
  if (!answer) return false;
  dialog.fileName = *answer;
  return true;
}

std::uintptr_t HeadlessHost::WindowHandle(const Form& form) const {
  // A loaded form's stand-in handle: its address, unique while it lives.
  return form.IsLoaded() ? reinterpret_cast<std::uintptr_t>(&form) : 0;
}

void HeadlessHost::PopupMenu(Form& form, Menu& menu) {
  if (onPopupMenu) onPopupMenu(form, menu);
}

void HeadlessHost::LockUpdates(Form* form) {
  if (form != nullptr) {
    ++heldLocks_;
    return;
  }
  // Allowing updates that nothing holds is harmless, as LockWindowUpdate(NULL) is.
  if (heldLocks_ > 0) --heldLocks_;
}

bool HeadlessHost::UserClick(Control& control) {
  for (const Control* reach = &control; reach != nullptr; reach = reach->Parent()) {
    if (!reach->Visible() || !reach->Enabled()) return false;
  }
  control.Click();
  return true;
}

}  // namespace ui

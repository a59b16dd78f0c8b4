#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/host.h"

namespace ui {

class Control;

// A host without windows, for tests. Time is virtual: it moves only when the test advances it
// (or by a fixed step on every yield, when set), and timers fire in due order as it moves.
// Modal forms and file dialogs are answered from a script; a form shown modally that its
// script leaves open is a script error, recorded and closed.
class HeadlessHost : public Host {
 public:
  HeadlessHost() = default;

  // Virtual time, in milliseconds since the host was made.
  std::int64_t NowMs() const { return nowMs_; }
  // Moves time forward, firing every timer that falls due on the way, in order.
  void Advance(std::int64_t ms);
  // Called with every step of virtual time, so a simulated clock can keep in step.
  std::function<void(std::int64_t deltaMs)> onTimeAdvanced;
  // Virtual time that passes on every DoEvents (0 by default).
  void SetMsPerYield(std::int64_t ms) { msPerYield_ = ms; }

  // Work that runs at the next yield: DoEvents, a modal loop, or a step of Advance.
  void Post(std::function<void()> task) { posted_.push_back(std::move(task)); }
  // Called at every DoEvents with the number of yields so far (1 for the first).
  std::function<void(int yieldCount)> onYield;
  int YieldCount() const { return yields_; }

  // The next modal show of the named form runs this handler (each handler is used once).
  void OnModal(const std::string& formName, std::function<void(Form&)> handler);
  // The next file-open dialog answers this path, or Cancel for nullopt.
  void AnswerOpenDialog(std::optional<std::string> path) { dialogAnswers_.push_back(path); }
  // Chooses from a popped-up menu; without it a pop-up is dismissed.
  std::function<void(Form&, Menu&)> onPopupMenu;

  bool QuitRequested() const { return quit_.has_value(); }
  int ExitCode() const { return quit_.value_or(0); }
  // Mistakes of the test's script: modal forms left open, dialogs without an answer.
  const std::vector<std::string>& Errors() const { return errors_; }
  int RunningTimerCount() const { return static_cast<int>(timers_.size()); }

  // Host.
  void CreateForm(Form& form) override;
  void DestroyForm(Form& form) override;
  void ShowForm(Form& form) override;
  void HideForm(Form& form) override;
  void RunModal(Form& form) override;
  void ApplyWindowState(Form& form) override;
  void ApplyGeometry(Form& form) override;
  void NonClientExtent(const Form& form, int* width, int* height) override;
  void TimerChanged(Timer& timer) override;
  void DoEvents() override;
  // Nothing is painted; the locks are counted, so that one never released (the window would stay
  // frozen on Windows) shows in HeldLocks.
  void LockUpdates(Form* form) override;
  int HeldLocks() const { return heldLocks_; }
  // A user's click: refused (false, and nothing happens) when the control or a container around
  // it is hidden or disabled, as no user could reach it then. Tests that stand for a user click
  // through it; Control::Click is the program's own click in code.
  bool UserClick(Control& control);
  void SetMousePointer(int pointer) override { pointer_ = pointer; }
  int MousePointer() const override { return pointer_; }
  bool ShowOpenDialog(FileDialog& dialog) override;
  void PopupMenu(Form& form, Menu& menu) override;
  std::uintptr_t WindowHandle(const Form& form) const override;
  void Quit(int exitCode) override { quit_ = exitCode; }

 private:
  struct Due {
    std::int64_t at;
    std::uint64_t order;  // ties fire in the order the timers were started
  };
  void RunPosted();
  void MoveTimeTo(std::int64_t at);
  // Fires the first timer due at or before limit; false when none is.
  bool FireNextDue(std::int64_t limit);

  std::int64_t nowMs_ = 0;
  std::int64_t msPerYield_ = 0;
  std::uint64_t nextOrder_ = 0;
  std::map<Timer*, Due> timers_;
  std::deque<std::function<void()>> posted_;
  int yields_ = 0;
  std::map<std::string, std::deque<std::function<void(Form&)>>> modalHandlers_;
  std::deque<std::optional<std::string>> dialogAnswers_;
  std::set<Form*> shownOnce_;
  std::optional<int> quit_;
  std::vector<std::string> errors_;
  int pointer_ = kPointerDefault;
  int heldLocks_ = 0;
};

}  // namespace ui

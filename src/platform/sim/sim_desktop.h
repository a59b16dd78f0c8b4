#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/sim/sim_named_objects.h"
#include "platform/system.h"

namespace platform::sim {

struct ShownMessageBox {
  std::string text;
  std::string title;
  std::uint32_t style = 0;
  int answer = 0;  // the button pressed; 0 while the box is still up
};

// Answers a message box while it is up; it may drive the program meanwhile (advance the clock,
// fire timers, even show another box), as the program's timers keep running under a real one.
using MessageBoxHandler = std::function<int(const ShownMessageBox& box)>;

struct ShellExecuteCall {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show = 0;
};

struct StartedProgram {
  std::string commandLine;
  int show = 0;
  std::uint32_t pid = 0;  // the process it became; 0 when it did not start
};

// Turns a command line into a running process of the machine: its id, or 0 when nothing starts.
using ProgramStarter = std::function<std::uint32_t(const std::string& commandLine)>;

// The desktop of one simulated process: message boxes answered from a script, documents and
// programs started on record, settable screen metrics, and the single-instance mutex in the
// machine's shared named objects.
class SimDesktop : public Desktop {
 public:
  // The exe name for the instance mutex is read from system when the instance is first claimed.
  SimDesktop(SimNamedObjects& namedObjects, System& system, std::string userName);
  ~SimDesktop() override;
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  int MessageBox(const std::string& text, const std::string& title, std::uint32_t style) override;
  std::intptr_t ShellExecute(const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override;
  bool StartProgram(const std::string& commandLine, int show) override;
  int SystemMetric(int index) override;
  Rect DesktopClientRect() override;
  std::optional<Rect> WindowClientRect(const std::string& className) override;
  int TwipsPerPixelX() override { return twipsPerPixelX_; }
  int TwipsPerPixelY() override { return twipsPerPixelY_; }
  bool AnotherInstanceRunning() override;

  // The script: answers for the next message boxes, in order.
  void AnswerNext(int id);
  void AnswerNext(MessageBoxHandler handler);
  std::size_t PendingAnswers() const { return script_.size(); }
  // Every box shown so far, in order, with the answer it got.
  const std::vector<ShownMessageBox>& MessageBoxes() const { return shown_; }
  // A box came up when the script had no answer left; it got its default button.
  bool ScriptRanDry() const { return scriptRanDry_; }

  // ShellExecute returns 42 (success) until told otherwise. StartProgram starts a process
  // through the starter the machine gives (none: nothing starts) unless told that starting fails.
  void SetShellExecuteResult(std::intptr_t result) { shellExecuteResult_ = result; }
  const std::vector<ShellExecuteCall>& ShellExecuteCalls() const { return shellExecutes_; }
  void SetProgramStarter(ProgramStarter starter) { programStarter_ = std::move(starter); }
  void SetStartProgramResult(bool started) { startProgramResult_ = started; }
  const std::vector<StartedProgram>& StartedPrograms() const { return startedPrograms_; }

  // A 1024x768 screen at 96 dots per inch (15 twips per pixel), 32 and 16 pixel icons. The desktop
  // window covers the screen. Metrics not set are 0, as GetSystemMetrics returns for them.
  void SetSystemMetric(int index, int value) { metrics_[index] = value; }
  void SetScreenSize(int width, int height);
  void SetTwipsPerPixel(int x, int y);
  // Top-level windows of other programs by class, with their client size in pixels. A fresh
  // desktop has the task bar, "Shell_TrayWnd", 1024x30 pixels.
  void SetWindow(const std::string& className, std::optional<Rect> clientRect);

 private:
  SimNamedObjects& namedObjects_;
  System& system_;
  std::string userName_;
  std::deque<MessageBoxHandler> script_;
  std::vector<ShownMessageBox> shown_;
  bool scriptRanDry_ = false;
  std::intptr_t shellExecuteResult_ = 42;
  std::vector<ShellExecuteCall> shellExecutes_;
  bool startProgramResult_ = true;
  ProgramStarter programStarter_;
  std::vector<StartedProgram> startedPrograms_;
  std::map<int, int> metrics_;
  std::map<std::string, Rect> windows_;  // by lower-case class name
  int twipsPerPixelX_ = 15;
  int twipsPerPixelY_ = 15;
  std::string instanceName_;  // the mutex this process holds once it has claimed
  std::optional<bool> anotherInstance_;
};

}  // namespace platform::sim

#include "platform/sim/sim_desktop.h"

#include "common/text.h"

#include <iterator>
#include <utility>

#include "platform/instance_name.h"

namespace platform::sim {
namespace {

constexpr std::uint32_t kMbDefButtonMask = 0xF00;
constexpr std::uint32_t kMbDefButtonShift = 8;

// The button that Enter presses: MB_DEFBUTTONn picks the n-th, the first when there are fewer.
int DefaultButton(std::uint32_t style) {
  static constexpr int kButtons[][3] = {{kIdOk, 0, 0},
                                        {kIdOk, kIdCancel, 0},
                                        {kIdAbort, kIdRetry, kIdIgnore},
                                        {kIdYes, kIdNo, kIdCancel},
                                        {kIdYes, kIdNo, 0},
                                        {kIdRetry, kIdCancel, 0}};
  const std::uint32_t kind = style & kMbButtonsMask;
  if (kind >= std::size(kButtons)) return kIdOk;
  const std::uint32_t index = (style & kMbDefButtonMask) >> kMbDefButtonShift;
  if (index < 3 && kButtons[kind][index] != 0) return kButtons[kind][index];
  return kButtons[kind][0];
}

}  // namespace

SimDesktop::SimDesktop(SimNamedObjects& namedObjects, System& system, std::string userName)
    : namedObjects_(namedObjects), system_(system), userName_(std::move(userName)) {
  SetScreenSize(1024, 768);
  SetWindow("Shell_TrayWnd", Rect{0, 0, 1024, 30});
  metrics_[kSmCxIcon] = 32;
  metrics_[kSmCyIcon] = 32;
  metrics_[kSmCxSmIcon] = 16;
  metrics_[kSmCySmIcon] = 16;
}

SimDesktop::~SimDesktop() {
  if (!instanceName_.empty()) namedObjects_.Close(instanceName_);
}

int SimDesktop::MessageBox(const std::string& text, const std::string& title, std::uint32_t style) {
  const std::size_t index = shown_.size();
  shown_.push_back(ShownMessageBox{text, title, style, 0});
  int answer = 0;
  if (script_.empty()) {
    scriptRanDry_ = true;
    answer = DefaultButton(style);
  } else {
    // Taken off the script first, so a box the handler itself brings up gets the next answer.
    MessageBoxHandler handler = std::move(script_.front());
    script_.pop_front();
    const ShownMessageBox box = shown_[index];
    answer = handler(box);
  }
  shown_[index].answer = answer;
  return answer;
}

void SimDesktop::AnswerNext(int id) {
  script_.push_back([id](const ShownMessageBox&) { return id; });
}

void SimDesktop::AnswerNext(MessageBoxHandler handler) {
  script_.push_back(std::move(handler));
}

std::intptr_t SimDesktop::ShellExecute(const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int show) {
  shellExecutes_.push_back(ShellExecuteCall{verb, file, parameters, directory, show});
  return shellExecuteResult_;
}

bool SimDesktop::StartProgram(const std::string& commandLine, int show) {
  std::uint32_t pid = 0;
  if (startProgramResult_ && programStarter_) pid = programStarter_(commandLine);
  startedPrograms_.push_back(StartedProgram{commandLine, show, pid});
  return pid != 0;
}

int SimDesktop::SystemMetric(int index) {
  auto it = metrics_.find(index);
  return it == metrics_.end() ? 0 : it->second;
}

Rect SimDesktop::DesktopClientRect() {
  return Rect{0, 0, SystemMetric(kSmCxScreen), SystemMetric(kSmCyScreen)};
}

std::optional<Rect> SimDesktop::WindowClientRect(const std::string& className) {
  // Window classes are matched without regard to case.
  const auto found = windows_.find(common::LowerCase(className));
  if (found == windows_.end()) return std::nullopt;
  return found->second;
}

void SimDesktop::SetWindow(const std::string& className, std::optional<Rect> clientRect) {
  if (clientRect) {
    windows_[common::LowerCase(className)] = *clientRect;
  } else {
    windows_.erase(common::LowerCase(className));
  }
}

void SimDesktop::SetScreenSize(int width, int height) {
  metrics_[kSmCxScreen] = width;
  metrics_[kSmCyScreen] = height;
}

void SimDesktop::SetTwipsPerPixel(int x, int y) {
  twipsPerPixelX_ = x;
  twipsPerPixelY_ = y;
}

bool SimDesktop::AnotherInstanceRunning() {
  if (!anotherInstance_) {
    instanceName_ = InstanceMutexName(system_.ExeName(), userName_);
    anotherInstance_ = namedObjects_.Open(instanceName_);
  }
  return *anotherInstance_;
}

}  // namespace platform::sim

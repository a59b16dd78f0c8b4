#pragma once

// The real desktop with the user's answers to message boxes scripted: every message box is noted
// and answered by the test; every other call is the real one.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/machine.h"

namespace win32_test {

class ScriptedDesktop : public platform::Desktop {
 public:
  using Answer =
      std::function<int(const std::string& text, const std::string& title, std::uint32_t style)>;
  ScriptedDesktop(platform::Desktop& real, Answer answer)
      : real_(real), answer_(std::move(answer)) {}

  int MessageBox(const std::string& text, const std::string& title, std::uint32_t style) override {
    shown.push_back(title + ": " + text);
    return answer_(text, title, style);
  }
  std::intptr_t ShellExecute(const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override {
    return real_.ShellExecute(verb, file, parameters, directory, show);
  }
  bool StartProgram(const std::string& commandLine, int show) override {
    return real_.StartProgram(commandLine, show);
  }
  int SystemMetric(int index) override { return real_.SystemMetric(index); }
  platform::Rect DesktopClientRect() override { return real_.DesktopClientRect(); }
  std::optional<platform::Rect> WindowClientRect(const std::string& className) override {
    return real_.WindowClientRect(className);
  }
  int TwipsPerPixelX() override { return real_.TwipsPerPixelX(); }
  int TwipsPerPixelY() override { return real_.TwipsPerPixelY(); }
  bool AnotherInstanceRunning() override { return real_.AnotherInstanceRunning(); }

  std::vector<std::string> shown;

 private:
  platform::Desktop& real_;
  Answer answer_;
};

// The services of a real machine with another desktop in place of its own.
inline platform::Machine WithDesktop(const platform::Machine& real, platform::Desktop& desktop) {
  return {real.registry, real.system,    desktop,         real.clock,     real.files,
          real.shellFolders, real.codePage, real.tray,   real.processes, real.restore,
          real.clipboard, real.libraries, real.internet, real.signatures};
}

}  // namespace win32_test

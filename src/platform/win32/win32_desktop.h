#pragma once

#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

// The interactive desktop: message boxes, the shell, screen metrics and the single-instance mutex.
// The mutex, once claimed, stays open as long as this object lives.
class Win32Desktop : public Desktop {
 public:
  // exeName is the program's executable name (System::ExeName); it names the instance mutex.
  explicit Win32Desktop(std::string exeName);

  int MessageBox(const std::string& text, const std::string& title, std::uint32_t style) override;
  std::intptr_t ShellExecute(const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override;
  bool StartProgram(const std::string& commandLine, int show) override;
  int SystemMetric(int index) override;
  Rect DesktopClientRect() override;
  Rect TaskbarClientRect() override;
  int TwipsPerPixelX() override;
  int TwipsPerPixelY() override;
  bool AnotherInstanceRunning() override;

 private:
  std::string exeName_;
  UniqueHandle instanceMutex_;
  std::optional<bool> anotherInstance_;
};

}  // namespace platform::win32

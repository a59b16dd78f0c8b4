#pragma once

#include <cstdint>
#include <string>

namespace platform {

// MessageBox styles and answers: the API's values.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbOkCancel = 0x1;
inline constexpr std::uint32_t kMbAbortRetryIgnore = 0x2;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbRetryCancel = 0x5;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbButtonsMask = 0xF;
inline constexpr std::uint32_t kMbIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// ShowWindow commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;

// GetSystemMetrics indexes the program uses.
inline constexpr int kSmCxScreen = 0;
inline constexpr int kSmCyScreen = 1;
inline constexpr int kSmCxIcon = 11;
inline constexpr int kSmCyIcon = 12;
inline constexpr int kSmCxSmIcon = 49;
inline constexpr int kSmCySmIcon = 50;

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The user's desktop: message boxes, starting documents and programs, screen metrics and the
// single-instance test.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box over the active window; returns the kId* of the button pressed.
  // Timers and pending messages of the program keep running while it is up.
  virtual int MessageBox(const std::string& text, const std::string& title,
                         std::uint32_t style) = 0;
  // ShellExecuteA without an owner window; returns the API's result (greater than 32 on success).
  virtual std::intptr_t ShellExecute(const std::string& verb, const std::string& file,
                                     const std::string& parameters,
                                     const std::string& directory, int show) = 0;
  // Starts a program from a command line ("notepad C:\x.txt"), as the Shell statement does.
  // False when it could not be started.
  virtual bool StartProgram(const std::string& commandLine, int show) = 0;

  // GetSystemMetrics.
  virtual int SystemMetric(int index) = 0;
  // The client rectangle of the desktop window, in pixels.
  virtual Rect DesktopClientRect() = 0;
  // The client rectangle of the task bar (the window of class "shell_TrayWnd"), in pixels; empty
  // when there is no task bar.
  virtual Rect TaskbarClientRect() = 0;
  // Twips per screen pixel, horizontally and vertically (15 at 96 dots per inch).
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;

  // True while another instance of this executable runs for the same user. The first call
  // claims the instance for this process; later calls repeat the first answer.
  virtual bool AnotherInstanceRunning() = 0;
};

}  // namespace platform

// The spacing of the controls a step loop changes: shared by every control that changed lately,
// so that many slow controls together cannot take most of the time.
#include "ui/win32/update_throttle.h"

#include <gtest/gtest.h>

namespace {

using ui::win32::UpdateThrottle;

class UpdateThrottleTest : public ::testing::Test {
 protected:
  UpdateThrottleTest() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "UpdateThrottleTest";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "UpdateThrottleTest", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
  }
  ~UpdateThrottleTest() override { DestroyWindow(window); }

  // An application that takes at least the given time.
  static void Apply(UpdateThrottle& throttle, DWORD milliseconds) {
    throttle.Begin();
    Sleep(milliseconds);
    throttle.End();
  }

  // Waits for the throttle's timer message to the window.
  bool TimerCame(UpdateThrottle& throttle, DWORD limit) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit) {
      MSG message;
      while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        if (throttle.OnTimer(window, message.message, message.wParam)) return true;
      }
      Sleep(5);
    }
    return false;
  }

  HWND window = nullptr;
};

TEST_F(UpdateThrottleTest, ASlowControlSpacesTheOthersAndItsTimerBringsTheHeldChange) {
  ASSERT_NE(window, nullptr);
  UpdateThrottle slow, quick;
  ASSERT_TRUE(slow.Ready(window)) << "the first change is shown at once";
  Apply(slow, 300);
  ASSERT_TRUE(quick.Ready(window));
  Apply(quick, 0);

  // Alone, the quick control could change again after 50 ms; beside the slow one it waits four
  // times what both cost together.
  Sleep(80);
  EXPECT_FALSE(quick.Ready(window));
  EXPECT_TRUE(quick.Pending());
  EXPECT_FALSE(quick.Ready(window)) << "one timer is armed, not one per change";
  EXPECT_TRUE(TimerCame(quick, 5000));
  EXPECT_FALSE(quick.Pending());
}

TEST_F(UpdateThrottleTest, AControlThatStoppedChangingNoLongerCounts) {
  UpdateThrottle slow, quick;
  ASSERT_TRUE(slow.Ready(window));
  Apply(slow, 300);
  ASSERT_TRUE(quick.Ready(window));
  Apply(quick, 0);
  Sleep(1100);
  // The slow control's cost is more than a second old: the quick one's own spacing holds.
  Apply(quick, 0);
  Sleep(80);
  EXPECT_TRUE(quick.Ready(window));

  // A control of a longer minimum (a list's row count) waits that long even alone.
  UpdateThrottle rows(250);
  ASSERT_TRUE(rows.Ready(window));
  Apply(rows, 0);
  Sleep(80);
  EXPECT_FALSE(rows.Ready(window));
  EXPECT_TRUE(rows.Pending());
  Sleep(250);
  EXPECT_TRUE(TimerCame(rows, 5000));
  EXPECT_TRUE(rows.Ready(window));
}

}  // namespace

// The clipboard service against the real clipboard (under Wine it needs the display).
#include "platform/win32/win32_clipboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

// What another program pasting text would get.
std::optional<std::string> PastedText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class Win32ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }
  std::uintptr_t Owner() const { return reinterpret_cast<std::uintptr_t>(owner_); }

  Win32Clipboard clipboard;
  HWND owner_ = nullptr;
};

TEST_F(Win32ClipboardTest, TextPutThereIsWhatOthersPaste) {
  const std::string list = "C:\\A\\x.dll\r\nC:\\B\\y.exe\r\nC:\\C\\z.ocx\r\n";
  ASSERT_TRUE(clipboard.SetText("something older", Owner()));
  ASSERT_TRUE(clipboard.Clear(Owner()));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(clipboard.SetText(list, Owner()));
  EXPECT_EQ(PastedText(), list);
  EXPECT_TRUE(clipboard.SetText("", Owner()));
  EXPECT_EQ(PastedText(), "");
}

}  // namespace
}  // namespace platform::win32

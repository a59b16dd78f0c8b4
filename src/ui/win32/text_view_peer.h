#pragma once

#include <cstddef>
#include <vector>

#include "ui/input_controls.h"
#include "ui/win32/painted_peer.h"

namespace ui::win32 {

// A read-only, multi-line text box without a length limit (the log viewer's): the renderer
// paints it itself, only the lines in view. The edit control lays out the whole text whenever
// it gets it, about 2 microseconds a character under Wine, so a report of 10 MB would hold the
// window for 20 s; here a text of any size shows at once. The text can be scrolled with the
// bars, the wheel and the keys, and read back with WM_GETTEXT; it cannot be selected.
class TextViewPeer : public PaintedPeer {
 public:
  TextViewPeer(Context& context, TextBox& box)
      : PaintedPeer(context, box, "UiTextView"), box_(box) {}
  bool TabStop() const override { return true; }

  // The peer draws the box itself when it is multi-line, locked and without a limit.
  static bool Draws(const TextBox& box) {
    return box.multiLine && box.locked && box.maxLength && *box.maxLength == 0;
  }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  // A new font changes the line height the scrolling counts in.
  void Apply(Prop prop) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void Draw(HDC dc) override;

 private:
  void Measure();
  void UpdateScrollBars();
  void ScrollTo(long long top, long long left);
  long long VisibleLines() const;
  // A scroll bar's new position for a scroll request, from the current one.
  long long ScrollRequest(int bar, WORD request, long long position, long long line,
                          long long page) const;

  TextBox& box_;
  // Where each line of the text begins and how long it is (without its line break).
  std::vector<std::size_t> starts_;
  std::vector<std::size_t> lengths_;
  std::size_t longest_ = 0;
  int lineHeight_ = 16;
  int charWidth_ = 7;
  long long top_ = 0;   // first line in view
  long long left_ = 0;  // pixels scrolled to the left
};

}  // namespace ui::win32

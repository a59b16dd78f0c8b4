#pragma once

#include <optional>

#include "ui/input_controls.h"
#include "ui/win32/control_peer.h"

namespace ui::win32 {

class TextBoxPeer : public ControlPeer {
 public:
  TextBoxPeer(Context& context, TextBox& box) : ControlPeer(context, box), box_(box) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  bool OnCommand(WORD code) override;

 private:
  TextBox& box_;
  bool setting_ = false;     // this peer is writing the text: its EN_CHANGE is an echo
  bool fromWindow_ = false;  // the model is taking the user's typing
};

// The date value as the picker's SYSTEMTIME and back, through the OLE automation conversions
// the original platform's dates use.
std::optional<SYSTEMTIME> DateToSystemTime(double date);
std::optional<double> SystemTimeToDate(const SYSTEMTIME& time);

// A date or time picker; with a check box (DTS_SHOWNONE) its unticked state is the model's Null.
class DatePickerPeer : public ControlPeer {
 public:
  DatePickerPeer(Context& context, DatePicker& picker)
      : ControlPeer(context, picker), picker_(picker) {}
  bool TabStop() const override { return true; }

 protected:
  HWND MakeWindow(HWND parent, const RECT& bounds) override;
  void SyncState() override;
  bool OnNotify(NMHDR& header, LRESULT* result) override;

 private:
  DatePicker& picker_;
  bool setting_ = false;
  bool fromWindow_ = false;
};

}  // namespace ui::win32

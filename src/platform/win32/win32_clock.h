#pragma once

#include "platform/system.h"

namespace platform::win32 {

// The local wall clock as date values, and the system's millisecond counter.
class Win32Clock : public Clock {
 public:
  double Now() override;
  std::uint32_t TickCount() override;
  // The OLE automation conversion, with the user's locale.
  std::string FormatDate(double date) override;
  std::optional<double> ParseDate(const std::string& text) override;
  // GetNumberFormatA with the user's separators and grouping and no decimals.
  std::string FormatWholeNumber(long long value) override;
};

}  // namespace platform::win32

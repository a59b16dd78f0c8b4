#include "platform/win32/win32_clock.h"

#include "platform/win32/windows_api.h"

#include <oleauto.h>

namespace platform::win32 {

double Win32Clock::Now() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  // The OLE conversion is the one the date functions of the program's platform use, so a date
  // written now reads back the same.
  double date = 0;
  if (!SystemTimeToVariantTime(&local, &date)) return 0;
  return date;
}

std::uint32_t Win32Clock::TickCount() {
  return GetTickCount();
}

}  // namespace platform::win32

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

std::string Win32Clock::FormatDate(double date) {
  BSTR text = nullptr;
  if (FAILED(VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, &text)) || text == nullptr) return "";
  const int wide = static_cast<int>(SysStringLen(text));
  std::string result;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
  if (size > 0) {
    result.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, text, wide, result.data(), size, nullptr, nullptr);
  }
  SysFreeString(text);
  return result;
}

}  // namespace platform::win32

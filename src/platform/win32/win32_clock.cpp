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

std::optional<double> Win32Clock::ParseDate(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  }
  // The OLE conversion with the user's locale: the one that wrote the text reads it back.
  double date = 0;
  if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
  return date;
}

}  // namespace platform::win32

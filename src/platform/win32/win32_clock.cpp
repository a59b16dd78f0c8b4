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

namespace {

std::string LocaleText(LCTYPE type) {
  char text[16] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) == 0) return {};
  return text;
}

// LOCALE_SGROUPING ("3;0", "3;2;0") in the form NUMBERFMT takes (3, 32).
UINT GroupingOf(const std::string& text) {
  UINT grouping = 0;
  for (const char c : text) {
    if (c >= '1' && c <= '9') grouping = grouping * 10 + static_cast<UINT>(c - '0');
  }
  return grouping == 0 ? 3 : grouping;
}

}  // namespace

std::string Win32Clock::FormatWholeNumber(long long value) {
  std::string decimal = LocaleText(LOCALE_SDECIMAL);
  std::string thousand = LocaleText(LOCALE_STHOUSAND);
  const std::string negative = LocaleText(LOCALE_INEGNUMBER);
  NUMBERFMTA format{};
  format.NumDigits = 0;
  format.LeadingZero = 0;
  format.Grouping = GroupingOf(LocaleText(LOCALE_SGROUPING));
  format.lpDecimalSep = decimal.data();
  format.lpThousandSep = thousand.data();
  format.NegativeOrder = negative.empty() ? 1 : static_cast<UINT>(negative[0] - '0');
  const std::string digits = std::to_string(value);
  char text[64] = {};
  if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text) == 0) {
    return digits;
  }
  return text;
}

}  // namespace platform::win32

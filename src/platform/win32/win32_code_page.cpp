#include "platform/win32/win32_code_page.h"

#include <climits>

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

std::string Convert(const std::string& text, UINT fromCodePage, UINT toCodePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(fromCodePage, 0, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(fromCodePage, 0, text.data(), length, wide.data(), wideLength);
  const int outLength =
      WideCharToMultiByte(toCodePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (outLength <= 0) return {};
  std::string out(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(toCodePage, 0, wide.data(), wideLength, out.data(), outLength, nullptr,
                      nullptr);
  return out;
}

}  // namespace

std::string Win32CodePage::FromUtf8(const std::string& utf8) {
  return Convert(utf8, CP_UTF8, CP_ACP);
}

std::string Win32CodePage::ToUtf8(const std::string& ansi) {
  return Convert(ansi, CP_ACP, CP_UTF8);
}

}  // namespace platform::win32

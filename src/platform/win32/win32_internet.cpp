#include "platform/win32/win32_internet.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

#include <wininet.h>

namespace platform::win32 {
namespace {

struct InternetHandleDeleter {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using UniqueInternet = UniqueResource<HINTERNET, InternetHandleDeleter>;

// The agent is the bare word: servers and proxies that key on it have always seen just this.
constexpr const char* kAgent = "Mozilla";
// Every answer comes from the server itself, never from the cache of the machine or a proxy.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE;
static_assert(kOpenFlags == 0x80000100);

}  // namespace

HttpResult Win32Internet::Get(const std::string& url, const InternetProgress& onRead) {
  HttpResult result;
  // Direct access: a proxy configured for the machine is not used, even for the loopback.
  const UniqueInternet session(
      InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) {
    result.error = GetLastError();
    return result;
  }
  const UniqueInternet request(
      InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0, kOpenFlags, 0));
  if (!request) {
    result.error = GetLastError();
    return result;
  }
  char buffer[kInternetReadSize];
  bool first = true;
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.Get(), buffer, sizeof buffer, &read)) {
      result.error = GetLastError();
      return result;
    }
    result.body.append(buffer, read);
    if (!first && onRead && !onRead(result.body.size())) {
      result.error = kInternetOperationCancelled;
      return result;
    }
    first = false;
    if (read == 0) break;
  }
  result.ok = true;
  return result;
}

}  // namespace platform::win32

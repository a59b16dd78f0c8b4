#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// WinINet's error codes that callers and tests tell apart.
inline constexpr std::uint32_t kInternetOperationCancelled = 12017;
inline constexpr std::uint32_t kInternetCannotConnect = 12029;
inline constexpr std::uint32_t kInternetConnectionAborted = 12030;

// The read buffer of every transfer: bodies arrive in pieces of at most this many bytes.
inline constexpr std::size_t kInternetReadSize = 256;

struct HttpResult {
  bool ok = false;          // the request was opened and its body read to the end
  std::uint32_t error = 0;  // the API's error code when not ok (12029: cannot connect)
  // What arrived. When not ok it is what arrived before the failure, which is not the answer:
  // a body cut off midway must not pass for a shorter one.
  std::string body;
};

// Called after every read after the first one, with the number of bytes received so far; the
// caller shows progress and lets window messages run there. Returning false stops the transfer,
// which then fails with kInternetOperationCancelled.
using InternetProgress = std::function<bool(std::size_t bytesSoFar)>;

// WinINet: InternetOpenA, InternetOpenUrlA, InternetReadFile, InternetCloseHandle. Every request
// is a plain GET with the agent "Mozilla", direct access (no proxy) and no cache, and the HTTP
// status is not looked at: an error page is an answer like any other.
class Internet {
 public:
  virtual ~Internet() = default;
  virtual HttpResult Get(const std::string& url, const InternetProgress& onRead) = 0;
};

}  // namespace platform

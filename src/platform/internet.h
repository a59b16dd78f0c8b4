#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

struct HttpResult {
  bool ok = false;          // the request was opened and read to its end
  std::uint32_t error = 0;  // the API's error code when not ok (12029: cannot connect)
  std::string body;
};

// WinINet: InternetOpenA, InternetOpenUrlA, InternetReadFile, InternetCloseHandle.
class Internet {
 public:
  virtual ~Internet() = default;
  // Fetches the URL. onChunk, when set, is called after every block read with the bytes read so
  // far; returning false stops the transfer.
  virtual HttpResult Get(const std::string& url,
                         const std::function<bool(std::size_t bytesSoFar)>& onChunk) = 0;
};

}  // namespace platform

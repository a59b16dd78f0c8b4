#pragma once

#include "platform/internet.h"

namespace platform::win32 {

// HTTP through WinINet, exactly as the program has always asked for it: a new session for every
// request, direct access, reload and no-cache, 256-byte reads.
class Win32Internet : public Internet {
 public:
  HttpResult Get(const std::string& url, const InternetProgress& onRead) override;
};

}  // namespace platform::win32

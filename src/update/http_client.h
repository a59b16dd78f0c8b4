#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>

#include "platform/internet.h"

namespace update {

// The program's whole access to the web: a URL's body as text. An empty text means that the
// request failed, also when it failed midway (a body cut off is no shorter answer) or ran past
// the limit the caller gave.
class HttpClient {
 public:
  // letEventsRun is called once after every read after the first, so that windows stay alive
  // while a body arrives.
  HttpClient(platform::Internet& internet, std::function<void()> letEventsRun)
      : internet_(internet), letEventsRun_(std::move(letEventsRun)) {}

  std::string GetUrlText(const std::string& url,
                         std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
  // The same, and after every read after the first `showStatus` gets "Downloaded " n " bytes."
  // with the length received so far.
  std::string GetUrlTextWithProgress(
      const std::string& url, const std::function<void(const std::string&)>& showStatus,
      std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

 private:
  std::string Fetch(const std::string& url, const std::function<void(std::size_t)>& onRead,
                    std::size_t maxBytes);

  platform::Internet& internet_;
  std::function<void()> letEventsRun_;
};

}  // namespace update

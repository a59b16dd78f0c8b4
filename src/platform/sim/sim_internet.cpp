#include "platform/sim/sim_internet.h"

#include <algorithm>

namespace platform::sim {
namespace {

constexpr const char* kNotFoundPage =
    "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>";

}  // namespace

HttpResult SimInternet::Get(const std::string& url, const InternetProgress& onRead) {
  HttpResult result;
  // "http://host[:port]" is the server; the rest, from its first "/", the request target.
  const std::size_t scheme = url.find("://");
  const std::size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
  const std::size_t slash = url.find('/', hostStart);
  const std::string base = url.substr(0, slash);
  const auto server = servers_.find(base);
  if (!online_ || scheme == std::string::npos || server == servers_.end()) {
    result.error = kInternetCannotConnect;
    return result;
  }
  SimHttpRequest request;
  request.url = url;
  const std::string target = slash == std::string::npos ? "/" : url.substr(slash);
  const std::size_t question = target.find('?');
  request.path = target.substr(0, question);
  if (question != std::string::npos) request.query = target.substr(question + 1);
  requests_.push_back(request);

  const auto route = server->second.find(request.path);
  SimHttpResponse response;
  if (route == server->second.end()) {
    response.body = kNotFoundPage;
  } else {
    response = route->second(request);
  }

  // The body read as WinINet reads it: pieces of at most kInternetReadSize bytes, the progress
  // called after every read but the first, the last read giving 0 bytes.
  bool first = true;
  std::size_t sent = 0;
  for (;;) {
    clock_.Advance(response.msPerRead);
    std::size_t available = kInternetReadSize;
    if (!response.flood) {
      available = std::min(available, response.body.size() - std::min(sent, response.body.size()));
    }
    if (response.breakAfter) {
      if (sent >= *response.breakAfter) {
        result.error = kInternetConnectionAborted;
        return result;
      }
      available = std::min(available, *response.breakAfter - sent);
    }
    for (std::size_t i = 0; i < available; ++i, ++sent) {
      result.body += sent < response.body.size() ? response.body[sent] : *response.flood;
    }
    if (!first && onRead && !onRead(result.body.size())) {
      result.error = kInternetOperationCancelled;
      return result;
    }
    first = false;
    if (available == 0) break;
  }
  result.ok = true;
  return result;
}

}  // namespace platform::sim

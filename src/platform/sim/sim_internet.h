#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/internet.h"
#include "platform/sim/sim_clock.h"

namespace platform::sim {

// A request as it reached a simulated server.
struct SimHttpRequest {
  std::string url;
  std::string path;   // from the first "/" after the host up to "?", as sent
  std::string query;  // after "?", as sent (nothing is decoded)
};

// What a simulated server does with a request.
struct SimHttpResponse {
  SimHttpResponse() = default;
  // A plain answer: this body, whole and at once.
  SimHttpResponse(std::string text) : body(std::move(text)) {}

  std::string body;
  // The connection breaks after this many bytes of the body: the transfer then fails with
  // kInternetConnectionAborted.
  std::optional<std::size_t> breakAfter;
  // The body does not end: after `body` the server keeps sending this byte for ever.
  std::optional<char> flood;
  // Virtual time each read waits for its bytes.
  std::uint32_t msPerRead = 0;
};

using SimHttpHandler = std::function<SimHttpResponse(const SimHttpRequest&)>;

// The network as seen from the simulated machine: servers that tests set up at base addresses
// ("http://127.0.0.1:8080"), each answering paths through handlers. A host nobody serves, or
// the whole network switched off, cannot be reached (kInternetCannotConnect); a path a server
// does not know gets an HTML "404 Not Found" page, which is an answer like any other. Bodies
// arrive in reads of kInternetReadSize bytes, as WinINet gives them.
class SimInternet : public Internet {
 public:
  explicit SimInternet(SimClock& clock) : clock_(clock) {}

  HttpResult Get(const std::string& url, const InternetProgress& onRead) override;

  // Serves `path` (exact, without the query) at the base address.
  void Route(const std::string& base, const std::string& path, SimHttpHandler handler) {
    servers_[base][path] = std::move(handler);
  }
  void SetOnline(bool online) { online_ = online; }

  // Every request that reached a server, in order.
  const std::vector<SimHttpRequest>& Requests() const { return requests_; }

 private:
  SimClock& clock_;
  bool online_ = true;
  std::map<std::string, std::map<std::string, SimHttpHandler>> servers_;
  std::vector<SimHttpRequest> requests_;
};

}  // namespace platform::sim

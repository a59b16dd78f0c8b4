#include "update/http_client.h"

namespace update {

std::string HttpClient::Fetch(const std::string& url,
                              const std::function<void(std::size_t)>& onRead,
                              std::size_t maxBytes) {
  platform::HttpResult result = internet_.Get(url, [&](std::size_t bytesSoFar) {
    if (bytesSoFar > maxBytes) return false;
    if (onRead) onRead(bytesSoFar);
    if (letEventsRun_) letEventsRun_();
    return true;
  });
  if (!result.ok) return "";
  return std::move(result.body);
}

std::string HttpClient::GetUrlText(const std::string& url, std::size_t maxBytes) {
  return Fetch(url, nullptr, maxBytes);
}

std::string HttpClient::GetUrlTextWithProgress(
    const std::string& url, const std::function<void(const std::string&)>& showStatus,
    std::size_t maxBytes) {
  return Fetch(
      url,
      [&](std::size_t bytesSoFar) {
        if (showStatus) showStatus("Downloaded " + std::to_string(bytesSoFar) + " bytes.");
      },
      maxBytes);
}

}  // namespace update

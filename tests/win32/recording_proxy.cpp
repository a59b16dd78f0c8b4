#include "recording_proxy.h"

#include <ws2tcpip.h>

namespace win32_test {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  return address;
}

bool SendAll(SOCKET socket, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const int n = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

RecordingProxy::RecordingProxy(int serverPort) : serverPort_(serverPort) {
  WSADATA data{};
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = Loopback(0);
  if (listener_ == INVALID_SOCKET ||
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0) {
    return;
  }
  int length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

RecordingProxy::~RecordingProxy() {
  // Closing the listener ends the accept the relay waits in.
  closesocket(listener_);
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::vector<std::string> RecordingProxy::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void RecordingProxy::Serve() {
  for (;;) {
    const SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    Relay(client);
    closesocket(client);
  }
}

void RecordingProxy::Relay(SOCKET client) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    head.append(buffer, static_cast<std::size_t>(n));
  }
  head.resize(head.find("\r\n\r\n") + 4);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(head);
  }
  // One request per connection: the server closes after its answer, and so does the relay.
  std::string forwarded;
  std::size_t start = 0;
  while (start < head.size()) {
    const std::size_t end = head.find("\r\n", start);
    const std::string line = head.substr(start, end - start);
    start = end + 2;
    if (line.empty()) break;
    if (_strnicmp(line.c_str(), "Connection:", 11) == 0) continue;
    forwarded += line + "\r\n";
  }
  forwarded += "Connection: close\r\n\r\n";
  const SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = Loopback(serverPort_);
  if (server == INVALID_SOCKET ||
      connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      !SendAll(server, forwarded)) {
    closesocket(server);
    return;
  }
  for (;;) {
    const int n = recv(server, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    if (!SendAll(client, std::string(buffer, static_cast<std::size_t>(n)))) break;
  }
  closesocket(server);
  shutdown(client, SD_SEND);
}

}  // namespace win32_test

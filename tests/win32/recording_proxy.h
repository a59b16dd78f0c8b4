#pragma once

// A loopback HTTP relay for the Wine tests: it notes every request exactly as WinINet sent it
// (request line and headers) and passes it on to the real server, so a test can check what went
// over the wire and still get the server's real answers.
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace win32_test {

class RecordingProxy {
 public:
  explicit RecordingProxy(int serverPort);
  ~RecordingProxy();
  RecordingProxy(const RecordingProxy&) = delete;
  RecordingProxy& operator=(const RecordingProxy&) = delete;

  // The loopback port it listens on; 0 when it could not listen.
  int Port() const { return port_; }
  // The heads of the requests so far (request line and headers, up to the empty line).
  std::vector<std::string> Requests();

 private:
  void Serve();
  void Relay(SOCKET client);

  int serverPort_;
  int port_ = 0;
  SOCKET listener_ = INVALID_SOCKET;
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace win32_test

#pragma once

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "definition_server.h"
#include "scenario.h"

namespace defserver::testing {

// The server on a free loopback port, over an in-memory database and a language folder of its
// own, for requests the way the client sends them and the way nobody should.
class HttpTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    languages_ = std::filesystem::temp_directory_path() /
                 ("defserver-languages-" + std::to_string(getpid()));
    std::filesystem::create_directories(languages_ / "7");
    std::ofstream(languages_ / "Localization.txt") << "<TRANSLATION_ITEMS>shared";
    std::ofstream(languages_ / "7" / "Localization.txt") << "<TRANSLATION_ITEMS>brand 7";
    ServerOptions options = Options();
    options.languageFolder = languages_.string();
    definitions_ = std::make_unique<DefinitionServer>(*store_, options);
    definitions_->Mount(server_);
    // The library waits this long for a body that never comes before it refuses it.
    server_.set_read_timeout(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port_, 0);
    listener_ = std::thread([this] { server_.listen_after_bind(); });
    // A stop before the server runs would be lost and leave the listener waiting for ever.
    for (int i = 0; i < 500 && !server_.is_running(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(server_.is_running());
  }

  void TearDown() override {
    server_.stop();
    if (listener_.joinable()) listener_.join();
    std::filesystem::remove_all(languages_);
  }

  // What the server is made with beyond its language folder.
  virtual ServerOptions Options() { return {}; }

  httplib::Result Get(const std::string& target, const httplib::Headers& headers = {}) {
    httplib::Client client("127.0.0.1", port_);
    return client.Get(target.c_str(), headers);
  }

  // Sends the bytes as they are and returns the status of the answer, 0 for none.
  int Raw(const std::string& request) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{5, 0};
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string answer;
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(socket, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
      char buffer[512];
      const ssize_t got = recv(socket, buffer, sizeof buffer, 0);
      if (got > 0) answer.assign(buffer, static_cast<size_t>(got));
    }
    close(socket);
    return answer.rfind("HTTP/1.1 ", 0) == 0 ? std::atoi(answer.c_str() + 9) : 0;
  }

  std::filesystem::path languages_;
  std::unique_ptr<DefinitionServer> definitions_;
  httplib::Server server_;
  std::thread listener_;
  int port_ = 0;
};

}  // namespace defserver::testing

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "definition_server.h"
#include "definitions/line_codec.h"
#include "fake_client.h"
#include "scenario.h"

namespace defserver::testing {
namespace {

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
    ServerOptions options;
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

constexpr const char* kDateQuery = "/asp/currentDateNEW.asp?prog=Quillmoor%20AntiSpyware&comp=Q";
const std::string kDefsQuery = "/asp/getDefsNEW.asp?prog=Quillmoor%20AntiSpyware&comp=Q&date=";

TEST_F(HttpTest, TheDateIsTheNewestPublishAndCachedUntilTheNext) {
  EXPECT_EQ(Get(kDateQuery)->status, 503);
  Publish("2006-04-01 16:15:00", {{Kind::kCookie, {"a.example"}}});
  const httplib::Result date = Get(kDateQuery);
  ASSERT_TRUE(date);
  EXPECT_EQ(date->status, 200);
  EXPECT_EQ(date->body, "4/1/2006 4:15:00 PM");
  EXPECT_EQ(date->get_header_value("Cache-Control"), "public, max-age=300");
  const std::string etag = date->get_header_value("ETag");
  EXPECT_EQ(Get("/asp/date.asp")->body, "4/1/2006 4:15:00 PM");
  EXPECT_EQ(Get(kDateQuery, {{"If-None-Match", "\"other\", W/" + etag}})->status, 304);

  Publish("2006-05-01 00:00:00", {{Kind::kCookie, {"b.example"}}});
  const httplib::Result newer = Get(kDateQuery, {{"If-None-Match", etag}});
  EXPECT_EQ(newer->status, 200);
  EXPECT_EQ(newer->body, "5/1/2006 12:00:00 AM");
  EXPECT_NE(newer->get_header_value("ETag"), etag);
}

TEST_F(HttpTest, TheDifferenceIsTheUpdateForTheClientsDateInAnyForm) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a.exe=A|[x]"}}});
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"b.exe=B|[y]"}}});
  const httplib::Result update = Get(kDefsQuery + "3/16/2006%2012:00:00%20AM");
  ASSERT_TRUE(update);
  EXPECT_EQ(update->status, 200);
  EXPECT_EQ(update->body, UpdateSince("3/16/2006"));
  FakeClient client;
  client.Install({{"FileDefinition.dat", {"a.exe=A|[x]"}}});
  EXPECT_EQ(client.Merge(update->body), 3);  // the line added, and a deletion in two files
  EXPECT_EQ(client.Lines("FileDefinition.dat"), std::vector<std::string>{"b.exe=B|[y]"});

  const std::string etag = update->get_header_value("ETag");
  for (const char* sameDate : {"3/16/2006", "16.03.2006%2000:00:00", "2006-03-16"}) {
    const httplib::Result same = Get(kDefsQuery + sameDate);
    EXPECT_EQ(same->body, update->body) << sameDate;
    EXPECT_EQ(same->get_header_value("ETag"), etag) << sameDate;
    EXPECT_EQ(Get(kDefsQuery + sameDate, {{"If-None-Match", etag}})->status, 304) << sameDate;
  }
  const httplib::Result current = Get(kDefsQuery + "4/1/2006");
  EXPECT_EQ(current->body, "");
  EXPECT_NE(current->get_header_value("ETag"), etag);
}

TEST_F(HttpTest, SubmissionsAreAddedOnceAndNeverCached) {
  const std::string name = definitions::ScrambleText("tool.exe");
  const auto submit = [&](const std::string& payload) {
    return Raw("GET /asp/getData.asp?data=" + payload + " HTTP/1.1\r\nHost: x\r\n\r\n");
  };
  EXPECT_EQ(submit(name + "|"), 200);
  const httplib::Result again = Get("/asp/getData.asp?data=" + name + "|");
  EXPECT_EQ(again->body, "Skipped");
  EXPECT_EQ(again->get_header_value("Cache-Control"), "no-store");
  EXPECT_EQ(Get("/asp/getData.asp?data=" + definitions::ScrambleText("new.exe"))->body, "Added");
  EXPECT_EQ(
      Get("/asp/getData.asp?data=" + name + "|" + definitions::ScrambleText("TOOL.EXE"))->body,
      "Skipped");
  EXPECT_EQ(Get("/asp/getData.asp?data=|")->body, "Skipped");
}

TEST_F(HttpTest, TheLanguageFileIsTheBrandsOwnOrTheSharedOne) {
  const httplib::Result shared = Get("/Languages/21/Localization.txt");
  ASSERT_TRUE(shared);
  EXPECT_EQ(shared->body, "<TRANSLATION_ITEMS>shared");
  EXPECT_EQ(Get("/Languages/7/Localization.txt")->body, "<TRANSLATION_ITEMS>brand 7");
  EXPECT_EQ(Get("/Languages/007/Localization.txt")->body, "<TRANSLATION_ITEMS>brand 7");
  EXPECT_EQ(
      Get("/Languages/21/Localization.txt", {{"If-None-Match", shared->get_header_value("ETag")}})
          ->status,
      304);
  EXPECT_EQ(Get("/Languages/99999/Localization.txt")->status, 400);
  EXPECT_EQ(Get("/Languages/x/Localization.txt")->status, 404);
  EXPECT_EQ(Get("/Languages/21/../../etc/passwd")->status, 404);
  std::filesystem::remove(languages_ / "Localization.txt");
  EXPECT_EQ(Get("/Languages/21/Localization.txt")->status, 404);
}

TEST_F(HttpTest, HostileRequestsAreRefusedAndTheServerGoesOn) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a.exe=A|[x]"}}});
  const std::string brand = "prog=P&comp=C";
  const std::string targets[] = {
      "/asp/getDefsNEW.asp",
      "/asp/getDefsNEW.asp?" + brand,
      "/asp/getDefsNEW.asp?" + brand + "&date=",
      "/asp/getDefsNEW.asp?" + brand + "&date=garbage",
      "/asp/getDefsNEW.asp?" + brand + "&date=13/45/2006",
      "/asp/getDefsNEW.asp?" + brand + "&date=3/16/2006&date=4/16/2006",
      "/asp/getDefsNEW.asp?" + brand + "&date=3/16/2006'%20OR%20'1'='1",
      "/asp/getDefsNEW.asp?" + brand + "&date=3/16/2006;DROP%20TABLE%20entries",
      "/asp/getDefsNEW.asp?" + brand + "&date=" + std::string(4000, '9'),
      "/asp/getDefsNEW.asp?prog=" + std::string(300, 'p') + "&comp=C&date=3/16/2006",
      "/asp/getDefsNEW.asp?prog=%00&comp=C&date=3/16/2006",
      "/asp/currentDateNEW.asp",
      "/asp/currentDateNEW.asp?=x&" + brand,
      "/asp/date.asp?a=1&A=2",
      "/asp/getData.asp",
      "/asp/getData.asp?name=x",
      "/asp/getData.asp?data=HELLO",
      "/asp/getData.asp?data=" + std::string(300, 'a'),
      "/asp/getData.asp?data=" + std::string(2100, '|'),
  };
  for (const std::string& target : targets) {
    const httplib::Result result = Get(target);
    ASSERT_TRUE(result) << target;
    EXPECT_EQ(result->status, 400) << target.substr(0, 100);
    EXPECT_EQ(result->get_header_value("Cache-Control"), "no-store") << target.substr(0, 100);
  }
  const std::string raw[] = {
      "garbage\r\n\r\n",
      "GET /asp/getDefsNEW.asp?" + brand + "&date=3/16/2006 12:00:00 AM HTTP/1.1\r\n\r\n",
      "GET /asp/getDefsNEW.asp?" + brand + "&date=" + std::string(9000, '1') + " HTTP/1.1\r\n\r\n",
      "GET /asp/date.asp HTTP/1.1\r\nX: " + std::string(9000, 'x') + "\r\n\r\n",
      "POST /asp/getData.asp HTTP/1.1\r\nContent-Length: 100000000\r\n\r\nabc",
      "GET /asp/getData.asp?data=\xa1\xa2"
      "ABC%zz%4 HTTP/1.1\r\n\r\n",
  };
  for (const std::string& request : raw) {
    const int status = Raw(request);
    EXPECT_TRUE(status == 0 || (status >= 400 && status < 500))
        << status << " " << request.substr(0, 60);
  }
  EXPECT_EQ(Get("/asp/date.asp")->status, 200);
  EXPECT_EQ(Get("/nothing")->status, 404);
}

TEST_F(HttpTest, APortInUseIsNotShared) {
  httplib::Server second;
  DefinitionServer definitions(*store_, ServerOptions());
  definitions.Mount(second);
  EXPECT_FALSE(second.bind_to_port("127.0.0.1", port_));
}

}  // namespace
}  // namespace defserver::testing

#include "update/http_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace update {
namespace {

using platform::sim::SimHttpRequest;
using platform::sim::SimHttpResponse;

constexpr const char* kServer = "http://127.0.0.1:8080";

class HttpClientTest : public ::testing::Test {
 protected:
  void Serve(const std::string& path, SimHttpResponse response) {
    sim.internet.Route(kServer, path, [response](const SimHttpRequest&) { return response; });
  }
  std::string Url(const std::string& path) { return std::string(kServer) + path; }

  platform::sim::SimMachine sim;
  int yields = 0;
  HttpClient http{sim.internet, [this] { ++yields; }};
};

TEST_F(HttpClientTest, ReturnsTheBodyExactlyAndErrorPagesAsAnswers) {
  Serve("/ten", {"0123456789"});
  EXPECT_EQ(http.GetUrlText(Url("/ten")), "0123456789");
  // A path the server does not know: its error page is the answer.
  const std::string page = http.GetUrlText(Url("/missing.asp"));
  EXPECT_NE(page.find("404"), std::string::npos);
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 0u);
}

TEST_F(HttpClientTest, NoNetworkGivesAnEmptyTextAndNoMessage) {
  Serve("/ten", {"0123456789"});
  sim.internet.SetOnline(false);
  EXPECT_EQ(http.GetUrlText(Url("/ten")), "");
  EXPECT_EQ(http.GetUrlText("http://192.0.2.1/ten"), "");
  EXPECT_EQ(sim.desktop.MessageBoxes().size(), 0u);
}

TEST_F(HttpClientTest, ProgressCountsTheBytesAfterEveryFurtherRead) {
  Serve("/six-hundred", {std::string(600, 'x')});
  std::vector<std::string> shown;
  const std::string body = http.GetUrlTextWithProgress(
      Url("/six-hundred"), [&](const std::string& text) { shown.push_back(text); });
  EXPECT_EQ(body.size(), 600u);
  // Reads of 256, 256, 88 and the empty one at the end: no text for the first.
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[0], "Downloaded 512 bytes.");
  EXPECT_EQ(shown[1], "Downloaded 600 bytes.");
  EXPECT_EQ(shown.back(), "Downloaded 600 bytes.");
  EXPECT_EQ(yields, static_cast<int>(shown.size()));
}

TEST_F(HttpClientTest, ABodyCutOffMidwayIsAFailedDownload) {
  SimHttpResponse cut{std::string(1000, 'r')};
  cut.breakAfter = 700;
  Serve("/cut", cut);
  std::vector<std::string> shown;
  EXPECT_EQ(http.GetUrlTextWithProgress(Url("/cut"),
                                        [&](const std::string& text) { shown.push_back(text); }),
            "");
  EXPECT_EQ(shown.back(), "Downloaded 700 bytes.");
}

TEST_F(HttpClientTest, AFloodStopsAtTheLimit) {
  SimHttpResponse flood;
  flood.flood = 'f';
  Serve("/flood", flood);
  std::size_t last = 0;
  EXPECT_EQ(http.GetUrlTextWithProgress(
                Url("/flood"), [&](const std::string& text) { last = text.size(); }, 10000),
            "");
  // Stopped at the first read past the limit, not at the end of the memory.
  EXPECT_GT(last, 0u);
  EXPECT_LE(yields, 10000 / 256 + 1);
}

}  // namespace
}  // namespace update

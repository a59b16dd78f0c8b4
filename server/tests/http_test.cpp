#include "definitions/line_codec.h"
#include "fake_client.h"
#include "http_fixture.h"

namespace defserver::testing {
namespace {

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

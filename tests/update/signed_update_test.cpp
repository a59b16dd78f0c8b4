// Live Update of a build with a public key, against a simulated server that signs with the
// definition server's own signer, and against everything a man in the middle can send instead.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "answer_signer.h"
#include "definitions/definition_files.h"
#include "platform/sim/sim_machine.h"
#include "update/live_update.h"
#include "update/signed_answer.h"
#include "update/update_text.h"

namespace update {
namespace {

using platform::sim::kSimDataFolder;
using platform::sim::SimHttpRequest;
using platform::sim::SimHttpResponse;
using update_test::Record;
using update_test::SentEntry;

constexpr const char* kServer = "http://127.0.0.1:8080";
constexpr const char* kProduct = "Quillmoor AntiSpyware";
constexpr const char* kCompany = "Quillmoor Software";

std::unique_ptr<defserver::AnswerSigner> NewKey() {
  std::string error;
  auto signer = defserver::AnswerSigner::Generate(&error);
  EXPECT_TRUE(signer) << error;
  return signer;
}

// The server's two signed answers are made from fields a test may alter before or after
// signing; the unsigned paths answer too, so that a build that fell back to them would merge.
class SignedUpdateTest : public ::testing::Test {
 public:  // the tampering cases below arrange the fixture
  SignedUpdateTest() {
    sim.internet.Route(kServer, "/asp/currentDateNEW.sig.asp", [this](const SimHttpRequest&) {
      return Tampered(dateFields, dateAnswerEdit);
    });
    sim.internet.Route(kServer, "/asp/getDefsNEW.sig.asp", [this](const SimHttpRequest& request) {
      requestedFrom = request.query.substr(request.query.find("&date=") + 6);
      return Tampered(differenceFields, differenceAnswerEdit);
    });
    const std::string unsigned_ = Record("EXE", "ADD", SentEntry("evil.exe=Evil"));
    sim.internet.Route(kServer, "/asp/currentDateNEW.asp",
                       [](const SimHttpRequest&) { return SimHttpResponse{"3/25/2006"}; });
    sim.internet.Route(kServer, "/asp/getDefsNEW.asp",
                       [unsigned_](const SimHttpRequest&) { return SimHttpResponse{unsigned_}; });
    sim.internet.Route(kServer, "/asp/date.asp",
                       [](const SimHttpRequest&) { return SimHttpResponse{"3/25/2006"}; });
    sim.files.AddFile(Path("FileDefinition.dat"), update_test::StoredFile({"a.exe=A"}));
    sim.files.AddFile(Path("date.dat"), "3/18/2006\r\n");
  }

  std::string Path(const std::string& name) {
    return definitions::DataFilePath(kSimDataFolder, name);
  }

  // Signs the fields as the server does, then lets the test change the answer's text.
  SimHttpResponse Tampered(const SignedFields& fields,
                           const std::function<void(std::string&)>& edit) {
    const std::string signature =
        (signingKey ? *signingKey : *serverKey).Sign(SignedMessage(fields));
    std::string answer = FormatSignedAnswer({signature, fields.serverDate, fields.body});
    if (edit) edit(answer);
    return SimHttpResponse{answer};
  }

  std::int32_t Run() {
    LiveUpdate live(
        {sim.machine, kSimDataFolder, kServer, kProduct, kCompany, serverKey->PublicKey()},
        LiveUpdateObserver{});
    const std::int32_t changes = live.CheckForNewDefinitions();
    refused = live.Refused();
    return changes;
  }

  // Every file of the data folder with its content.
  std::string DataFolder() {
    std::string dump;
    for (const std::string& name : sim.files.ListFolder(kSimDataFolder)) {
      dump += name + ":" + sim.files.FileContent(Path(name)).value_or("(none)") + "\n";
    }
    return dump;
  }

  platform::sim::SimMachine sim;
  std::unique_ptr<defserver::AnswerSigner> serverKey = NewKey();
  defserver::AnswerSigner* signingKey = nullptr;
  SignedFields dateFields{kSignedDateKind,       kProduct, kCompany, "", "3/20/2006 4:15:00 PM",
                          "3/20/2006 4:15:00 PM"};
  SignedFields differenceFields{kSignedDifferenceKind,
                                kProduct,
                                kCompany,
                                "3/18/2006",
                                "3/20/2006 4:15:00 PM",
                                Record("EXE", "ADD", SentEntry("new.exe=New"))};
  std::function<void(std::string&)> dateAnswerEdit;
  std::function<void(std::string&)> differenceAnswerEdit;
  std::string requestedFrom;
  bool refused = false;
};

TEST_F(SignedUpdateTest, AGoodSignatureIsMergedAndItsSignedDateStored) {
  EXPECT_EQ(Run(), 2);
  EXPECT_FALSE(refused);
  EXPECT_EQ(requestedFrom, "3/18/2006");
  EXPECT_EQ(update_test::DecodedLines(sim.files, Path("ExeDefinition.dat")),
            (std::vector<std::string>{"new.exe=New"}));
  EXPECT_EQ(sim.files.FileContent(Path("date.dat")), "3/20/2006 4:15:00 PM\r\n");
  // No unsigned answer is asked for, not even the new date.
  for (const SimHttpRequest& request : sim.internet.Requests()) {
    EXPECT_NE(request.path.find(".sig.asp"), std::string::npos) << request.url;
  }
}

TEST_F(SignedUpdateTest, AServerAtTheInstalledDateIsUpToDateNotRefused) {
  dateFields.serverDate = dateFields.body = "3/18/2006";
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(refused);
}

// Each thing a man in the middle (or a rolled-back server) can send: nothing is merged, the date
// stays, and the check says it was refused.
TEST_F(SignedUpdateTest, EveryTamperingIsRefusedWithNothingChanged) {
  const auto flipLast = [](std::string& answer) { answer.back() ^= 1; };
  const std::unique_ptr<defserver::AnswerSigner> otherKey = NewKey();
  struct Case {
    const char* name;
    std::function<void(SignedUpdateTest&)> arrange;
  };
  const std::vector<Case> cases = {
      {"a byte of the difference", [&](SignedUpdateTest& t) { t.differenceAnswerEdit = flipLast; }},
      {"a byte of the difference's signature",
       [](SignedUpdateTest& t) {
         t.differenceAnswerEdit = [](std::string& a) { a[5] = a[5] == '0' ? '1' : '0'; };
       }},
      {"a byte of the date answer's signature",
       [](SignedUpdateTest& t) {
         t.dateAnswerEdit = [](std::string& a) { a[0] = a[0] == '0' ? '1' : '0'; };
       }},
      {"the date in the date answer",
       [](SignedUpdateTest& t) {
         t.dateAnswerEdit = [](std::string& a) { a.replace(a.find("3/20"), 4, "3/29"); };
       }},
      {"the date in the difference",
       [](SignedUpdateTest& t) {
         t.differenceAnswerEdit = [](std::string& a) { a.replace(a.find("3/20"), 4, "3/29"); };
       }},
      {"a difference signed for another product",
       [](SignedUpdateTest& t) { t.differenceFields.product = "Other AntiSpyware"; }},
      {"a difference signed for another from-date",
       [](SignedUpdateTest& t) { t.differenceFields.fromDate = "3/17/2006"; }},
      {"a date answer passed off as the difference",
       [](SignedUpdateTest& t) { t.differenceFields.kind = kSignedDateKind; }},
      {"a replayed older difference",
       [](SignedUpdateTest& t) { t.differenceFields.serverDate = "3/17/2006"; }},
      {"a replayed older date", [](SignedUpdateTest& t) { t.dateFields.serverDate = "3/17/2006"; }},
      {"a signature of another key", [&](SignedUpdateTest& t) { t.signingKey = otherKey.get(); }},
      {"an unsigned difference",
       [](SignedUpdateTest& t) {
         t.differenceAnswerEdit = [](std::string& a) { a = a.substr(a.rfind("\r\n") + 2); };
       }},
      {"an unsigned date",
       [](SignedUpdateTest& t) { t.dateAnswerEdit = [](std::string& a) { a = "3/20/2006"; }; }},
  };
  for (const Case& tampering : cases) {
    SignedUpdateTest& t = *this;
    t.dateAnswerEdit = nullptr;
    t.differenceAnswerEdit = nullptr;
    t.signingKey = nullptr;
    t.dateFields = SignedFields{
        kSignedDateKind, kProduct, kCompany, "", "3/20/2006 4:15:00 PM", "3/20/2006 4:15:00 PM"};
    t.differenceFields.kind = kSignedDifferenceKind;
    t.differenceFields.product = kProduct;
    t.differenceFields.fromDate = "3/18/2006";
    t.differenceFields.serverDate = "3/20/2006 4:15:00 PM";
    tampering.arrange(t);
    const std::string before = DataFolder();
    EXPECT_EQ(Run(), 0) << tampering.name;
    EXPECT_TRUE(refused) << tampering.name;
    EXPECT_EQ(DataFolder(), before) << tampering.name;
  }
}

TEST_F(SignedUpdateTest, NoAnswerAtAllIsNoRefusal) {
  sim.internet.SetOnline(false);
  const std::string before = DataFolder();
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(refused);
  EXPECT_EQ(DataFolder(), before);
}

TEST_F(SignedUpdateTest, ABuildWithoutAKeyKeepsToTheUnsignedPaths) {
  LiveUpdate live({sim.machine, kSimDataFolder, kServer, kProduct, kCompany}, LiveUpdateObserver{});
  EXPECT_EQ(live.CheckForNewDefinitions(), 2);
  EXPECT_FALSE(live.Refused());
  for (const SimHttpRequest& request : sim.internet.Requests()) {
    EXPECT_EQ(request.path.find(".sig"), std::string::npos) << request.url;
  }
}

TEST(SignedAnswerTest, FieldsCannotBorrowBytesFromTheirNeighbours) {
  EXPECT_NE(SignedMessage({"date", "ab", "c", "", "", ""}),
            SignedMessage({"date", "a", "bc", "", "", ""}));
  EXPECT_NE(SignedMessage({"date", "", "", "", "", "x"}),
            SignedMessage({"difference", "", "", "", "", "x"}));
  const SignedAnswer answer{std::string("\x01\xff", 2), "3/20/2006", "body\r\nwith lines"};
  const auto back = ParseSignedAnswer(FormatSignedAnswer(answer));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->signature, answer.signature);
  EXPECT_EQ(back->serverDate, answer.serverDate);
  EXPECT_EQ(back->body, answer.body);
  for (const char* broken : {"", "3/20/2006", "zz\r\n3/20/2006\r\n", "abc\r\ndate\r\n",
                             "\r\n3/20/2006\r\nbody", "ab\r\nno second line"}) {
    EXPECT_FALSE(ParseSignedAnswer(broken)) << broken;
  }
  EXPECT_EQ(SignedUrl("http://h:1/asp/getDefsNEW.asp?prog=a.asp&date=1"),
            "http://h:1/asp/getDefsNEW.sig.asp?prog=a.asp&date=1");
  EXPECT_EQ(SignedUrl("http://h/asp/date.asp"), "http://h/asp/date.sig.asp");
}

}  // namespace
}  // namespace update

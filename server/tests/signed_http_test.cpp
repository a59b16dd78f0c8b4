// The signed answers: what the scanner's own verifier accepts, and that the unsigned answers
// stay what they were.
#include "answer_signer.h"
#include "http_fixture.h"
#include "platform/sim/sim_signatures.h"
#include "update/signed_answer.h"

namespace defserver::testing {
namespace {

const std::string kBrand = "prog=Quillmoor%20AntiSpyware&comp=Q";

class SignedHttpTest : public HttpTest {
 protected:
  ServerOptions Options() override {
    std::string error;
    signer_ = AnswerSigner::Generate(&error);
    EXPECT_TRUE(signer_) << error;
    ServerOptions options;
    options.signer = signer_.get();
    return options;
  }

  // The answer when it is well formed and signed with the server's key over these fields.
  std::optional<update::SignedAnswer> Verified(const httplib::Result& result, const char* kind,
                                               const std::string& product,
                                               const std::string& fromDate,
                                               const std::string& company = "Q") {
    if (!result || result->status != 200) return std::nullopt;
    std::optional<update::SignedAnswer> answer = update::ParseSignedAnswer(result->body);
    if (!answer) return std::nullopt;
    const std::string message =
        update::SignedMessage({kind, product, company, fromDate, answer->serverDate, answer->body});
    if (!verifier_.Verify(signer_->PublicKey(), message, answer->signature)) return std::nullopt;
    return answer;
  }

  std::unique_ptr<AnswerSigner> signer_;
  platform::sim::SimSignatures verifier_;
};

TEST_F(SignedHttpTest, TheSignedDateIsTheNewestPublishSignedForTheBrand) {
  Publish("2006-04-01 16:15:00", {{Kind::kCookie, {"a.example"}}});
  const httplib::Result date = Get("/asp/currentDateNEW.sig.asp?" + kBrand);
  const auto answer = Verified(date, update::kSignedDateKind, "Quillmoor AntiSpyware", "");
  ASSERT_TRUE(answer) << (date ? date->body : "no answer");
  EXPECT_EQ(answer->serverDate, "4/1/2006 4:15:00 PM");
  EXPECT_EQ(answer->body, Get("/asp/currentDateNEW.asp?" + kBrand)->body);
  EXPECT_FALSE(Verified(date, update::kSignedDateKind, "Other AntiSpyware", ""));
  EXPECT_FALSE(Verified(date, update::kSignedDifferenceKind, "Quillmoor AntiSpyware", ""));
  EXPECT_TRUE(Verified(Get("/asp/date.sig.asp"), update::kSignedDateKind, "", "", "").has_value())
      << "the stored date's twin is signed without a brand";
  EXPECT_EQ(Get("/asp/currentDateNEW.sig.asp")->status, 400);
}

TEST_F(SignedHttpTest, TheSignedDifferenceIsTheUnsignedOneSignedForTheDateAsSent) {
  Publish("2006-03-16 00:00:00", {{Kind::kFile, {"a.exe=A|[x]"}}});
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"b.exe=B|[y]"}}});
  const std::string query = "?" + kBrand + "&date=3/16/2006%2012:00:00%20AM";
  const httplib::Result plain = Get("/asp/getDefsNEW.asp" + query);
  const httplib::Result signedResult = Get("/asp/getDefsNEW.sig.asp" + query);
  const auto answer = Verified(signedResult, update::kSignedDifferenceKind, "Quillmoor AntiSpyware",
                               "3/16/2006 12:00:00 AM");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, plain->body);
  EXPECT_EQ(answer->body, UpdateSince("3/16/2006"));
  EXPECT_EQ(answer->serverDate, "4/1/2006 12:00:00 AM");
  // The same date in another spelling is another request: its signature names that spelling.
  EXPECT_FALSE(
      Verified(signedResult, update::kSignedDifferenceKind, "Quillmoor AntiSpyware", "3/16/2006"));
  EXPECT_FALSE(Verified(signedResult, update::kSignedDifferenceKind, "Other AntiSpyware",
                        "3/16/2006 12:00:00 AM"));
  const std::string etag = signedResult->get_header_value("ETag");
  EXPECT_NE(etag, plain->get_header_value("ETag"));
  EXPECT_NE(Get("/asp/getDefsNEW.sig.asp?" + kBrand + "&date=3/16/2006")->get_header_value("ETag"),
            etag);
  EXPECT_EQ(Get("/asp/getDefsNEW.sig.asp" + query, {{"If-None-Match", etag}})->status, 304);
}

TEST_F(HttpTest, WithoutAKeyThereAreNoSignedPaths) {
  Publish("2006-04-01 00:00:00", {{Kind::kFile, {"b.exe=B|[y]"}}});
  for (const std::string& path :
       std::vector<std::string>{"/asp/currentDateNEW.sig.asp?" + kBrand, "/asp/date.sig.asp",
                                "/asp/getDefsNEW.sig.asp?" + kBrand + "&date=3/16/2006"}) {
    EXPECT_EQ(Get(path)->status, 404) << path;
  }
}

TEST(AnswerSignerTest, AKeyFileReadsBackAsTheSameKey) {
  std::string error;
  const auto key = AnswerSigner::Generate(&error);
  ASSERT_TRUE(key) << error;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("defserver-key-" + std::to_string(getpid()) + ".pem");
  std::ofstream(path) << key->PrivateKeyPem();
  const auto read = AnswerSigner::FromPemFile(path.string(), &error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->PublicKey(), key->PublicKey());
  EXPECT_EQ(read->PublicKey().size(), 64u);
  platform::sim::SimSignatures verifier;
  EXPECT_TRUE(verifier.Verify(key->PublicKey(), "m", read->Sign("m")));
  std::ofstream(path) << "no key";
  EXPECT_FALSE(AnswerSigner::FromPemFile(path.string(), &error));
  std::filesystem::remove(path);
  EXPECT_FALSE(AnswerSigner::FromPemFile(path.string(), &error));
}

}  // namespace
}  // namespace defserver::testing

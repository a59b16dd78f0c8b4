#pragma once

#include <functional>
#include <string>

#include "answer_signer.h"
#include "civil_time.h"
#include "store.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace defserver {

struct ServerOptions {
  // Where the language files are: <folder>/<brand number>/Localization.txt for a brand of its
  // own, else <folder>/Localization.txt for every brand.
  std::string languageFolder;
  // How long an HTTP cache may serve an answer before it asks again (with If-None-Match).
  int maxAgeSeconds = 300;
  // The time a submission is recorded at.
  std::function<Seconds()> clock = LocalNow;
  // With a key the date and difference answers are also served signed, on the same paths with
  // ".sig" before ".asp"; without one those paths do not exist. The unsigned paths answer as
  // they always have either way.
  const AnswerSigner* signer = nullptr;
};

// What the scanner's Live Update, anonymous submission and language download talk to:
//   /asp/currentDateNEW.asp?prog=P&comp=C        the newest publish date
//   /asp/date.asp                                the same, stored by the client after an update
//   /asp/getDefsNEW.asp?prog=P&comp=C&date=D     the update text since the client's date D
//   /asp/getData.asp?data=NAMES                  records submitted program names
//   /Languages/<brand number>/Localization.txt   the language file
//   /asp/currentDateNEW.sig.asp, /asp/date.sig.asp, /asp/getDefsNEW.sig.asp
//                                                the three answers signed, with a signing key
//
// Dates and differences change only when a publish happens, and a difference depends on nothing
// but the client's date and the newest publish, so their answers carry an ETag made from
// exactly those and may be cached; a cache that asks again with If-None-Match gets 304 without
// the difference being computed. Requests that are not what the client sends get 400.
class DefinitionServer {
 public:
  DefinitionServer(Store& store, ServerOptions options);

  // Puts the routes, the request limits and the error answers on the server.
  void Mount(httplib::Server& server);

  // The newest date for the client's check (the brand is required, as the client sends it)
  // and for the client to store after an update.
  void ServerDate(const httplib::Request& request, httplib::Response& response);
  void StoredDate(const httplib::Request& request, httplib::Response& response);
  void Difference(const httplib::Request& request, httplib::Response& response);
  void SignedServerDate(const httplib::Request& request, httplib::Response& response);
  void SignedStoredDate(const httplib::Request& request, httplib::Response& response);
  void SignedDifference(const httplib::Request& request, httplib::Response& response);
  void Submission(const httplib::Request& request, httplib::Response& response);
  void Language(const httplib::Request& request, httplib::Response& response);

 private:
  void AnswerDate(const httplib::Request& request, httplib::Response& response);
  void AnswerSignedDate(const httplib::Request& request, httplib::Response& response,
                        const std::string& product, const std::string& company);
  void AnswerDifference(const httplib::Request& request, httplib::Response& response,
                        bool signedAnswer);
  // The signed answer around `body`; false, with a 500 set, when signing fails.
  bool SetSigned(httplib::Response& response, const char* kind, const std::string& product,
                 const std::string& company, const std::string& fromDate,
                 const std::string& serverDate, const std::string& body);
  // False, with the answer set, when there is no newest date to give.
  bool Newest(httplib::Response& response, Seconds* newest);
  // Sets the caching headers; true when the request's If-None-Match already names the ETag,
  // in which case the answer is a 304 and nothing more is to be done.
  bool Cacheable(const httplib::Request& request, httplib::Response& response,
                 const std::string& etag);

  Store& store_;
  ServerOptions options_;
};

}  // namespace defserver

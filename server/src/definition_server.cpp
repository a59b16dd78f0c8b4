#include "definition_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "client_date.h"
#include "difference.h"
#include "query.h"
#include "submission.h"
#include "update/signed_answer.h"
#include "update_records.h"

namespace defserver {

namespace {

// The answers are 8-bit text in the client's ANSI code page; the update text is scrambled and
// is no text of any character set at all, which the client does not mind.
constexpr const char* kAnswerType = "text/plain; charset=windows-1252";
constexpr size_t kMaxBrandTextLength = 256;
constexpr size_t kMaxLanguageFileSize = 4 << 20;
// Requests are GETs: a body has no business here.
constexpr size_t kMaxPayload = 4096;
// Part of every difference's ETag: changed whenever the same history would be encoded
// differently, so that caches let go of answers in the old form.
constexpr const char* kUpdateFormat = "1";

void Fail(httplib::Response& response, int status, const std::string& message) {
  response.status = status;
  response.set_header("Cache-Control", "no-store");
  response.set_content(message + "\r\n", "text/plain");
}

// A strong entity tag: FNV-1a of the text that determines the answer.
std::string MakeETag(std::string_view determinant) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : determinant) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char text[24];
  std::snprintf(text, sizeof text, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return text;
}

// If-None-Match: "*" or a list of entity tags, any of them possibly weak ("W/").
bool NamesETag(std::string_view header, std::string_view etag) {
  while (!header.empty()) {
    const size_t comma = header.find(',');
    std::string_view tag = header.substr(0, comma);
    header = comma == std::string_view::npos ? std::string_view() : header.substr(comma + 1);
    while (!tag.empty() && (tag.front() == ' ' || tag.front() == '\t')) tag.remove_prefix(1);
    while (!tag.empty() && (tag.back() == ' ' || tag.back() == '\t')) tag.remove_suffix(1);
    if (tag == "*") return true;
    if (tag.substr(0, 2) == "W/") tag.remove_prefix(2);
    if (tag == etag) return true;
  }
  return false;
}

const char* RefusalText(int status) {
  switch (status) {
    case 404:
      return "Not found";
    case 413:
      return "Request too large";
    case 414:
      return "Request target too long";
    default:
      return "Bad request";
  }
}

bool IsPlainText(std::string_view text) {
  for (char c : text) {
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 32 || code == 127) return false;
  }
  return true;
}

// The product and company names the client sends with its date requests. The server gives
// every brand the same definitions, but a request without them is not one of the client's.
bool HasBrand(const std::map<std::string, std::string>& parameters) {
  for (const char* name : {"prog", "comp"}) {
    const auto found = parameters.find(name);
    if (found == parameters.end() || found->second.size() > kMaxBrandTextLength ||
        !IsPlainText(found->second)) {
      return false;
    }
  }
  return true;
}

enum class FileRead { kRead, kMissing, kTooLarge, kFailed };

FileRead ReadSmallFile(const std::string& path, std::string* content) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return FileRead::kMissing;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return FileRead::kFailed;
  if (size > kMaxLanguageFileSize) return FileRead::kTooLarge;
  std::ifstream in(path, std::ios::binary);
  content->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() || !in.is_open() ? FileRead::kFailed : FileRead::kRead;
}

}  // namespace

DefinitionServer::DefinitionServer(Store& store, ServerOptions options)
    : store_(store), options_(std::move(options)) {}

void DefinitionServer::Mount(httplib::Server& server) {
  // The library's default shares the port with any other server on it (SO_REUSEPORT), so a
  // forgotten server would silently take half of the requests; a port in use must fail instead.
  // SO_REUSEADDR alone still allows a restart while old connections linger.
  server.set_socket_options([](int socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server.set_payload_max_length(kMaxPayload);
  server.set_read_timeout(5);
  server.set_write_timeout(5);
  server.set_keep_alive_timeout(5);
  server.set_keep_alive_max_count(100);
  server.Get("/asp/currentDateNEW.asp",
             [this](const httplib::Request& request, httplib::Response& response) {
               ServerDate(request, response);
             });
  server.Get("/asp/date.asp", [this](const httplib::Request& request, httplib::Response& response) {
    StoredDate(request, response);
  });
  server.Get("/asp/getDefsNEW.asp",
             [this](const httplib::Request& request, httplib::Response& response) {
               Difference(request, response);
             });
  if (options_.signer != nullptr) {
    server.Get("/asp/currentDateNEW.sig.asp",
               [this](const httplib::Request& request, httplib::Response& response) {
                 SignedServerDate(request, response);
               });
    server.Get("/asp/date.sig.asp",
               [this](const httplib::Request& request, httplib::Response& response) {
                 SignedStoredDate(request, response);
               });
    server.Get("/asp/getDefsNEW.sig.asp",
               [this](const httplib::Request& request, httplib::Response& response) {
                 SignedDifference(request, response);
               });
  }
  server.Get("/asp/getData.asp",
             [this](const httplib::Request& request, httplib::Response& response) {
               Submission(request, response);
             });
  server.Get(R"(/Languages/(\d{1,5})/Localization\.txt)",
             [this](const httplib::Request& request, httplib::Response& response) {
               Language(request, response);
             });
  // The library's own refusals (no route, a request line it cannot read, a target over its
  // length limit) come without a body; say what happened and keep caches from storing it.
  server.set_error_handler(httplib::Server::HandlerWithResponse(
      [](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        Fail(response, response.status, RefusalText(response.status));
        return httplib::Server::HandlerResponse::Handled;
      }));
  server.set_exception_handler([](const httplib::Request&, httplib::Response& response,
                                  std::exception_ptr) { Fail(response, 500, "Internal error"); });
}

void DefinitionServer::ServerDate(const httplib::Request& request, httplib::Response& response) {
  const auto parameters = ParseQuery(RawQuery(request.target));
  if (!parameters || !HasBrand(*parameters)) {
    Fail(response, 400, "Bad request: prog and comp are expected");
    return;
  }
  AnswerDate(request, response);
}

void DefinitionServer::StoredDate(const httplib::Request& request, httplib::Response& response) {
  if (!ParseQuery(RawQuery(request.target))) {
    Fail(response, 400, "Bad request");
    return;
  }
  AnswerDate(request, response);
}

void DefinitionServer::AnswerDate(const httplib::Request& request, httplib::Response& response) {
  Seconds newest = 0;
  if (!Newest(response, &newest)) return;
  if (Cacheable(request, response, MakeETag("date|" + FormatStored(newest)))) return;
  response.set_content(FormatClientDate(newest), kAnswerType);
}

void DefinitionServer::Difference(const httplib::Request& request, httplib::Response& response) {
  AnswerDifference(request, response, false);
}

void DefinitionServer::SignedServerDate(const httplib::Request& request,
                                        httplib::Response& response) {
  const auto parameters = ParseQuery(RawQuery(request.target));
  if (!parameters || !HasBrand(*parameters)) {
    Fail(response, 400, "Bad request: prog and comp are expected");
    return;
  }
  AnswerSignedDate(request, response, parameters->at("prog"), parameters->at("comp"));
}

void DefinitionServer::SignedStoredDate(const httplib::Request& request,
                                        httplib::Response& response) {
  if (!ParseQuery(RawQuery(request.target))) {
    Fail(response, 400, "Bad request");
    return;
  }
  AnswerSignedDate(request, response, "", "");
}

void DefinitionServer::SignedDifference(const httplib::Request& request,
                                        httplib::Response& response) {
  AnswerDifference(request, response, true);
}

void DefinitionServer::AnswerSignedDate(const httplib::Request& request,
                                        httplib::Response& response, const std::string& product,
                                        const std::string& company) {
  Seconds newest = 0;
  if (!Newest(response, &newest)) return;
  // The brand is signed, so it is part of what the answer depends on.
  if (Cacheable(request, response,
                MakeETag("signed-date|" + product + "|" + company + "|" + FormatStored(newest)))) {
    return;
  }
  const std::string date = FormatClientDate(newest);
  SetSigned(response, update::kSignedDateKind, product, company, "", date, date);
}

void DefinitionServer::AnswerDifference(const httplib::Request& request,
                                        httplib::Response& response, bool signedAnswer) {
  const auto parameters = ParseQuery(RawQuery(request.target));
  if (!parameters || !HasBrand(*parameters)) {
    Fail(response, 400, "Bad request: prog, comp and date are expected");
    return;
  }
  const auto date = parameters->find("date");
  const std::optional<DateReading> reading =
      date == parameters->end() ? std::nullopt : ParseClientDate(date->second);
  if (!reading) {
    Fail(response, 400, "Bad request: date is no date");
    return;
  }
  Seconds newest = 0;
  if (!Newest(response, &newest)) return;

  std::string determinant = std::string("update|") + kUpdateFormat + "|" + FormatStored(newest) +
                            "|" + FormatStored(reading->earliest) + "|" +
                            FormatStored(reading->latest);
  // A signed answer also names the brand and the date exactly as the client wrote them.
  if (signedAnswer) {
    determinant = "signed-" + determinant + "|" + parameters->at("prog") + "|" +
                  parameters->at("comp") + "|" + date->second;
  }
  if (Cacheable(request, response, MakeETag(determinant))) return;

  // A client at or past the newest publish has everything.
  std::string update;
  if (reading->earliest < newest) {
    std::vector<EntryHistory> rows;
    if (!store_.LoadHistory(reading->earliest, &rows)) {
      Fail(response, 500, "The definitions cannot be read");
      return;
    }
    update = EncodeUpdate(ComputeDifference(rows, *reading));
  }
  if (!signedAnswer) {
    response.set_content(update, kAnswerType);
    return;
  }
  SetSigned(response, update::kSignedDifferenceKind, parameters->at("prog"),
            parameters->at("comp"), date->second, FormatClientDate(newest), update);
}

bool DefinitionServer::SetSigned(httplib::Response& response, const char* kind,
                                 const std::string& product, const std::string& company,
                                 const std::string& fromDate, const std::string& serverDate,
                                 const std::string& body) {
  const std::string signature = options_.signer->Sign(
      update::SignedMessage({kind, product, company, fromDate, serverDate, body}));
  if (signature.empty()) {
    Fail(response, 500, "The answer cannot be signed");
    return false;
  }
  response.set_content(update::FormatSignedAnswer({signature, serverDate, body}), kAnswerType);
  return true;
}

void DefinitionServer::Submission(const httplib::Request& request, httplib::Response& response) {
  // The client sends this one parameter and escapes nothing in its value, which may hold "&"
  // and "=" of scrambled names: everything after "data=" is the payload.
  const std::string_view query = RawQuery(request.target);
  std::string name(query.substr(0, 5));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::optional<std::vector<std::string>> names =
      name == "data=" ? ParseSubmission(DecodeQueryText(query.substr(5))) : std::nullopt;
  if (!names) {
    Fail(response, 400, "Bad request: data is no list of names");
    return;
  }
  bool anyNew = false;
  if (!names->empty() && !store_.RecordSubmission(*names, options_.clock(), &anyNew)) {
    Fail(response, 500, "The submission cannot be stored");
    return;
  }
  // A submission is a write: no cache may answer it in the server's place.
  response.set_header("Cache-Control", "no-store");
  response.set_content(anyNew ? "Added" : "Skipped", kAnswerType);
}

void DefinitionServer::Language(const httplib::Request& request, httplib::Response& response) {
  // Brand numbers are 16-bit; "021" is brand 21.
  const unsigned long brand = std::stoul(request.matches[1].str());
  if (brand > 65535) {
    Fail(response, 400, "Bad request: no brand number");
    return;
  }
  std::string content;
  FileRead read = ReadSmallFile(
      options_.languageFolder + "/" + std::to_string(brand) + "/Localization.txt", &content);
  if (read == FileRead::kMissing) {
    read = ReadSmallFile(options_.languageFolder + "/Localization.txt", &content);
  }
  if (read == FileRead::kMissing) {
    Fail(response, 404, "No language file");
    return;
  }
  if (read != FileRead::kRead) {
    Fail(response, 500, "The language file cannot be read");
    return;
  }
  if (Cacheable(request, response, MakeETag("language|" + content))) return;
  response.set_content(content, "text/plain; charset=utf-8");
}

bool DefinitionServer::Newest(httplib::Response& response, Seconds* newest) {
  std::optional<Seconds> date;
  if (!store_.NewestPublish(&date)) {
    Fail(response, 500, "The definitions cannot be read");
    return false;
  }
  if (!date) {
    Fail(response, 503, "No definitions have been published yet");
    return false;
  }
  *newest = *date;
  return true;
}

bool DefinitionServer::Cacheable(const httplib::Request& request, httplib::Response& response,
                                 const std::string& etag) {
  response.set_header("ETag", etag);
  response.set_header("Cache-Control", "public, max-age=" + std::to_string(options_.maxAgeSeconds));
  if (!NamesETag(request.get_header_value("If-None-Match"), etag)) return false;
  response.status = 304;
  return true;
}

}  // namespace defserver

#include "update/live_update.h"

#include "common/text.h"
#include "definitions/definition_files.h"
#include "update/definition_merge.h"
#include "update/http_client.h"

namespace update {

std::string CleanDateText(const std::string& text) {
  std::string cleaned;
  for (char c : common::Trim(text)) {
    if (c != '\t' && c != '\r' && c != '\n') cleaned += c;
  }
  std::size_t mark = common::FindNoCase(cleaned, "PM");
  if (mark == std::string::npos) mark = common::FindNoCase(cleaned, "AM");
  if (mark != std::string::npos) cleaned.resize(mark + 2);
  return cleaned;
}

std::string EscapeBlanks(const std::string& text) {
  return common::ReplaceAll(text, " ", "%20");
}

std::string DefinitionDownloadList(const std::string& website, const std::string& server) {
  std::string base;
  if (website == "YourWebsite.com") {
    base = server;
  } else {
    std::string host = common::ReplaceAllNoCase(website, "http://", "");
    host = host.substr(0, host.find('/'));
    if (common::FindNoCase(host, "www.") == std::string::npos) host = "www." + host;
    base = "http://" + host;
  }
  std::string list;
  for (const char* path :
       {"/definitions/version/R.HTM", "/definitions/version/F.HTM", "/definitions/version/E.HTM",
        "/definitions/version/C.HTM", "/definitions/data/BlockedCookies.dat",
        "/definitions/data/RegistryDefinition.dat", "/definitions/data/FileDefinition.dat",
        "/definitions/data/ExeDefinition.dat"}) {
    list += base + path + "\r\n";
  }
  return list;
}

std::string LiveUpdate::ServerDateUrl() const {
  return services_.server + "/asp/currentDateNEW.asp?prog=" + EscapeBlanks(services_.productName) +
         "&comp=" + EscapeBlanks(services_.companyName);
}

std::string LiveUpdate::DifferenceUrl(const std::string& localDate) const {
  // The date goes as the locale writes it, blanks and all: the server reads it that way.
  return services_.server + "/asp/getDefsNEW.asp?prog=" + EscapeBlanks(services_.productName) +
         "&comp=" + EscapeBlanks(services_.companyName) + "&date=" + localDate;
}

std::string LiveUpdate::NewDateUrl() const {
  return services_.server + "/asp/date.asp";
}

void LiveUpdate::Status(const std::string& text) {
  if (observer_.showStatus) observer_.showStatus(text);
}

void LiveUpdate::LetEventsRun() {
  if (observer_.letEventsRun) observer_.letEventsRun();
}

std::optional<double> LiveUpdate::ReadDate(const std::string& text) {
  return services_.machine.clock.ParseDate(CleanDateText(text));
}

std::int32_t LiveUpdate::CheckForNewDefinitions() {
  platform::Machine& machine = services_.machine;
  HttpClient http(machine.internet, [this] { LetEventsRun(); });
  const auto status = [this](const std::string& text) { Status(text); };
  refused_ = false;
  succeeded_ = false;

  if (observer_.openProgress) observer_.openProgress();
  Status("Connecting to the definition server, please wait.");
  LetEventsRun();

  // An unreadable date.dat counts as no date.dat: the definitions are taken to be as old as the
  // starter set, so the server sends everything newer.
  std::optional<double> local =
      ReadDate(definitions::ReadDefinitionsDate(machine.files, services_.dataFolder));
  if (!local) local = machine.clock.ParseDate(definitions::kDefaultDefinitionsDate);
  if (!services_.publicKey.empty()) return local ? CheckSigned(http, *local, status) : 0;

  const std::optional<double> server =
      ReadDate(http.GetUrlTextWithProgress(ServerDateUrl(), status));
  if (!local || !server) return 0;
  if (*server <= *local) {
    succeeded_ = true;
    return 0;
  }

  const std::string difference = http.GetUrlTextWithProgress(
      DifferenceUrl(machine.clock.FormatDate(*local)), status, kMaxUpdateTextBytes);
  // The date the server gives for what it sent; when that answer fails, its first date answer,
  // the date of the newest definitions, stands in.
  return Merge(http, difference, status, std::nullopt, *server);
}

std::int32_t LiveUpdate::CheckSigned(HttpClient& http, double local,
                                     const std::function<void(const std::string&)>& status) {
  platform::Clock& clock = services_.machine.clock;
  // No answer at all (no network, a server that is down) is no attack: as without a key, the
  // check ends without news. Anything that did arrive must be signed.
  const std::string dateText = http.GetUrlTextWithProgress(SignedUrl(ServerDateUrl()), status);
  if (dateText.empty()) return 0;
  const std::optional<SignedAnswer> dateAnswer = Verified(dateText, kSignedDateKind, "");
  if (!dateAnswer) return Refuse();
  const std::optional<double> server = ReadDate(dateAnswer->serverDate);
  // An older date is a replayed answer or a server rolled back: either would hold the program
  // at definitions it has already left behind.
  if (!server || *server < local) return Refuse();
  if (*server == local) {
    succeeded_ = true;
    return 0;
  }

  // The from-date is signed as sent, so the text goes once into the request and the check.
  const std::string localText = clock.FormatDate(local);
  const std::string differenceText = http.GetUrlTextWithProgress(
      SignedUrl(DifferenceUrl(localText)), status, kMaxUpdateTextBytes + kMaxSignedHeaderBytes);
  if (differenceText.empty()) return 0;
  const std::optional<SignedAnswer> differenceAnswer =
      Verified(differenceText, kSignedDifferenceKind, localText);
  if (!differenceAnswer) return Refuse();
  const std::optional<double> newDate = ReadDate(differenceAnswer->serverDate);
  if (!newDate || *newDate <= local) return Refuse();
  // The date stored is the one signed with the difference; no unsigned answer is asked for it.
  return Merge(http, differenceAnswer->body, status, newDate, *newDate);
}

std::optional<SignedAnswer> LiveUpdate::Verified(const std::string& text, const char* kind,
                                                 const std::string& fromDate) {
  std::optional<SignedAnswer> answer = ParseSignedAnswer(text);
  if (!answer) return std::nullopt;
  const std::string message =
      SignedMessage({kind, services_.productName, services_.companyName, fromDate,
                     answer->serverDate, answer->body});
  if (!services_.machine.signatures.Verify(services_.publicKey, message, answer->signature)) {
    return std::nullopt;
  }
  return answer;
}

std::int32_t LiveUpdate::Refuse() {
  refused_ = true;
  return 0;
}

std::int32_t LiveUpdate::Merge(HttpClient& http, const std::string& difference,
                               const std::function<void(const std::string&)>& status,
                               const std::optional<double>& newDate, double fallbackDate) {
  platform::Machine& machine = services_.machine;
  DefinitionMerge merge(machine.files, services_.dataFolder,
                        MergeObserver{status, [this] { LetEventsRun(); }});
  const MergeResult merged = merge.MergeDefinitionUpdate(difference);
  if (merged.changes <= 0) return merged.changes;
  if (!merged.complete) return merged.changes;
  succeeded_ = true;

  const double date =
      newDate ? *newDate : ReadDate(http.GetUrlText(NewDateUrl())).value_or(fallbackDate);
  const std::string newDateText = machine.clock.FormatDate(date);
  if (definitions::WriteDefinitionsDate(machine.files, services_.dataFolder, newDateText) &&
      observer_.showDefinitionsDate) {
    observer_.showDefinitionsDate(newDateText + " PST");
  }
  return merged.changes;
}

}  // namespace update

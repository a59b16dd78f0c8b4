#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/machine.h"
#include "update/signed_answer.h"

namespace update {

class HttpClient;

// A date answer of the server made fit for conversion: trimmed, tabs, CR and LF removed, and
// everything after the first "PM" (or, without one, the first "AM") cut off, any case.
std::string CleanDateText(const std::string& text);
// Blanks as "%20"; nothing else is escaped.
std::string EscapeBlanks(const std::string& text);

// The list the Live Update command shows with Shift held: where the definition files can be
// fetched by hand. The base is the website's host ("http://" and everything from the first "/"
// dropped, "www." put in front when missing) or, for the unbranded build, the definition server.
std::string DefinitionDownloadList(const std::string& website, const std::string& server);

// How an update shows itself: the progress window opened, its status text, window messages let
// run, and the new definitions date for the status page.
struct LiveUpdateObserver {
  std::function<void()> openProgress;
  std::function<void(const std::string&)> showStatus;
  std::function<void()> letEventsRun;
  std::function<void(const std::string&)> showDefinitionsDate;
};

// One Live Update against the definition server: compares the server's date with date.dat,
// fetches and merges the difference when the server is newer, and then stores the new date.
class LiveUpdate {
 public:
  struct Services {
    platform::Machine& machine;
    std::string dataFolder;
    std::string server;  // base address, without "/" at the end
    std::string productName;
    std::string companyName;
    // The key the server's answers must be signed with (raw, as Signatures takes it). Empty: the
    // answers are taken unsigned, as the protocol has always had them.
    std::string publicKey = {};
  };
  LiveUpdate(Services services, LiveUpdateObserver observer)
      : services_(std::move(services)), observer_(std::move(observer)) {}

  // The number of changes merged (0 when nothing was).
  std::int32_t CheckForNewDefinitions();
  // With a key: the last check was turned away because an answer was unsigned, badly signed,
  // signed for another request, or older than the installed definitions. Nothing was merged and
  // the definitions date was kept.
  bool Refused() const { return refused_; }
  // The last check reached the server and ended well: its date was read (and, with a key,
  // verified) and was not newer, or the difference was merged whole.
  bool Succeeded() const { return succeeded_; }

  // The three requests.
  std::string ServerDateUrl() const;
  std::string DifferenceUrl(const std::string& localDate) const;
  std::string NewDateUrl() const;

 private:
  std::optional<double> ReadDate(const std::string& text);
  // The signed protocol: the same requests on their signed paths, each answer checked before
  // anything in it is used.
  std::int32_t CheckSigned(HttpClient& http, double local,
                           const std::function<void(const std::string&)>& status);
  // The answer when it is well formed and signed with the key for this very request.
  std::optional<SignedAnswer> Verified(const std::string& text, const char* kind,
                                       const std::string& fromDate);
  std::int32_t Refuse();
  // Merges a difference; stores `newDate` when every changed file was put in place.
  std::int32_t Merge(HttpClient& http, const std::string& difference,
                     const std::function<void(const std::string&)>& status,
                     const std::optional<double>& newDate, double fallbackDate);
  void Status(const std::string& text);
  void LetEventsRun();

  Services services_;
  LiveUpdateObserver observer_;
  bool refused_ = false;
  bool succeeded_ = false;
};

// The automatic update's count of idle seconds: true on the tick that should run the update,
// once 300 ticks without a scan have passed. The count stands still while a scan runs.
class AutoUpdateCounter {
 public:
  bool Tick(bool scanIdle) {
    if (!scanIdle) return false;
    if (ticks_ > 299) {
      ticks_ = 0;
      return true;
    }
    ++ticks_;
    return false;
  }

 private:
  int ticks_ = 0;
};

}  // namespace update

#pragma once

#include <functional>
#include <string>

#include "platform/processes.h"

namespace submission {

// The running programs' names for the definition server: each process's name scrambled, in the
// order the management service lists them, joined with "|"; every running copy adds its name.
// The system's own programs and the browsers are never sent. "" when there is nothing to send,
// also when the service cannot be reached.
std::string ListRunningPrograms(platform::Processes& processes);

// A typed file or threat name as it is sent: scrambled, followed by one "|".
std::string TypedNamePayload(const std::string& name);

// The submission address: the definition server's base address and the payload as it is, with
// no further encoding.
std::string SubmissionAddress(const std::string& definitionServer, const std::string& payload);

// The server took the names: its reply holds "Added" or "Skipped" (in any letter case).
bool IsAcceptedReply(const std::string& reply);

// Sends names to the definition server. `fetchText` is the program's text download (""
// when it failed).
class Submission {
 public:
  Submission(std::string definitionServer,
             std::function<std::string(const std::string& url)> fetchText)
      : server_(std::move(definitionServer)), fetchText_(std::move(fetchText)) {}

  // Sends the running programs' names when there are any; the reply is of no interest.
  void SubmitRunningPrograms(platform::Processes& processes);
  // Sends a typed name (an empty one too); true when the server took it.
  bool SubmitName(const std::string& name);

 private:
  std::string server_;
  std::function<std::string(const std::string& url)> fetchText_;
};

}  // namespace submission

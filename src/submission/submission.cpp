#include "submission/submission.h"

#include <array>
#include <string_view>

#include "common/text.h"
#include "definitions/line_codec.h"

namespace submission {
namespace {

// Never sent: they run on every machine (the comparison is exact).
constexpr std::array<std::string_view, 8> kNeverSent = {
    "System",       "System Idle Process", "winlogon.exe", "services.exe",
    "svchost.exe",  "explorer.exe",        "firefox.exe",  "iexplore.exe",
};

bool IsNeverSent(const std::string& name) {
  for (std::string_view never : kNeverSent) {
    if (name == never) return true;
  }
  return false;
}

}  // namespace

std::string ListRunningPrograms(platform::Processes& processes) {
  const auto names = processes.ManagementProcessNames();
  if (!names) return {};
  std::string payload;
  for (const std::string& name : *names) {
    if (IsNeverSent(name)) continue;
    if (!payload.empty()) payload += '|';
    payload += definitions::ScrambleText(name);
  }
  return payload;
}

std::string TypedNamePayload(const std::string& name) {
  return definitions::ScrambleText(name) + "|";
}

std::string SubmissionAddress(const std::string& definitionServer, const std::string& payload) {
  return definitionServer + "/asp/getData.asp?data=" + payload;
}

bool IsAcceptedReply(const std::string& reply) {
  return common::FindNoCase(reply, "Skipped") != std::string::npos ||
         common::FindNoCase(reply, "Added") != std::string::npos;
}

void Submission::SubmitRunningPrograms(platform::Processes& processes) {
  const std::string payload = ListRunningPrograms(processes);
  if (payload.empty()) return;
  fetchText_(SubmissionAddress(server_, payload));
}

bool Submission::SubmitName(const std::string& name) {
  return IsAcceptedReply(fetchText_(SubmissionAddress(server_, TypedNamePayload(name))));
}

}  // namespace submission

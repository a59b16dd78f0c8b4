#include "protection/memory_shield.h"

#include <unordered_set>

#include "scan/process_scan.h"

namespace protection {

MemoryShield::MemoryShield(Services services) : services_(std::move(services)) {}

void MemoryShield::Tick() {
  if (running_) return;
  if (!services_.shieldOn()) return;
  running_ = true;
  services_.setBackgroundTimers(false);
  ForgetEndedProcesses();
  services_.runProcessStage([this](const std::string& fileName, const std::string& companyText,
                                   std::uint32_t pid) { AskAbout(fileName, companyText, pid); });
  services_.setBackgroundTimers(true);
  running_ = false;
}

void MemoryShield::AskAbout(const std::string& fileName, const std::string& companyText,
                            std::uint32_t pid) {
  if (services_.ending()) return;
  if (unstoppable_.count({pid, fileName}) != 0) return;
  if (services_.askUser(fileName, companyText, pid) == frmSpywareFoundAlert::Answer::NotStopped) {
    unstoppable_.emplace(pid, fileName);
  }
}

void MemoryShield::ForgetEndedProcesses() {
  if (unstoppable_.empty()) return;
  const scan::ProcessList list = scan::ListProcesses(services_.processes, "", true);
  if (list.count < 0) return;
  const std::unordered_set<std::uint32_t> running(list.ids.begin(), list.ids.end());
  std::erase_if(unstoppable_, [&](const auto& entry) { return running.count(entry.first) == 0; });
}

}  // namespace protection

#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scan/stage_harness.h"
#include "scan/stages.h"

namespace scan_test {

// The stage harness with what the process and cookie stages need besides: the running-programs
// label, a switch between a user's scan and a shield run, the question a shield run asks
// (recorded, then passed on to `ask` when set), the main window's lock calls, and the 9x
// family's kept definitions.
class MemoryHarness : public StageHarness {
 public:
  using StageHarness::StageHarness;

  scan::ScanContext Context() {
    Prepare();
    scan::ScanContext context = StageHarness::Context();
    context.userScan = [this] { return !shieldRun; };
    context.runningItems = &runningItems;
    context.lockMainWindow = [this](bool lock) { lockCalls.push_back(lock); };
    context.askAboutProcess = [this](const std::string& fileName, const std::string& company,
                                     std::uint32_t pid) {
      asked.emplace_back(fileName, company);
      if (ask) ask(fileName, company, pid);
    };
    context.keptProcessDefinitions = &keptDefinitions;
    return context;
  }
  void RunMemory() {
    scan::ScanContext context = Context();
    scan::ScanMemory(context);
  }
  void RunCookies() {
    scan::ScanContext context = Context();
    scan::ScanCookies(context);
  }

  ui::Label runningItems{form, Named("running", "0")};
  bool shieldRun = false;
  std::vector<std::pair<std::string, std::string>> asked;
  std::function<void(const std::string&, const std::string&, std::uint32_t)> ask;
  std::vector<bool> lockCalls;
  std::string keptDefinitions;
};

}  // namespace scan_test

#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "platform/sim/sim_machine.h"

namespace reliability_test {

using platform::sim::CallKind;
using platform::sim::Fault;
using platform::sim::SimMachine;

inline const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kAccessDenied:
      return "access denied";
    case Fault::kSharingViolation:
      return "sharing violation";
    case Fault::kDiskFull:
      return "disk full";
    case Fault::kPathNotFound:
      return "path not found";
    case Fault::kShortRead:
      return "short read";
    case Fault::kPowerCut:
      return "power cut";
  }
  return "?";
}

inline const char* KindName(CallKind kind) {
  switch (kind) {
    case CallKind::kFile:
      return "file";
    case CallKind::kRegistry:
      return "registry";
    case CallKind::kNetwork:
      return "network";
    case CallKind::kAny:
      return "any";
  }
  return "?";
}

// A scenario to walk: the machine it starts from, what the program does on it, and what must
// hold afterwards. After a power cut `check` finds the machine as the cut left it, with its
// faults cleared, so that it can start a fresh program there.
struct FaultScenario {
  std::function<void(SimMachine&)> setUp;
  std::function<void(SimMachine&)> run;
  std::function<void(SimMachine&, const std::string& where)> check;
};

// Runs the scenario once to count its calls of the kind, then once on a fresh machine for each
// of them with that call failing with the fault. Returns the number of calls walked (at least
// one is expected: a walk over nothing proves nothing).
inline int WalkFaults(const FaultScenario& scenario, CallKind kind, Fault fault) {
  int calls = 0;
  {
    auto sim = std::make_unique<SimMachine>();
    scenario.setUp(*sim);
    sim->faults.ResetCounts();
    scenario.run(*sim);
    calls = sim->faults.Calls(kind);
    scenario.check(*sim, "without a fault");
  }
  for (int n = 1; n <= calls; ++n) {
    auto sim = std::make_unique<SimMachine>();
    scenario.setUp(*sim);
    sim->faults.ResetCounts();
    sim->faults.FailCall(kind, n, fault);
    const std::string where = std::string(FaultName(fault)) + " at " + KindName(kind) + " call " +
                              std::to_string(n) + " of " + std::to_string(calls);
    try {
      scenario.run(*sim);
    } catch (const platform::sim::PowerCut&) {
    }
    EXPECT_TRUE(sim->faults.Fired()) << where << ": the run took another way";
    sim->faults.Clear();
    sim->faults.ResetCounts();
    scenario.check(*sim, where);
    if (::testing::Test::HasFatalFailure()) break;
  }
  return calls;
}

// Every fault at every call of every kind the scenario makes.
inline void WalkEveryFault(const FaultScenario& scenario,
                           std::initializer_list<CallKind> kinds = {
                               CallKind::kFile, CallKind::kRegistry, CallKind::kNetwork}) {
  int walked = 0;
  for (const CallKind kind : kinds) {
    int calls = 0;
    for (const Fault fault : {Fault::kAccessDenied, Fault::kSharingViolation, Fault::kDiskFull,
                              Fault::kPathNotFound, Fault::kShortRead, Fault::kPowerCut}) {
      calls = WalkFaults(scenario, kind, fault);
      walked += calls;
    }
    std::printf("fault walk: %d %s calls, each with 6 faults\n", calls, KindName(kind));
  }
  EXPECT_GT(walked, 0) << "the scenario made no call that could fail";
}

}  // namespace reliability_test

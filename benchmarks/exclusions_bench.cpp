// The exclusion list is asked about every finding of a scan, so a user who has excluded tens of
// thousands of findings must not make each test slower: IsExcluded looks the text up in an
// index and should cost the same at 10 entries as at 100,000. IsExcludedPartial (the folder
// scan's test) has to look inside every entry and grows with the list; it is here for contrast.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "common/text_file.h"
#include "definitions/exclusions.h"
#include "platform/sim/sim_machine.h"

namespace {

using platform::sim::kSimDataFolder;

// Paths of the length and shape the file scan reports.
std::string Entry(std::int64_t i) {
  return "C:\\Program Files\\Vendor " + std::to_string(i) + "\\Toolbar\\module" +
         std::to_string(i) + ".dll";
}

// A simulated machine whose exclusion file holds count entries, loaded as at start-up.
class LoadedList {
 public:
  explicit LoadedList(std::int64_t count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) lines.push_back(Entry(i));
    sim_.files.AddFile(std::string(kSimDataFolder) + "\\ENoSignature.dat",
                       common::JoinLines(lines));
    exclusions_.LoadExclusions(kSimDataFolder);
  }
  const definitions::Exclusions& exclusions() const { return exclusions_; }

 private:
  platform::sim::SimMachine sim_;
  definitions::Exclusions exclusions_{sim_.files};
};

// Several texts spread over the list, in another letter case than written, so that one cached
// bucket does not stand for every look-up.
std::vector<std::string> Hits(std::int64_t count) {
  std::vector<std::string> probes;
  for (std::int64_t k = 0; k < 16; ++k) probes.push_back(common::UpperCase(Entry(k * count / 16)));
  return probes;
}

std::vector<std::string> Misses() {
  std::vector<std::string> probes;
  for (int k = 0; k < 16; ++k) {
    probes.push_back("C:\\Program Files\\Other " + std::to_string(k) + "\\Toolbar\\module.dll");
  }
  return probes;
}

template <class Test>
void Run(benchmark::State& state, const std::vector<std::string>& probes, Test test) {
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(test(probes[next]));
    next = (next + 1) % probes.size();
  }
  state.SetComplexityN(state.range(0));
}

void BM_IsExcluded_Hit(benchmark::State& state) {
  const LoadedList list(state.range(0));
  Run(state, Hits(state.range(0)),
      [&](const std::string& text) { return list.exclusions().IsExcluded(text); });
}

void BM_IsExcluded_Miss(benchmark::State& state) {
  const LoadedList list(state.range(0));
  Run(state, Misses(), [&](const std::string& text) { return list.exclusions().IsExcluded(text); });
}

void BM_IsExcludedPartial_Miss(benchmark::State& state) {
  const LoadedList list(state.range(0));
  Run(state, Misses(),
      [&](const std::string& text) { return list.exclusions().IsExcludedPartial(text); });
}

// Fitted to the growth each should have; the RMS line says how far the figures stray from it
// (a large table costs some cache misses, which is not growth with the number of entries).
BENCHMARK(BM_IsExcluded_Hit)->Arg(10)->Arg(1000)->Arg(100000)->Complexity(benchmark::o1);
BENCHMARK(BM_IsExcluded_Miss)->Arg(10)->Arg(1000)->Arg(100000)->Complexity(benchmark::o1);
BENCHMARK(BM_IsExcludedPartial_Miss)->Arg(10)->Arg(1000)->Arg(100000)->Complexity(benchmark::oN);

}  // namespace

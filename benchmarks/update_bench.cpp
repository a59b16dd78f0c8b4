// Live Update must stay linear in the size of what it touches: a merge reads and rewrites each
// changed definition file once, and the server computes a difference from the stored history in
// one pass. Each benchmark runs at a size and at ten times that size; the two times should differ
// by about ten (Google Benchmark's complexity estimate says "N" when they do).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <httplib.h>

#include "definition_server.h"
#include "definitions/definition_files.h"
#include "platform/sim/sim_machine.h"
#include "store.h"
#include "update/definition_merge.h"
#include "update/update_text.h"

namespace {

using platform::sim::kSimDataFolder;
using update_test::Record;
using update_test::SentEntry;

std::string FileEntry(std::int64_t i) {
  return "module" + std::to_string(i) + ".dll=Threat " + std::to_string(i % 500) +
         "|[ProgramFiles]\\Vendor " + std::to_string(i);
}

std::string RegistryEntry(std::int64_t i) {
  return "HKLM\\Software\\Vendor " + std::to_string(i) + "=Threat " + std::to_string(i % 500);
}

// Definition files of `lines` lines in all (half file, half registry entries), and an update of
// `lines / 10` records: additions to both files and, one in ten, deletions of existing keys.
void BM_MergeDefinitionUpdate(benchmark::State& state) {
  const std::int64_t lines = state.range(0);
  const std::int64_t records = lines / 10;
  std::vector<std::string> files;
  std::vector<std::string> registry;
  for (std::int64_t i = 0; i < lines / 2; ++i) {
    files.push_back(FileEntry(i));
    registry.push_back(RegistryEntry(i));
  }
  const std::string storedFiles = update_test::StoredFile(files);
  const std::string storedRegistry = update_test::StoredFile(registry);
  std::string text;
  for (std::int64_t i = 0; i < records; ++i) {
    if (i % 10 == 9) {
      text += Record("REG", "DEL", definitions::ScrambleText(RegistryEntry(i * 3).substr(
                                       0, RegistryEntry(i * 3).find('='))));
    } else if (i % 2 == 0) {
      text += Record("FILE", "ADD", SentEntry(FileEntry(lines + i)));
    } else {
      text += Record("REG", "ADD", SentEntry(RegistryEntry(lines + i)));
    }
  }

  for (auto _ : state) {
    state.PauseTiming();
    platform::sim::SimMachine sim;
    sim.files.AddFile(definitions::DataFilePath(kSimDataFolder, "FileDefinition.dat"),
                      storedFiles);
    sim.files.AddFile(definitions::DataFilePath(kSimDataFolder, "RegistryDefinition.dat"),
                      storedRegistry);
    update::DefinitionMerge merge(sim.files, kSimDataFolder, update::MergeObserver{});
    state.ResumeTiming();
    const update::MergeResult result = merge.MergeDefinitionUpdate(text);
    if (!result.complete) state.SkipWithError("the merge did not complete");
    benchmark::DoNotOptimize(result);
  }
  state.SetComplexityN(lines);
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_MergeDefinitionUpdate)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A server whose database holds a starter set and a publish of `records` new entries; the
// difference asked for is from the starter date, so every new entry is sent.
void BM_ServerDifference(benchmark::State& state) {
  const std::int64_t records = state.range(0);
  const std::filesystem::path database =
      std::filesystem::temp_directory_path() /
      ("update_bench_" + std::to_string(records) + ".sqlite");
  std::filesystem::remove(database);
  std::string error;
  std::unique_ptr<defserver::Store> store = defserver::Store::Open(database.string(), true, &error);
  if (!store) {
    state.SkipWithError(error.c_str());
    return;
  }
  defserver::DefinitionSet starter;
  starter[defserver::Kind::kFile] = {FileEntry(0)};
  defserver::DefinitionSet published = starter;
  for (std::int64_t i = 1; i <= records; ++i) {
    (i % 2 ? published[defserver::Kind::kFile] : published[defserver::Kind::kRegistry])
        .push_back(i % 2 ? FileEntry(i) : RegistryEntry(i));
  }
  const defserver::Seconds first = *defserver::ParseStored("2006-03-16 00:00:00");
  const defserver::Seconds second = *defserver::ParseStored("2006-04-01 16:15:00");
  defserver::Store::PublishCounts counts;
  if (store->Publish(first, starter, &counts, &error) != defserver::Store::PublishOutcome::kPublished ||
      store->Publish(second, published, &counts, &error) !=
          defserver::Store::PublishOutcome::kPublished) {
    state.SkipWithError(("publish failed: " + error).c_str());
    return;
  }
  defserver::DefinitionServer server(*store, defserver::ServerOptions{});
  httplib::Request request;
  std::string date = defserver::FormatClientDate(first + 60);
  for (std::size_t at = date.find(' '); at != std::string::npos; at = date.find(' '))
    date.replace(at, 1, "%20");
  request.target = "/asp/getDefsNEW.asp?prog=1&comp=1&date=" + date;
  std::size_t bytes = 0;
  for (auto _ : state) {
    httplib::Response response;
    server.Difference(request, response);
    if (response.status != 200 && response.status != -1) {
      state.SkipWithError(("status " + std::to_string(response.status)).c_str());
      break;
    }
    bytes = response.body.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetComplexityN(records);
  state.counters["bytes"] = static_cast<double>(bytes);
  store.reset();
  std::filesystem::remove(database);
}
BENCHMARK(BM_ServerDifference)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

// The exclusion file (ENoSignature.dat) as the scan loads it, looked up and added to.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "platform/sim/sim_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string probe = input.ConsumeRandomLengthString(64);
  const std::string file = input.ConsumeRemainingBytesAsString();

  platform::sim::SimFiles files;
  files.AddFolder("C:\\Data");
  files.AddFile(definitions::DataFilePath("C:\\Data", definitions::kExclusionFile), file);
  definitions::Exclusions exclusions(files);
  exclusions.LoadExclusions("C:\\Data");
  exclusions.IsExcluded(probe);
  exclusions.IsExcludedPartial(probe);
  // An entry added is found again, whatever the file held before, unless it holds what splits
  // entries or lines.
  const bool oneEntry = probe.find_first_of("|\r\n") == std::string::npos &&
                        probe.find_first_not_of(' ') != std::string::npos;
  if (exclusions.AddExclusion("C:\\Data", probe) && oneEntry && !exclusions.IsExcluded(probe)) {
    std::abort();
  }
  return 0;
}

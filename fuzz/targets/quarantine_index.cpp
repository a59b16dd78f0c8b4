// The quarantine's index and log as the Restore window lists them, and a restore and a purge of
// what they list: a file edited by hand must not crash the program or reach outside the quarantine.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "removal/quarantine.h"
#include "removal/quarantine_index.h"
#include "removal/quarantine_restore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string log = input.ConsumeRandomLengthString(4096);
  const std::string index = input.ConsumeRemainingBytesAsString();

  platform::sim::SimMachine sim;
  const std::string dataFolder = platform::sim::kSimDataFolder;
  removal::Quarantine quarantine{sim.machine, dataFolder};
  const std::string folder = quarantine.Folder();
  sim.files.AddFile(folder + "\\QuarantineLog.txt", log);
  sim.files.AddFile(folder + "\\" + removal::QuarantineIndex::kFileName, index);
  sim.files.AddFile(folder + "\\copy.txt", "copy");
  // What lies outside the quarantine must stay as it is, whatever the index names.
  sim.files.AddFile("C:\\Outside\\keep.txt", "keep");

  definitions::ProtectedPaths protectedPaths{sim.machine};
  removal::QuarantineRestore restore{sim.machine, quarantine, quarantine.Index(), protectedPaths};
  for (const removal::QuarantineEntry& entry : quarantine.Index().List()) {
    restore.Restore(entry, false);
    restore.Purge(entry);
  }
  restore.QuarantineSize();
  if (sim.files.FileContent("C:\\Outside\\keep.txt") != "keep") std::abort();
  return 0;
}

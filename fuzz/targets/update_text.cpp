// An update text from the definition server, parsed and merged into a data folder that holds a
// small set of definition files. Whatever the text, every definition file must afterwards be
// readable and temp.dat must be gone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "definitions/definition_files.h"
#include "definitions/protected_paths.h"
#include "platform/sim/sim_files.h"
#include "update/definition_merge.h"

namespace {

constexpr const char* kDataFolder = "C:\\Data";

void Seed(platform::sim::SimFiles& files) {
  files.AddFolder(kDataFolder);
  for (const char* name : definitions::kDefinitionFiles) {
    files.AddFile(definitions::DataFilePath(kDataFolder, name), "dhhqfqe.yyy=Qbsb|[qmbj]\r\n");
  }
  files.AddFile(definitions::DataFilePath(kDataFolder, definitions::kSafetyFile), "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  update::ParseUpdateText(text);

  platform::sim::SimFiles files;
  Seed(files);
  update::DefinitionMerge merge(files, kDataFolder, {});
  merge.MergeDefinitionUpdate(text);
  for (const char* name : definitions::kDefinitionFiles) {
    if (!files.ReadAll(definitions::DataFilePath(kDataFolder, name))) std::abort();
  }
  if (files.FileSize(definitions::DataFilePath(kDataFolder, definitions::kTempFile))) std::abort();
  return 0;
}

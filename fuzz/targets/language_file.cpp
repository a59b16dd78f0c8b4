// The language file (Localization.txt) in the program folder, as the language menu lists its
// languages and a window takes its translations.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "localization/cls_languages.h"
#include "platform/sim/sim_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string key = input.ConsumeRandomLengthString(24);
  const std::string file = input.ConsumeRemainingBytesAsString();

  // One machine for every input: making one is most of the time a run would take otherwise.
  static platform::sim::SimMachine sim;
  sim.files.AddFile(sim.system.ProgramFolder() + "\\" + localization::kLanguageFileName, file);
  localization::clsLanguages languages(sim.machine);
  languages.SetBranding("Product", "Company", "example.com");
  languages.setMessage("MSG_STOP", "Stop");
  for (const std::string& name : languages.LanguageNames()) {
    languages.LoadLanguage(name);
    languages.TranslateKey(key);
    languages.TranslateKey("MSG_STOP");
    languages.TranslateMessages(name);
    languages.getMessages("MSG_STOP");
  }
  languages.LoadLanguage(key);
  return 0;
}

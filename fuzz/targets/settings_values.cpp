// Texts read back from the settings stores: truth values and numbers, written by this program
// or by anyone who edits the registry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const auto flag = app::ReadBool(text)) {
    if (app::ReadBool(app::BoolText(*flag)) != flag) std::abort();
  }
  if (const auto number = app::ReadNumber(text)) {
    if (app::ReadNumber(std::to_string(*number)) != number) std::abort();
  }
  return 0;
}

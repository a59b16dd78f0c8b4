// A date answer of the definition server, as Live Update cleans and reads it, and the date
// texts the program reads back from date.dat and its settings. A date that reads must format
// and read again to the same day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/dates.h"
#include "update/live_update.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string cleaned = update::CleanDateText(text);
  for (const std::string& candidate : {text, cleaned}) {
    if (const auto date = common::ParseDateEnUs(candidate)) {
      const auto again = common::ParseDateEnUs(common::FormatDateEnUs(*date));
      if (!again || static_cast<long long>(*again) != static_cast<long long>(*date)) std::abort();
    }
    if (const auto date = common::ParseDateDeDe(candidate)) {
      common::FormatDateDeDe(*date);
    }
  }
  update::EscapeBlanks(text);
  return 0;
}

// A cookie file of the browser's cookie folder: its name and content read for the host, which
// is then reduced and compared with the blocked cookies.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/sim_files.h"
#include "scan/cookie_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::string name = input.ConsumeRandomLengthString(40);
  for (char& c : name) {
    if (c == '\\' || c == '/' || c == '\0' || c == '*' || c == '?') c = '_';
  }
  const std::string content = input.ConsumeRemainingBytesAsString();

  platform::sim::SimFiles files;
  files.AddFolder("C:\\Cookies");
  const std::string path = "C:\\Cookies\\" + name + ".txt";
  files.AddFile(path, content);
  scan::GetCookieFileDomain(path);
  const std::string host = scan::GetCookieHost(files, path, {});
  const std::string reduced = scan::ReduceCookieHost(host);
  scan::IsBlockedCookie({"doubleclick", reduced, ""}, reduced);
  return 0;
}

// A program file's version block, read for the company name that tells a system file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sim/sim_files.h"
#include "scan/company_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::sim::SimFiles files;
  files.AddFolder("C:\\Programs");
  files.AddFile("C:\\Programs\\tool.exe", std::string(reinterpret_cast<const char*>(data), size));
  scan::IsSystemMaker(scan::GetFileCompanyName(files, "C:\\Programs\\tool.exe"));
  return 0;
}

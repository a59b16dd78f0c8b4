#include "platform/win32/win32_libraries.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

LibraryLookup Win32Libraries::LookUpEntryPoint(const std::string& path, const std::string& entry) {
  LibraryLookup result;
  // No DllMain, no TLS callbacks, no imports: mapping the image is all that happens.
  const UniqueModule module(LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
  if (!module) return result;
  result.loaded = true;
  result.found = !entry.empty() && GetProcAddress(module.Get(), entry.c_str()) != nullptr;
  return result;
}

}  // namespace platform::win32

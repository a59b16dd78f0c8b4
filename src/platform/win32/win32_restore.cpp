#include "platform/win32/win32_restore.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

#include <srrestoreptapi.h>

namespace platform::win32 {
namespace {

using SetRestorePointFunction = BOOL(WINAPI*)(PRESTOREPOINTINFOA, PSTATEMGRSTATUS);

// srclient.dll in the system folder: the bare name would be looked for in the program's folder
// first, and a library planted there would run with the scanner's rights.
std::string SystemLibraryPath(const char* name) {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return name;
  return std::string(folder, length) + "\\" + name;
}

}  // namespace

RestorePointResult Win32Restore::SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                                 std::int64_t sequence,
                                                 const std::string& description) {
  RestorePointResult result;
  const UniqueModule library(LoadLibraryA(SystemLibraryPath("srclient.dll").c_str()));
  if (library.Get() == nullptr) {
    result.status = GetLastError();
    return result;
  }
  const auto setRestorePoint = reinterpret_cast<SetRestorePointFunction>(
      reinterpret_cast<void*>(GetProcAddress(library.Get(), "SRSetRestorePointA")));
  if (setRestorePoint == nullptr) {
    result.status = GetLastError();
    return result;
  }
  RESTOREPOINTINFOA request{};
  request.dwEventType = eventType;
  request.dwRestorePtType = pointType;
  request.llSequenceNumber = sequence;
  // The field is read as a NUL-terminated string and is the last of the request, so a full
  // field without its NUL would be read past its end.
  std::memcpy(request.szDescription, description.data(),
              std::min<std::size_t>(description.size(), MAX_DESC - 1));
  STATEMGRSTATUS status{};
  result.ok = setRestorePoint(&request, &status) != FALSE;
  result.status = status.nStatus;
  result.sequence = status.llSequenceNumber;
  return result;
}

}  // namespace platform::win32

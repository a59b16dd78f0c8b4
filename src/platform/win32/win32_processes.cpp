#include "platform/win32/windows_api.h"

#include "platform/win32/win32_processes.h"

#include <cstring>

// psapi.dll's own functions, which every Windows version has, rather than the kernel32 copies
// of Windows 7 (whose macros would also rename this class's EnumProcesses).
#define PSAPI_VERSION 1
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {

namespace {

// Module handles asked for; only the first (the program's own file) is used.
constexpr DWORD kModuleRoom = 50;
// The module name buffers hold 260 characters.
constexpr DWORD kNameRoom = MAX_PATH;

UniqueHandle Open(DWORD access, std::uint32_t pid) {
  return UniqueHandle(OpenProcess(access, FALSE, pid));
}

// The first module of a process opened for query and read; null when it cannot be had.
HMODULE FirstModule(HANDLE process) {
  HMODULE modules[kModuleRoom] = {};
  DWORD needed = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &needed) || needed == 0) {
    return nullptr;
  }
  return modules[0];
}

}  // namespace

std::optional<std::uint32_t> Win32Processes::EnumProcesses(std::vector<std::uint32_t>& ids) {
  static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
  DWORD written = 0;
  if (!::EnumProcesses(reinterpret_cast<DWORD*>(ids.data()),
                       static_cast<DWORD>(ids.size() * sizeof(DWORD)), &written)) {
    return std::nullopt;
  }
  return written;
}

std::optional<std::string> Win32Processes::ModuleBaseName(std::uint32_t pid) {
  const UniqueHandle process = Open(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, pid);
  if (!process.IsValid()) return std::nullopt;
  const HMODULE module = FirstModule(process.Get());
  if (module == nullptr) return std::nullopt;
  char name[kNameRoom] = {};
  GetModuleBaseNameA(process.Get(), module, name, kNameRoom);
  return std::string(name, strnlen(name, kNameRoom));
}

std::optional<std::string> Win32Processes::ModuleFileName(std::uint32_t pid) {
  const UniqueHandle process = Open(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, pid);
  if (!process.IsValid()) return std::nullopt;
  const HMODULE module = FirstModule(process.Get());
  if (module == nullptr) return std::nullopt;
  char path[kNameRoom] = {};
  const DWORD length = GetModuleFileNameExA(process.Get(), module, path, kNameRoom);
  return std::string(path, length < kNameRoom ? length : kNameRoom);
}

std::vector<ProcessEntry> Win32Processes::Snapshot(std::uint32_t flags) {
  std::vector<ProcessEntry> entries;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(flags, 0));
  if (!snapshot.IsValid()) return entries;
  // The record's size is this platform's own (a 64-bit program's record is larger than the
  // 296 bytes of a 32-bit one; the call refuses any other size).
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more;
       more = Process32Next(snapshot.Get(), &entry)) {
    ProcessEntry item;
    item.pid = entry.th32ProcessID;
    const std::size_t length = strnlen(entry.szExeFile, MAX_PATH);
    if (length < MAX_PATH) item.exeFile.assign(entry.szExeFile, length);
    entries.push_back(std::move(item));
    std::memset(entry.szExeFile, 0, sizeof entry.szExeFile);
  }
  return entries;
}

bool Win32Processes::TerminateProcess(std::uint32_t pid, std::uint32_t exitCode) {
  const UniqueHandle process = Open(kProcessAllAccess, pid);
  if (!process.IsValid()) return false;
  return ::TerminateProcess(process.Get(), exitCode) != FALSE;
}

bool Win32Processes::WaitForExit(std::uint32_t pid, std::uint32_t timeoutMs) {
  const UniqueHandle process = Open(SYNCHRONIZE, pid);
  // An id that names no process any more is refused as an invalid parameter.
  if (!process.IsValid()) return GetLastError() == ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void Win32Processes::KillProcess(std::uint32_t pid) {
  const UniqueHandle process = Open(PROCESS_TERMINATE, pid);
  if (!process.IsValid()) return;
  DWORD exitCode = 0;
  GetExitCodeProcess(process.Get(), &exitCode);
  ::TerminateProcess(process.Get(), exitCode);
}

bool Win32Processes::SetDebugPrivilege(bool enable) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
    return false;
  }
  const UniqueHandle token(rawToken);
  TOKEN_PRIVILEGES privileges{};
  if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
    return false;
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof privileges, nullptr,
                               nullptr) != FALSE;
}

std::string Win32Processes::SystemDirectory() {
  char folder[256] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  return std::string(folder, length);
}

}  // namespace platform::win32

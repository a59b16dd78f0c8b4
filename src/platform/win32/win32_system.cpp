#include "platform/win32/win32_system.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

// The full path of the running executable; empty if it cannot be had.
std::string ModulePath() {
  std::string path(MAX_PATH, '\0');
  while (path.size() <= 32768) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A name that does not fit fills the buffer exactly (and XP leaves it unterminated).
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
  return {};
}

// One string of the version block from the first string table that has it.
std::string VersionString(std::vector<char>& block, const std::vector<std::string>& tables,
                          const char* field) {
  for (const std::string& table : tables) {
    const std::string query = "\\StringFileInfo\\" + table + "\\" + field;
    void* text = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), query.c_str(), &text, &length) && text != nullptr) {
      // The length counts characters and, depending on the resource compiler, the zero too.
      const char* chars = static_cast<const char*>(text);
      return std::string(chars, strnlen(chars, length));
    }
  }
  return {};
}

}  // namespace

bool Win32System::GetVersion(OsVersion* version) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return false;
  version->platformId = info.dwPlatformId;
  version->major = info.dwMajorVersion;
  version->minor = info.dwMinorVersion;
  return true;
}

OwnVersionInfo Win32System::GetOwnVersionInfo() {
  OwnVersionInfo info;
  const std::string path = ModulePath();
  DWORD ignored = 0;
  const DWORD size = path.empty() ? 0 : GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return info;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return info;

  // The strings live in a table named after a language and code page. The block's first
  // translation names it; blocks whose translation does not match their table are common, so
  // the usual US English tables (Unicode, then Windows Latin 1) are tried after it.
  std::vector<std::string> tables;
  void* translation = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) &&
      length >= 2 * sizeof(WORD)) {
    const WORD* words = static_cast<const WORD*>(translation);
    char name[9];
    std::snprintf(name, sizeof name, "%04x%04x", words[0], words[1]);
    tables.emplace_back(name);
  }
  tables.emplace_back("040904b0");
  tables.emplace_back("040904E4");
  info.productName = VersionString(block, tables, "ProductName");
  info.companyName = VersionString(block, tables, "CompanyName");
  info.comments = VersionString(block, tables, "Comments");

  void* fixed = nullptr;
  if (VerQueryValueA(block.data(), "\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fileInfo = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    info.major = HIWORD(fileInfo->dwFileVersionMS);
    info.minor = LOWORD(fileInfo->dwFileVersionMS);
  }
  return info;
}

std::string Win32System::ProgramFolder() {
  const std::string path = ModulePath();
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {};
  // A drive root keeps its backslash: "C:\", not "C:" (which means the drive's current folder).
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::string Win32System::ExeName() {
  const std::string path = ModulePath();
  std::string name = path.substr(path.find_last_of('\\') + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace platform::win32

#pragma once

// Folders the Wine tests work in, asked of the system directly so that the tests do not depend
// on the services they test.
#include <string>

#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace win32_test {

// The folder of the running test program, where the build puts its helpers and fixtures.
inline std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string file = path;
  return file.substr(0, file.find_last_of('\\'));
}

// The temporary folder, with its trailing "\".
inline std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

inline std::string SystemFolder() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

inline std::string ProgramFilesFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE);
  return path;
}

}  // namespace win32_test

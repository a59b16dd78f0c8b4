#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace win32_test {

// The port of the definition server that the ctest fixture `definition_server` started; 0 when
// this run has none.
inline int DefinitionServerPort() {
  const char* portFile = std::getenv("DEFSERVER_PORT_FILE");
  if (portFile == nullptr) return 0;
  // A Unix path: Wine shows the root as drive Z:.
  std::string path = std::string("Z:") + portFile;
  for (char& c : path) c = c == '/' ? '\\' : c;
  int port = 0;
  std::ifstream(path) >> port;
  return port;
}

}  // namespace win32_test

// A harmless program for the Wine tests to start under a threat's name and have the scanner
// find and stop: it only waits, for the milliseconds given as its argument (a minute without).
// With a path as its second argument it holds that file open without sharing while it waits, as
// a program that has a file in use does.
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  const long ms = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 60000;
  if (argc > 2) {
    // Left open until the process ends.
    CreateFileA(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return 0;
}

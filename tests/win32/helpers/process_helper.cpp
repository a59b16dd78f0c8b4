// A harmless program for the Wine tests to start under a threat's name and have the scanner
// find and stop: it only waits, for the milliseconds given as its argument (a minute without).
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  const long ms = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 60000;
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return 0;
}

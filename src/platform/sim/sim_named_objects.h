#pragma once

#include <map>
#include <string>

namespace platform::sim {

// The named kernel objects of one logon session, shared by all processes of a simulated machine.
// An object lives while any process holds a handle to it, so the first instance of a program may
// exit and a later one still finds the name held by a second instance. Names are case-sensitive.
class SimNamedObjects {
 public:
  // Opens the named object, creating it when nobody holds it. True when it already existed
  // (the API's ERROR_ALREADY_EXISTS).
  bool Open(const std::string& name) { return openCount_[name]++ > 0; }
  void Close(const std::string& name) {
    auto it = openCount_.find(name);
    if (it != openCount_.end() && --it->second == 0) openCount_.erase(it);
  }
  bool Exists(const std::string& name) const { return openCount_.count(name) != 0; }

 private:
  std::map<std::string, int> openCount_;
};

}  // namespace platform::sim

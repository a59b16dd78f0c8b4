#pragma once

#include <functional>
#include <string>

#include "platform/machine.h"
#include "ui/ui.h"

namespace app {

// The help launcher: an invisible window that opens "Help.chm" from the program's folder when it
// loads.
class Form8 : public ui::Form {
 public:
  struct Services {
    platform::Machine& machine;
    // Stores a value of the machine-wide settings' "Settings" section.
    std::function<void(const std::string& key, const std::string& value)> saveMachineSetting;
  };
  Form8(ui::Host& host, Services services);

 protected:
  void Form_Load() override;

 private:
  Services services_;
};

}  // namespace app

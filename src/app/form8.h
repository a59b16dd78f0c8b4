#pragma once

#include "ui/ui.h"

namespace app {

class App;

// The help launcher: an invisible window that opens "Help.chm" from the program's folder when it
// loads.
class Form8 : public ui::Form {
 public:
  explicit Form8(App& app);

 protected:
  void Form_Load() override;

 private:
  App& app_;
};

}  // namespace app

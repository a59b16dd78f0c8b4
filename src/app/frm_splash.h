#pragma once

#include <cstdint>

#include "ui/ui.h"

namespace app {

class App;

// The start-up window: a picture while a short count runs, then the main window.
class frmSplash : public ui::Form {
 public:
  explicit frmSplash(App& app);

  ui::Image imgLogo;
  ui::Label lblProduct;
  ui::Label lblLoading;
  ui::Timer Timer2;

  // The count of the timer's ticks, by twos.
  std::int16_t intTemp = 0;

  void Timer2_Timer();

 protected:
  void Form_Load() override;

 private:
  App& app_;
};

}  // namespace app

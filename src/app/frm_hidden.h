#pragma once

#include "ui/ui.h"

namespace app {

// An empty window that is loaded at start-up and never shown. Its caption is fixed and does not
// follow the language.
class frmHidden : public ui::Form {
 public:
  explicit frmHidden(ui::Host& host)
      : ui::Form(host, [] {
          ui::FormArgs args;
          args.name = "frmHidden";
          args.caption = "Derivi dad Ivozize Viviraz";
          args.clientWidth = 1200;
          args.clientHeight = 600;
          args.showInTaskbar = false;
          return args;
        }()) {}
};

}  // namespace app

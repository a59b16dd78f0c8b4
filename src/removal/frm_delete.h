#pragma once

#include "ui/ui.h"

namespace removal {

// "Delete Failed": the files a removal could not delete, with advice. Made once at start-up,
// hidden, and shown again after each removal that left files behind.
class frmDelete : public ui::Form {
 public:
  explicit frmDelete(ui::Host& host);

  ui::Image imgWarning;
  ui::Label Label1;
  ui::ListView lstProblem;
  ui::Label Label2;
  ui::CommandButton Command2;
  ui::CommandButton Command1;
};

}  // namespace removal

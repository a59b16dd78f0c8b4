#pragma once

#include <functional>
#include <string>

#include "ui/ui.h"

namespace protection {

// The home-page shield's question: keep the accepted start page (Yes) or take the new one (No).
// Shown modally; closing it answers nothing, and the next check asks again.
class frmHomePageChangedAlert : public ui::Form {
 public:
  struct Services {
    // `ProgramName`.
    std::function<std::string()> programName;
    // The current language's text for an item of the language file; "" when it has none.
    std::function<std::string(const std::string& key)> translate;
    // Yes: put the accepted page back. No: accept the new page.
    std::function<void()> restore;
    std::function<void()> accept;
  };
  frmHomePageChangedAlert(ui::Host& host, Services services);

  ui::Image Picture1;
  ui::Label lblFrmHomePageProductName;
  ui::Label lblHomePageInfo;
  ui::CommandButton cmdYes;
  ui::CommandButton cmdNO;

  // Shows the question text and waits until the window is closed.
  void Ask(const std::string& question);

  void cmdYes_Click();
  void cmdNO_Click();

 protected:
  void Form_Load() override;

 private:
  Services services_;
};

}  // namespace protection

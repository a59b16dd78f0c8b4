#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "definitions/exclusions.h"
#include "platform/machine.h"
#include "ui/ui.h"

namespace protection {

// The memory shield's question about a running threat: STOP ends the process, ALLOW puts its
// file name into the exclusion list. Shown without making other windows wait; the shield's run
// waits inside `AskAbout` until the user has answered, letting events run meanwhile.
class frmSpywareFoundAlert : public ui::Form {
 public:
  struct Services {
    platform::Machine& machine;
    definitions::Exclusions& exclusions;
    const std::string& dataFolder;
    // `ProgramName`, the title of the message when a process cannot be stopped.
    const std::string& programName;
    // The current text of a message of the catalogue.
    std::function<std::string(const std::string& key)> message;
  };
  frmSpywareFoundAlert(ui::Host& host, Services services);

  // How a question ended: closed without an answer, STOP that ended the process, STOP that
  // could not end it, or ALLOW.
  enum class Answer { None, Stopped, NotStopped, Allowed };

  ui::Label lblProductName;
  ui::Label Label1;
  ui::Label SkinLabel4;
  ui::Label lblAlertFileName;
  ui::Label SkinLabel5;
  ui::Label lblAlertCompanyName;
  ui::Label SkinLabel2;
  ui::Label SkinLabel3;
  ui::CommandButton cmdYes;
  ui::CommandButton cmdNO;
  ui::Timer tmrBlink;

  // Fills the labels, clears the decision, shows the window and waits, letting events run,
  // until STOP or ALLOW was pressed or the window was closed some other way (then without a
  // decision: the shield asks again on a later run). STOP ends the process asked about (pid),
  // not the first process of its name, which may be another program of the same file name.
  Answer AskAbout(const std::string& fileName, const std::string& companyText, std::uint32_t pid);
  // The decision flag: STOP or ALLOW was pressed since the last question.
  bool Decided() const { return decided_; }

  void cmdYes_Click();
  void cmdNO_Click();

 protected:
  void Form_Load() override;

 private:
  void LetEventsRun() { GetHost().DoEvents(); }
  // The process id asked about now belongs to a program of another file name.
  bool IdTakenByAnotherProgram(const std::string& fileName);

  Services services_;
  bool decided_ = false;
  Answer answer_ = Answer::None;
  std::uint32_t pid_ = 0;
};

}  // namespace protection

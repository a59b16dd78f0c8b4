#pragma once

#include <string>
#include <vector>

#include "ui/ui.h"

namespace ui_test {

inline ui::ControlArgs Args(std::string name, std::string caption = {}) {
  ui::ControlArgs args;
  args.name = std::move(name);
  args.caption = std::move(caption);
  args.width = 1200;
  args.height = 255;
  return args;
}

// A small window with one control of most kinds, recording its events.
class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::Host& host, std::string name = "frmTest")
      : ui::Form(host, [&] {
          ui::FormArgs args;
          args.name = std::move(name);
          args.caption = "Test";
          args.clientWidth = 6000;
          args.clientHeight = 4000;
          return args;
        }()) {}

  std::vector<std::string> events;
  int loads = 0;
  int resizes = 0;
  bool cancelQueryUnload = false;

  ui::Frame fraA{*this, Args("fraA", "A")};
  ui::OptionButton optA1{fraA, Args("optA1")};
  ui::OptionButton optA2{fraA, Args("optA2")};
  ui::OptionButton optA3{fraA, Args("optA3")};
  ui::Frame fraB{*this, Args("fraB", "B")};
  ui::OptionButton optB1{fraB, Args("optB1")};
  ui::OptionButton optB2{fraB, Args("optB2")};
  ui::CheckBox chk{*this, Args("chk")};
  ui::Timer tmrFast{*this, Args("tmrFast"), 200, true};
  ui::Timer tmrSlow{*this, Args("tmrSlow"), 1000, true};
  ui::Timer tmrOff{*this, Args("tmrOff"), 100, false};

  void Record(ui::Control& control) {
    control.OnClick = [this, &control] { events.push_back(control.FullName()); };
  }

 protected:
  void Form_Load() override { ++loads; }
  void Form_Resize() override { ++resizes; }
  void Form_QueryUnload(int& cancel, ui::UnloadMode) override {
    if (cancelQueryUnload) cancel = 1;
  }
};

}  // namespace ui_test

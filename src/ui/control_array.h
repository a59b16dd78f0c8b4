#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// Controls of one kind that share a name and are told apart by index, as "lblStatus(0)".
// Elements may sit in different containers.
template <class T>
class ControlArray {
 public:
  explicit ControlArray(std::string name) : name_(std::move(name)) {}

  // Adds the element with args.index (or the next free index when it is -1).
  template <class... Extra>
  T& Add(Container& parent, ControlArgs args, Extra&&... extra) {
    args.name = name_;
    if (args.index < 0) {
      args.index = 0;
      for (auto& element : elements_) args.index = std::max(args.index, element->Index() + 1);
    }
    elements_.push_back(std::make_unique<T>(parent, std::move(args), std::forward<Extra>(extra)...));
    return *elements_.back();
  }

  // The element with this index; the array must hold it.
  T& operator()(int index) {
    for (auto& element : elements_) {
      if (element->Index() == index) return *element;
    }
    return *elements_.at(static_cast<std::size_t>(-1));  // throws: a programming error
  }
  bool Contains(int index) const {
    for (auto& element : elements_) {
      if (element->Index() == index) return true;
    }
    return false;
  }
  int Count() const { return static_cast<int>(elements_.size()); }
  const std::string& Name() const { return name_; }
  auto begin() const { return elements_.begin(); }
  auto end() const { return elements_.end(); }

 private:
  std::string name_;
  std::vector<std::unique_ptr<T>> elements_;
};

}  // namespace ui

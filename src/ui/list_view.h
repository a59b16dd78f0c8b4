#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

struct ListColumn {
  std::string text;
  int width = 1400;  // twips
};

struct ListItem {
  std::string text;
  std::vector<std::string> subItems;  // columns 2, 3, ... (subItems[0] is the second column)
  int smallIcon = 0;                  // 1-based index into the list's icons; 0 for none
  bool checked = false;
  bool selected = false;
  std::string key;
  std::string tag;

  // The text of column c counted from 0 (0 is the item's own text); empty when absent.
  const std::string& Column(int c) const;
};

// A report-style list view with optional check boxes and small icons. Items are addressed by a
// 0-based row index. Changing rows in code raises no event; a user's tick raises ItemCheck.
class ListView : public Control {
 public:
  ListView(Container& parent, ControlArgs args)
      : Control(&parent, ControlKind::ListView, std::move(args)) {}

  // Design-time style.
  bool checkBoxes = false;
  bool fullRowSelect = true;
  bool gridLines = false;
  bool hideColumnHeaders = false;
  bool multiSelect = false;
  // Resource names of the small icons; a row's smallIcon n shows smallIcons[n - 1].
  std::vector<std::string> smallIcons;

  // Columns.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const ListColumn& Column(int index) const { return columns_.at(index); }
  void AddColumn(const std::string& text, int width);
  void SetColumnWidth(int index, int width);
  void SetColumnText(int index, const std::string& text);

  // Rows.
  int Count() const { return static_cast<int>(items_.size()); }
  const ListItem& Item(int index) const { return items_.at(index); }
  const std::vector<ListItem>& Items() const { return items_; }
  // Appends a row and returns its index.
  int Add(const std::string& text, int smallIcon = 0);
  int Add(ListItem item);
  void Insert(int index, ListItem item);
  void Remove(int index);
  // Removes every ticked row; the window is told once that the rows changed.
  void RemoveChecked();
  void Clear();
  void SetText(int index, const std::string& text);
  // Sets the text of column c (1 = second column), growing the row's sub-items as needed.
  void SetSubItem(int index, int column, const std::string& text);
  void SetSmallIcon(int index, int icon);
  void SetChecked(int index, bool checked);
  void SetSelected(int index, bool selected);
  // The first selected row, or -1.
  int SelectedIndex() const;

  // Told of every change of a row's tick, however it came (the program's or the user's), for a
  // model kept beside the list.
  std::function<void(int index, bool checked)> onRowChecked;

  // A user's tick or untick of a row's check box: changes it and raises ItemCheck.
  void UserCheck(int index, bool checked);
  std::function<void(int index)> OnItemCheck;
  // A user's click on a column header (0 = the first column), as a list sorts by.
  void UserColumnClick(int column) {
    if (OnColumnClick && column >= 0 && column < ColumnCount()) OnColumnClick(column);
  }
  std::function<void(int column)> OnColumnClick;

 private:
  bool Valid(int index) const { return index >= 0 && index < Count(); }

  std::vector<ListColumn> columns_;
  std::vector<ListItem> items_;
};

}  // namespace ui

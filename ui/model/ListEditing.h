#pragma once
// A registered list as the options dialog edits it: the rows, the selected
// row, and the operations of the add/edit/delete/up/down buttons. The list
// view on screen mirrors this state after every operation.
//
// Rules:
// - With the separator rule (user tags, tools), a row whose title (column 0)
//   is exactly "-" is a separator: its other columns are stored empty, on add
//   and on edit alike.
// - Adding appends and selects the new row; editing overwrites the selected
//   row in place.
// - Deleting removes the selected row and selects the row that then has the
//   focus: the one that moved into its place, or the new last row when the
//   last was deleted; nothing when the list became empty.
// - Up/down move the selected row one place and keep it selected; at the
//   top (bottom) end nothing happens.
// - Every operation that needs a selection does nothing without one.
//
// The row count loaded from the settings file travels along, because saving
// erases the section first only when it had entries (see
// settings::WriteListSection).

#include <optional>
#include <string>
#include <vector>

#include "settings/RegisteredLists.h"

namespace tagsling::ui {

using ListRow = std::vector<std::string>;

class EditableList {
 public:
  EditableList(settings::DialogList loaded, std::size_t columns, bool separator_rule);

  const std::vector<ListRow>& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  // -1 when nothing is selected.
  int Selected() const { return selected_; }
  bool HasSelection() const { return selected_ >= 0; }
  // Out-of-range indexes clear the selection.
  void Select(int index);

  void Add(ListRow row);
  bool EditSelected(ListRow row);
  bool DeleteSelected();
  bool MoveSelectedUp();
  bool MoveSelectedDown();
  // Removes the selected row and hands it back (the ignored-windows list
  // moves an entry back into its fields this way). Nothing stays selected.
  std::optional<ListRow> TakeSelected();

  // What the settings file receives on OK.
  settings::DialogList ToDialogList() const { return {loaded_count_, rows_}; }

 private:
  ListRow Normalized(ListRow row) const;
  bool Move(int offset);

  int loaded_count_;
  std::size_t columns_;
  bool separator_rule_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
};

// The lower part of the ignored-windows page: a name field, a read-only
// class field and the list of ignored windows.
class ThroughWindowEditor {
 public:
  explicit ThroughWindowEditor(settings::DialogList loaded);

  EditableList& List() { return list_; }
  const EditableList& List() const { return list_; }
  std::string name;        // the name field
  std::string class_name;  // the read-only class field

  // "↓" or a double-click in the list of windows shown now.
  void CopyShownWindow(const std::string& title, const std::string& window_class);
  // "追加": appends (name, class) when both are non-empty and clears both
  // fields; false (nothing changes) otherwise.
  bool Add();
  // Double-click on an ignored window: its entry moves into the two fields.
  bool TakeSelectedIntoFields();

 private:
  EditableList list_;
};

// The OK rules of the user-tag and tool editors: both watched fields
// filled, or a title of exactly "-" (a separator).
bool TagEditOkEnabled(const std::string& title, const std::string& tag);
bool ToolEditOkEnabled(const std::string& name, const std::string& file);

}  // namespace tagsling::ui

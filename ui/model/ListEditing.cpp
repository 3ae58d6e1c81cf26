#include "ui/model/ListEditing.h"

#include <utility>

namespace tagsling::ui {

namespace {

bool IsSeparatorTitle(const std::string& title) { return title == settings::kSeparatorTitle; }

}  // namespace

EditableList::EditableList(settings::DialogList loaded, std::size_t columns, bool separator_rule)
    : loaded_count_(loaded.loaded_count), columns_(columns), separator_rule_(separator_rule) {
  rows_.reserve(loaded.rows.size());
  // Rows loaded from the file are shown as they are; the separator rule
  // applies to what the user adds or edits.
  for (ListRow& row : loaded.rows) {
    row.resize(columns_);
    rows_.push_back(std::move(row));
  }
}

void EditableList::Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }

ListRow EditableList::Normalized(ListRow row) const {
  row.resize(columns_);
  if (separator_rule_ && IsSeparatorTitle(row[0])) {
    for (std::size_t i = 1; i < row.size(); ++i) row[i].clear();
  }
  return row;
}

void EditableList::Add(ListRow row) {
  rows_.push_back(Normalized(std::move(row)));
  selected_ = Count() - 1;
}

bool EditableList::EditSelected(ListRow row) {
  if (!HasSelection()) return false;
  rows_[static_cast<std::size_t>(selected_)] = Normalized(std::move(row));
  return true;
}

bool EditableList::DeleteSelected() {
  if (!HasSelection()) return false;
  rows_.erase(rows_.begin() + selected_);
  // The list view's focus stays at the same position, or falls back to the
  // new last row.
  Select(selected_ < Count() ? selected_ : Count() - 1);
  return true;
}

bool EditableList::Move(int offset) {
  if (!HasSelection()) return false;
  int target = selected_ + offset;
  if (target < 0 || target >= Count()) return false;
  std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(target)]);
  selected_ = target;
  return true;
}

bool EditableList::MoveSelectedUp() { return Move(-1); }
bool EditableList::MoveSelectedDown() { return Move(1); }

std::optional<ListRow> EditableList::TakeSelected() {
  if (!HasSelection()) return std::nullopt;
  ListRow row = std::move(rows_[static_cast<std::size_t>(selected_)]);
  rows_.erase(rows_.begin() + selected_);
  selected_ = -1;
  return row;
}

ThroughWindowEditor::ThroughWindowEditor(settings::DialogList loaded) : list_(std::move(loaded), 2, false) {}

void ThroughWindowEditor::CopyShownWindow(const std::string& title, const std::string& window_class) {
  name = title;
  class_name = window_class;
}

bool ThroughWindowEditor::Add() {
  if (name.empty() || class_name.empty()) return false;
  list_.Add({std::exchange(name, {}), std::exchange(class_name, {})});
  return true;
}

bool ThroughWindowEditor::TakeSelectedIntoFields() {
  std::optional<ListRow> row = list_.TakeSelected();
  if (!row) return false;
  name = (*row)[0];
  class_name = (*row)[1];
  return true;
}

bool TagEditOkEnabled(const std::string& title, const std::string& tag) {
  return (!title.empty() && !tag.empty()) || IsSeparatorTitle(title);
}

bool ToolEditOkEnabled(const std::string& name, const std::string& file) {
  return (!name.empty() && !file.empty()) || IsSeparatorTitle(name);
}

}  // namespace tagsling::ui

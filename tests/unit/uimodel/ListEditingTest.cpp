#include "ui/model/ListEditing.h"

#include <gtest/gtest.h>

namespace tagsling::ui {
namespace {

settings::DialogList Loaded(std::vector<ListRow> rows) {
  int count = static_cast<int>(rows.size());
  return {count, std::move(rows)};
}

EditableList Tags(std::vector<ListRow> rows = {}) { return EditableList(Loaded(std::move(rows)), 2, true); }

std::vector<std::string> Titles(const EditableList& list) {
  std::vector<std::string> titles;
  for (const ListRow& row : list.Rows()) titles.push_back(row[0]);
  return titles;
}

TEST(ListEditingTest, AddAppendsAndSelects) {
  EditableList list = Tags({{"a", "<a>"}});
  list.Add({"b", "<b>"});
  EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list.Selected(), 1);
}

// A "-" title is a separator: its other columns are stored empty, whatever
// the fields held, on add and on edit; the tool list has four columns.
TEST(ListEditingTest, SeparatorRule) {
  EditableList tags = Tags();
  tags.Add({"-", ""});
  tags.Add({"-", "<typed>"});
  EXPECT_EQ(tags.Rows()[0], (ListRow{"-", ""}));
  EXPECT_EQ(tags.Rows()[1], (ListRow{"-", ""}));
  tags.Select(0);
  tags.EditSelected({"x", "<x>"});
  EXPECT_EQ(tags.Rows()[0], (ListRow{"x", "<x>"}));
  tags.EditSelected({"-", "<x>"});
  EXPECT_EQ(tags.Rows()[0], (ListRow{"-", ""}));

  EditableList tools(Loaded({}), 4, true);
  tools.Add({"-", "a.exe", "%f", "c:\\"});
  EXPECT_EQ(tools.Rows()[0], (ListRow{"-", "", "", ""}));
  tools.Add({"--", "a.exe", "", ""});
  EXPECT_EQ(tools.Rows()[1][1], "a.exe") << "only exactly \"-\" is a separator";

  // The ignored-windows list knows no separators.
  EditableList through(Loaded({}), 2, false);
  through.Add({"-", "Notepad"});
  EXPECT_EQ(through.Rows()[0][1], "Notepad");
}

TEST(ListEditingTest, DeleteSelectsTheRowThatTakesItsPlace) {
  struct Case {
    int selected;
    std::vector<std::string> left;
    int then_selected;
  } cases[] = {
      {0, {"b", "c"}, 0}, {1, {"a", "c"}, 1}, {2, {"a", "b"}, 1},  // the last: focus falls back to the new last row
  };
  for (const Case& c : cases) {
    EditableList list = Tags({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    list.Select(c.selected);
    ASSERT_TRUE(list.DeleteSelected());
    EXPECT_EQ(Titles(list), c.left) << c.selected;
    EXPECT_EQ(list.Selected(), c.then_selected) << c.selected;
  }
}

TEST(ListEditingTest, DeletingTheOnlyRowLeavesNothingSelected) {
  EditableList list = Tags({{"a", "1"}});
  list.Select(0);
  ASSERT_TRUE(list.DeleteSelected());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.HasSelection());
  EXPECT_FALSE(list.DeleteSelected());
}

TEST(ListEditingTest, MovesStopAtBothEnds) {
  EditableList list = Tags({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  list.Select(0);
  EXPECT_FALSE(list.MoveSelectedUp());
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_TRUE(list.MoveSelectedDown());
  EXPECT_TRUE(list.MoveSelectedDown());
  EXPECT_EQ(Titles(list), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(list.Selected(), 2);
  EXPECT_EQ(list.Rows()[2], (ListRow{"a", "1"})) << "the whole row moves";
  EXPECT_FALSE(list.MoveSelectedDown());
  EXPECT_TRUE(list.MoveSelectedUp());
  EXPECT_EQ(Titles(list), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(list.Selected(), 1);
}

TEST(ListEditingTest, OperationsWithoutSelectionDoNothing) {
  EditableList list = Tags({{"a", "1"}, {"b", "2"}});
  list.Select(5);
  EXPECT_FALSE(list.HasSelection());
  EXPECT_FALSE(list.EditSelected({"x", "y"}));
  EXPECT_FALSE(list.DeleteSelected());
  EXPECT_FALSE(list.MoveSelectedUp());
  EXPECT_FALSE(list.MoveSelectedDown());
  EXPECT_FALSE(list.TakeSelected());
  EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "b"}));
}

TEST(ListEditingTest, KeepsTheLoadedCountForSaving) {
  EditableList list(settings::DialogList{3, {{"a", "1"}, {"b", "2"}, {"c", "3"}}}, 2, true);
  list.Select(0);
  list.DeleteSelected();
  settings::DialogList saved = list.ToDialogList();
  EXPECT_EQ(saved.loaded_count, 3);
  EXPECT_EQ(saved.rows.size(), 2u);
}

TEST(ThroughWindowEditorTest, AddNeedsBothFields) {
  ThroughWindowEditor editor(Loaded({}));
  editor.name = "Notepad window";
  EXPECT_FALSE(editor.Add()) << "empty class field adds nothing";
  EXPECT_EQ(editor.List().Count(), 0);
  EXPECT_EQ(editor.name, "Notepad window");

  editor.CopyShownWindow("Untitled - Notepad", "Notepad");
  EXPECT_TRUE(editor.Add());
  EXPECT_EQ(editor.List().Rows()[0], (ListRow{"Untitled - Notepad", "Notepad"}));
  EXPECT_TRUE(editor.name.empty());
  EXPECT_TRUE(editor.class_name.empty());
}

TEST(ThroughWindowEditorTest, DoubleClickMovesTheEntryIntoTheFields) {
  ThroughWindowEditor editor(Loaded({{"one", "C1"}, {"two", "C2"}}));
  EXPECT_FALSE(editor.TakeSelectedIntoFields());
  editor.List().Select(1);
  EXPECT_TRUE(editor.TakeSelectedIntoFields());
  EXPECT_EQ(editor.name, "two");
  EXPECT_EQ(editor.class_name, "C2");
  EXPECT_EQ(editor.List().Count(), 1);
  EXPECT_FALSE(editor.List().HasSelection());
}

TEST(ItemEditorTest, OkRules) {
  struct Case {
    const char* title;
    const char* second;
    bool ok;
  } cases[] = {
      {"a", "b", true}, {"a", "", false}, {"", "b", false},  {"", "", false},
      {"-", "", true},  {"-", "x", true}, {"--", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TagEditOkEnabled(c.title, c.second), c.ok) << c.title << "|" << c.second;
    EXPECT_EQ(ToolEditOkEnabled(c.title, c.second), c.ok) << c.title << "|" << c.second;
  }
}

}  // namespace
}  // namespace tagsling::ui

#include "texttools/EditorClass.h"

#include <gtest/gtest.h>

namespace tagsling::texttools {
namespace {

TEST(EditorClassTest, ExactOrAnotherVersionOfAVersionedName) {
  const struct {
    const char* window_class;
    const char* stored;
    bool same;
  } kCases[] = {
      {"Notepad", "Notepad", true},
      {"notepad", "Notepad", false},
      {"Notepad++", "Notepad", false},
      {"TextEditorWindowM64WP177", "TextEditorWindowM64WP177", true},
      // Sakura Editor after an update, and back.
      {"TextEditorWindowM64WP178", "TextEditorWindowM64WP177", true},
      {"TextEditorWindowM64WP99", "TextEditorWindowM64WP177", true},
      // The 32-bit build and the control window are other classes.
      {"TextEditorWindowWP177", "TextEditorWindowM64WP177", false},
      {"CControlTrayM64WP177", "TextEditorWindowM64WP177", false},
      {"TextEditorWindowM64WP", "TextEditorWindowM64WP177", false},
      {"TextEditorWindowM64WP177", "TextEditorWindowM64WP", false},
      // Generated names and numbers alone stay exact.
      {"Afx:400000:8:10003:0:1c0346", "Afx:400000:8:10003:0:1c0345", false},
      {"Afx:400000:8:10003:0:1c0345", "Afx:400000:8:10003:0:1c0345", true},
      {"12", "11", false},
      {"", "", true},
      {"Hidemaru32Class", "", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsEditorClass(c.window_class, c.stored), c.same) << c.window_class << " / " << c.stored;
  }
}

}  // namespace
}  // namespace tagsling::texttools

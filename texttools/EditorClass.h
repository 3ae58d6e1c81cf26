#pragma once
// Whether a window's class is the editor's class as class detection stored
// it (EditorWindowClass).
//
// Some editors put their version into the class name: Sakura Editor 2.4.2's
// main window is "TextEditorWindowM64WP177", the number being the version of
// its shared settings. After the editor is updated the stored class would
// name no window any more, so a class that differs from the stored one only
// in that trailing number still counts. The relaxed comparison is kept to
// names made of letters, digits and "_" alone: generated names such as
// MFC's "Afx:400000:8:10003:0:1c0345" end in numbers that say nothing about
// the program.

#include <string_view>

namespace tagsling::texttools {

// True when `window_class` equals `stored_class` (case-sensitive), or when
// both are plain names ending in a number and equal without it.
bool IsEditorClass(std::string_view window_class, std::string_view stored_class);

}  // namespace tagsling::texttools

// dialogtool.exe: fills in the common dialogs of the text-input tests as a
// user would type into them. One verb per run; the dialog is the first
// visible top-level window of class "#32770".
//   file PATH      the file-name field of an open-file dialog (edt1, or the
//                  edit box inside the combo box cmb13)
//   colour R G B   the Red, Green and Blue fields of the colour dialog
//                  (each change updates the dialog's current colour)
//   combo TEXT     the edit box of the dialog's first combo box, as if typed
//                  (the combo box reports the change to the dialog)
// Exit status 1 when the dialog or the field is not there.

#include <windows.h>

#include <string>

namespace {

constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kRedEdit = 706;          // then green 707 and blue 708

HWND FindDialog() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The first descendant of `parent` of class `name`.
HWND FindChild(HWND parent, const wchar_t* name) {
  struct Search {
    const wchar_t* name;
    HWND found;
  } search{name, nullptr};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        wchar_t class_name[64] = L"";
        GetClassNameW(window, class_name, 64);
        if (lstrcmpiW(class_name, search->name) != 0) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The edit box somewhere inside a combo box (ComboBoxEx32 > ComboBox > Edit).
HWND EditInside(HWND control) { return control ? FindChild(control, L"Edit") : nullptr; }

bool SetText(HWND control, const std::wstring& text) {
  return control && SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring verb = argv[1];
  HWND dialog = FindDialog();
  if (!dialog) return 1;
  if (verb == L"file") {
    HWND field = GetDlgItem(dialog, kFileNameEdit);
    if (!field) field = EditInside(GetDlgItem(dialog, kFileNameCombo));
    return SetText(field, argv[2]) ? 0 : 1;
  }
  if (verb == L"combo" && argc >= 3) {
    HWND combo = FindChild(dialog, L"ComboBox");
    return combo && SetText(EditInside(combo), argv[2]) ? 0 : 1;
  }
  if (verb == L"colour" && argc >= 5) {
    for (int i = 0; i < 3; ++i) {
      if (!SetText(GetDlgItem(dialog, kRedEdit + i), argv[2 + i])) return 1;
    }
    return 0;
  }
  return 2;
}

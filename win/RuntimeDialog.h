#pragma once
// Modal dialogs whose controls are created at run time from data.
//
// A dialog starts from an empty in-memory template (no .rc resource) and is
// run by DialogBoxIndirectParamW, so Windows provides the dialog manager's
// keyboard handling: Tab moves between controls, Enter presses the default
// button (IDOK) and Esc or the close box sends IDCANCEL. A subclass creates
// its controls in OnInit with AddControl, in pixels at 96 DPI that are
// scaled to the screen's DPI, and sets the font of the message box on each.
//
// The template may name a window class; that class is registered here with
// the dialog manager's window procedure, so the dialog keeps a class name
// other programs (and our own target search) can recognise.
//
// No exception leaves a dialog procedure: handlers run guarded and report
// through the program's error box.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/Handles.h"

namespace tagsling::win {

class RuntimeDialog {
 public:
  virtual ~RuntimeDialog() = default;

  // Shows the dialog modally; true when it was closed with OK.
  bool ShowModal(HWND owner, const wchar_t* window_class = nullptr);
  HWND Window() const { return hwnd_; }

 protected:
  // Creates the controls; the window exists and has its caption.
  virtual void OnInit() = 0;
  // WM_COMMAND. IDOK and IDCANCEL not handled here close the dialog with
  // that result.
  virtual bool OnCommand(int id, int code, HWND control) { return false; }
  // WM_NOTIFY; the return value becomes the message result.
  virtual LRESULT OnNotify(const NMHDR& header) { return 0; }
  // Any other message; true when handled.
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) { return false; }

  // Sets caption and client size (96-DPI pixels) and places the window:
  // centred on the screen, or with its top-left corner (the frame's, not the
  // client area's) at `at`.
  void Setup(const std::wstring& caption, int client_width, int client_height, const POINT* at = nullptr);
  // Creates a child control at 96-DPI pixel coordinates.
  HWND AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, int x, int y, int width,
                  int height, int id = 0, DWORD ex_style = 0);
  // Width in 96-DPI pixels of `text` in the dialog's font.
  int TextWidth(const std::wstring& text) const;
  int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  HFONT Font() const { return font_.get(); }
  void Close(bool confirmed) { EndDialog(hwnd_, confirmed ? IDOK : IDCANCEL); }
  // The screen position of the client area's top-left corner, where the
  // small editors opened from this dialog put their top-left corner.
  POINT ClientOrigin() const;

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  UniqueFont font_;
};

// Code page 932 text of a window, and setting it.
std::string WindowTextSjis(HWND window);
void SetWindowTextSjis(HWND window, const std::string& sjis);
// The same for UTF-8 texts of the model.
void SetWindowTextUtf8(HWND window, std::string_view utf8);

}  // namespace tagsling::win

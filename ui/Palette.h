#pragma once
// The palette's windows, laid out left to right under a thin bevel: the
// tool panel (a toolbar of program commands above the mode buttons), the tab
// pages of tag buttons, the base-folder panel (the base folder and the
// relative-path state as two lines of text) and the docked-mode panel (the
// program's logo and the tag menu button). Each window is named after the
// component it stands for ("Panel3", "ToolBar11", "ToolBar12",
// "PageControl1", "Panel8", "Panel1", "ToolBar1"): other programs and the
// end-to-end tests find the parts by those names.
//
// Every button is created from the palette model (ui/model/PalettePages.h)
// and gets a command identifier in ItemActions; the toolbars' clicks,
// drop-downs, right-clicks and tooltip requests arrive at the main window,
// because the panels hand WM_COMMAND and WM_NOTIFY on to it.

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "ui/ButtonImages.h"
#include "ui/ItemActions.h"
#include "ui/model/PalettePages.h"

namespace tagsling::ui {

// Messages the panels send to the main window.
inline constexpr UINT kPanelDoubleClick = WM_APP + 1;  // wparam: the panel
inline constexpr UINT kPanelContextMenu = WM_APP + 2;  // wparam: the panel, lparam: screen point
inline constexpr UINT kPanelClick = WM_APP + 3;        // wparam: the panel

class Palette {
 public:
  explicit Palette(ItemActions& actions) : actions_(actions) {}

  void Create(HWND main, HINSTANCE instance, HFONT font, ToolPictures* pictures, int dpi);
  // Places the panels in the main window's client area.
  void Layout(int width, int height);
  // New pictures and font after a change of scaling.
  void Rescale(HFONT font, ToolPictures* pictures, int dpi);

  void SelectPage(int index);
  // Makes the toolbars of the pages not shown yet once the messages waiting
  // now (the palette's first painting among them) are handled.
  void CreateRemainingPagesLater();
  void OnPageChanged();  // TCN_SELCHANGE
  HWND Tabs() const { return tabs_; }

  // The mode buttons below the program commands.
  void ShowSandwichMode(bool on);
  bool IsSandwichOnDown() const;
  bool IsSandwichOffDown() const;

  // Takes down any tooltip of the palette: a visible tooltip is a top-level
  // window of its own and must not stand between the palette and the editor
  // when a command looks for its target window.
  void HideTips() const;

  static void PressButton(HWND toolbar, UINT id, bool pressed);
  // The screen rectangle of a button.
  static RECT ButtonRect(HWND toolbar, UINT id);

  // The panels' messages (win/Window.h).
  LRESULT HandleMessage(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

  bool IsToolPanel(HWND window) const;  // the tool panel or one of its toolbars
  bool IsBaseFolderPanel(HWND window) const { return window == base_folder_panel_; }
  HWND LogoWindow() const { return docked_panel_; }

  // The base-folder panel's two lines and its hint; `visible` false draws
  // both lines in the panel's own colour.
  void SetBaseFolderText(std::wstring folder_text, std::wstring relative_path_text, std::wstring hint, bool visible);

  // The docked-mode panel is shown only while docked without the menu bar;
  // its logo shows the program icon and opens the about box when clicked.
  void ShowDockedPanel(bool show);
  void SetLogoIcon(HICON icon);

 private:
  HWND CreatePanel(const wchar_t* name);
  // A toolbar's buttons with their command identifiers, before its window.
  struct ToolbarItems {
    std::vector<TBBUTTON> items;
    bool arrows = false;  // a split button draws its arrow
  };
  ToolbarItems RegisterButtons(std::span<const PaletteButton> buttons);
  HWND CreateToolbarWindow(HWND parent, ToolbarItems& buttons, const std::wstring& name, bool visible);
  HWND CreateToolbar(HWND parent, std::span<const PaletteButton> buttons, const std::wstring& name);
  // The toolbar of a page, made now if it is not there yet.
  HWND Page(size_t index);
  void SetupToolbar(HWND toolbar);
  // Draws the pictures of a toolbar that is about to show.
  void DrawPictures(HWND toolbar);
  void PaintBaseFolder(HDC dc, const RECT& client);
  void PaintLogo(HDC dc, const RECT& client);
  int Scale(int logical) const { return MulDiv(logical, dpi_, 96); }

  HWND main_ = nullptr;
  ItemActions& actions_;
  HFONT font_ = nullptr;
  ToolPictures* pictures_ = nullptr;
  int dpi_ = 96;
  bool docked_panel_shown_ = false;

  HWND docked_panel_ = nullptr;
  HWND docked_toolbar_ = nullptr;  // nullptr until the panel first shows
  ToolbarItems pending_docked_toolbar_;
  HWND tool_panel_ = nullptr;
  HWND tool_toolbar_ = nullptr;
  HWND mode_toolbar_ = nullptr;
  HWND pages_panel_ = nullptr;
  HWND tabs_ = nullptr;
  std::vector<HWND> pages_;  // nullptr until made
  std::vector<ToolbarItems> pending_pages_;
  RECT page_rect_{};
  HWND base_folder_panel_ = nullptr;
  HWND panel_tips_ = nullptr;
  std::vector<HWND> toolbars_;

  UINT hasami_on_id_ = 0;
  UINT hasami_off_id_ = 0;

  HICON logo_ = nullptr;
  std::wstring logo_hint_;
  std::wstring base_folder_text_;
  std::wstring relative_path_text_;
  std::wstring base_folder_hint_;
  bool labels_visible_ = true;
};

}  // namespace tagsling::ui

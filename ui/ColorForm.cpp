#include "ui/ColorForm.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "texttools/InputCommands.h"
#include "ui/FileChoosers.h"
#include "win/SystemLibrary.h"
#include "win/WinText.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr wchar_t kColorFormClass[] = L"TColorForm";
// Long paths are allowed.
constexpr DWORD kPathBuffer = 32768;

// "caption\0patterns\0...\0\0" as the file dialog wants its filters.
std::wstring FilterText(const std::vector<texttools::FileFilter>& filters) {
  std::wstring text;
  for (const texttools::FileFilter& filter : filters) {
    text += win::SjisToWide(filter.caption);
    text.push_back(L'\0');
    text += win::SjisToWide(filter.patterns);
    text.push_back(L'\0');
  }
  text.push_back(L'\0');
  return text;
}

std::string SjisToUtf8(const std::string& sjis) { return win::WideToUtf8(win::SjisToWide(sjis)); }

std::wstring ToW(const platform::WideText& text) { return std::wstring(text.begin(), text.end()); }
platform::WideText FromW(const std::wstring& text) { return platform::WideText(text.begin(), text.end()); }

}  // namespace

ColorForm::ColorForm(HWND owner, platform::Keyboard& keyboard) : keyboard_(keyboard) {
  std::fill(std::begin(custom_colours_), std::end(custom_colours_), RGB(255, 255, 255));
  window_.reset(win::CreateOwnedWindow(
      {.name = kColorFormClass},
      {.ex_style = WS_EX_TOOLWINDOW, .title = L"ColorForm", .style = WS_POPUP, .parent = owner}, this));
}

LRESULT ColorForm::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

UINT_PTR CALLBACK ColorForm::OpenDialogHook(HWND, UINT message, WPARAM, LPARAM lparam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lparam);
  if (notify->hdr.code != CDN_INITDONE) return 0;
  // The dialog is up: the keys reach it once it takes input.
  auto* form = reinterpret_cast<ColorForm*>(notify->lpOFN->lCustData);
  texttools::SendDialogStartKeys(form->keyboard_);
  return 0;
}

std::optional<platform::WideText> ColorForm::ShowOpenDialog(const texttools::FileDialogSpec& dialog) {
  const std::wstring filter = FilterText(dialog.filters);
  const std::wstring title = win::SjisToWide(dialog.title);
  const std::wstring folder = ToW(dialog.initial_folder);
  std::vector<wchar_t> file(kPathBuffer, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_.get();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kPathBuffer;
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // No title of our own: the system shows its default caption.
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags =
      OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!dialog.follow_shortcuts) ofn.Flags |= OFN_NODEREFERENCELINKS;
  ofn.lpfnHook = OpenDialogHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (!win::OpenFileDialog(ofn)) return std::nullopt;
  return FromW(file.data());
}

std::optional<texttools::Rgb> ColorForm::ShowColorDialog() {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = window_.get();
  cc.rgbResult = colour_;
  cc.lpCustColors = custom_colours_;
  cc.Flags = CC_RGBINIT;
  if (!win::ColorDialog(cc)) return std::nullopt;
  colour_ = cc.rgbResult;
  return texttools::Rgb{GetRValue(colour_), GetGValue(colour_), GetBValue(colour_)};
}

std::optional<platform::WideText> ColorForm::ShowFolderPicker(const texttools::FolderPickerSpec& dialog) {
  std::optional<std::wstring> folder =
      ChooseFolder(window_.get(), SjisToUtf8(dialog.caption), SjisToUtf8(dialog.text), ToW(dialog.selected));
  if (!folder) return std::nullopt;
  return FromW(*folder);
}

}  // namespace tagsling::ui

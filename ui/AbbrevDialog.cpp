#include "ui/AbbrevDialog.h"

#include "abbrev/AbbrevCommands.h"
#include "win/RuntimeDialog.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

class AbbrevDialog final : public win::RuntimeDialog {
 public:
  explicit AbbrevDialog(const std::vector<std::string>& history) : history_(history) {}

  const std::string& entry() const { return entry_; }

 private:
  enum { kCombo = 100 };

  void OnInit() override {
    Setup(win::Utf8ToWide("略記で囲む"), 320, 92);
    AddControl(WC_STATICW, win::Utf8ToWide("選択範囲を囲む略記 (例: ul>li*  div.note>p):"), 0, 8, 8, 304, 16);
    combo_ = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 8, 27, 304, 200,
                        kCombo);
    for (const std::string& entry : history_) {
      SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::SjisToWide(entry).c_str()));
    }
    AddControl(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 158, 60, 75, 25, IDOK);
    AddControl(WC_BUTTONW, win::Utf8ToWide("キャンセル"), WS_TABSTOP, 237, 60, 75, 25, IDCANCEL);
    if (!history_.empty()) {
      SendMessageW(combo_, CB_SETCURSEL, 0, 0);
      SendMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
    SetFocus(combo_);
  }

  bool OnCommand(int id, int code, HWND) override {
    if (id == IDOK) {
      // Only blanks: nothing to wrap with; the dialog stays for an entry.
      entry_ = win::WindowTextSjis(combo_);
      if (abbrev::TrimmedAbbreviation(entry_).empty()) {
        MessageBeep(0);
        SetFocus(combo_);
        return true;
      }
      Close(true);
      return true;
    }
    return false;
  }

  const std::vector<std::string>& history_;
  std::string entry_;
  HWND combo_ = nullptr;
};

}  // namespace

std::optional<std::string> ShowAbbreviationDialog(HWND owner, const std::vector<std::string>& history) {
  AbbrevDialog dialog(history);
  if (!dialog.ShowModal(owner)) return std::nullopt;
  return dialog.entry();
}

}  // namespace tagsling::ui

#include "ui/ListItemDialogs.h"

#include <array>

#include "ui/FileChoosers.h"
#include "ui/StorableText.h"
#include "ui/model/KeySetModel.h"
#include "win/RuntimeDialog.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

// An edit control that keeps its selection when tabbed into (the tag and
// parameter templates are edited in place, not replaced).
LRESULT CALLBACK KeepSelectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  LRESULT result = DefSubclassProc(window, message, wparam, lparam);
  if (message == WM_GETDLGCODE) result &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
  return result;
}

// Shared by the two list-item editors: a set of one-line fields, the
// placeholder buttons that replace the selection of their field, and an OK
// button whose state follows a rule over two watched fields. The fields go
// to the settings file (code page 932): OK reports a field holding a
// character it cannot store instead of replacing the character.
class ItemEditor : public win::RuntimeDialog {
 public:
  ItemEditor(POINT at, ListRow& row) : at_(at), row_(row) {}

 protected:
  struct Placeholder {
    int id;
    const wchar_t* text;
    std::size_t field;
  };

  virtual bool OkEnabled() const = 0;

  HWND NewField(int x, int y, int width, bool keep_selection = false) {
    HWND field = AddControl(WC_EDITW, L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, x, y, width, 21,
                            kFirstField + static_cast<int>(fields_.size()), WS_EX_CLIENTEDGE);
    if (keep_selection) SetWindowSubclass(field, KeepSelectionProc, 1, 0);
    fields_.push_back(field);
    return field;
  }
  void AddLabel(const wchar_t* text, int x, int y, int width) { AddControl(WC_STATICW, text, 0, x, y, width, 16); }
  void AddOkCancel(int x, int y) {
    ok_ = AddControl(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, x, y, 75, 25, IDOK);
    AddControl(WC_BUTTONW, win::Utf8ToWide("キャンセル"), WS_TABSTOP, x + 80, y, 75, 25, IDCANCEL);
  }
  void AddPlaceholder(const Placeholder& placeholder, int x, int y, int width) {
    AddControl(WC_BUTTONW, placeholder.text, 0, x, y, width, 21, placeholder.id);
    placeholders_.push_back(placeholder);
  }
  std::string FieldText(std::size_t index) const { return win::WindowTextSjis(fields_[index]); }
  std::wstring FieldTextWide(std::size_t index) const { return WindowTextWide(fields_[index]); }
  void SetField(std::size_t index, const std::string& text) { win::SetWindowTextSjis(fields_[index], text); }
  void SetField(std::size_t index, const std::wstring& text) { SetWindowTextW(fields_[index], text.c_str()); }

  // Fills the fields, focuses the first and applies the OK rule.
  void Load() {
    for (std::size_t i = 0; i < fields_.size() && i < row_.size(); ++i) SetField(i, row_[i]);
    SetFocus(fields_[0]);
    UpdateOk();
  }
  void UpdateOk() { EnableWindow(ok_, OkEnabled()); }

  bool OnCommand(int id, int code, HWND control) override {
    if (id >= kFirstField && id < kFirstField + static_cast<int>(fields_.size())) {
      if (code == EN_CHANGE) UpdateOk();
      return true;
    }
    for (const Placeholder& placeholder : placeholders_) {
      if (placeholder.id != id) continue;
      HWND field = fields_[placeholder.field];
      SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(placeholder.text));
      SetFocus(field);
      return true;
    }
    if (id == IDOK) {
      if (!OkEnabled()) return true;
      ListRow row(fields_.size());
      for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::optional<std::string> text = StorableFieldText(Window(), fields_[i]);
        if (!text) return true;
        row[i] = std::move(*text);
      }
      row_ = std::move(row);
      Close(true);
      return true;
    }
    return false;
  }

  static constexpr int kFirstField = 100;
  POINT at_;
  ListRow& row_;
  std::vector<HWND> fields_;
  std::vector<Placeholder> placeholders_;
  HWND ok_ = nullptr;
};

class TagEditDialog final : public ItemEditor {
 public:
  using ItemEditor::ItemEditor;

 private:
  void OnInit() override {
    Setup(win::Utf8ToWide("タグの編集"), 409, 137, &at_);
    AddLabel(win::Utf8ToWide("タイトル(「-」で区切り線):").c_str(), 8, 8, 393);
    NewField(8, 24, 393);
    AddLabel(win::Utf8ToWide("タグ(改行 = %CR%, TAB = %TAB%, 選択文字列 = %SELSTR%):").c_str(), 8, 52, 393);
    NewField(8, 68, 393, true);
    AddPlaceholder({201, L"%CR%", 1}, 8, 102, 60);
    AddPlaceholder({202, L"%TAB%", 1}, 72, 102, 60);
    AddPlaceholder({203, L"%SELSTR%", 1}, 136, 102, 72);
    AddOkCancel(246, 102);
    Load();
  }
  bool OkEnabled() const override { return TagEditOkEnabled(FieldText(0), FieldText(1)); }
};

class ToolEditDialog final : public ItemEditor {
 public:
  using ItemEditor::ItemEditor;

 private:
  enum { kChooseFile = 301, kChooseFolder = 302 };

  void OnInit() override {
    Setup(win::Utf8ToWide("外部ツールの編集"), 401, 241, &at_);
    AddControl(WC_BUTTONW, win::Utf8ToWide("外部ツール"), BS_GROUPBOX, 6, 4, 389, 194);
    AddLabel(win::Utf8ToWide("名前(「-」で区切り線):").c_str(), 14, 22, 373);
    NewField(14, 38, 373);
    AddLabel(win::Utf8ToWide("実行ファイル:").c_str(), 14, 66, 373);
    NewField(14, 82, 345);
    AddControl(WC_BUTTONW, L"...", 0, 362, 82, 25, 21, kChooseFile);
    AddLabel(win::Utf8ToWide("コマンドラインパラメータ(作業ファイル = %f, 基本フォルダ = %d):").c_str(), 14, 110, 373);
    NewField(14, 126, 303, true);
    AddPlaceholder({303, L"%f", 2}, 320, 126, 32);
    AddPlaceholder({304, L"%d", 2}, 355, 126, 32);
    AddLabel(win::Utf8ToWide("作業フォルダ:").c_str(), 14, 154, 373);
    NewField(14, 170, 345);
    AddControl(WC_BUTTONW, L"...", 0, 362, 170, 25, 21, kChooseFolder);
    AddOkCancel(238, 208);
    Load();
  }
  bool OkEnabled() const override { return ToolEditOkEnabled(FieldText(0), FieldText(1)); }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == kChooseFile) {
      if (auto path = ChooseFile(Window(), "外部ツール実行ファイル",
                                 "実行ファイル (*.exe)|*.exe|すべてのファイル (*.*)|*.*", FieldTextWide(1))) {
        SetField(1, *path);
      }
      return true;
    }
    if (id == kChooseFolder) {
      if (auto folder = ChooseFolder(Window(), "フォルダの参照", "外部ツール作業フォルダ:", FieldTextWide(3))) {
        SetField(3, *folder);
      }
      return true;
    }
    return ItemEditor::OnCommand(id, code, control);
  }
};

class KeySetDialog final : public win::RuntimeDialog {
 public:
  KeySetDialog(POINT at, settings::AppSettings& settings) : at_(at), settings_(settings), model_(settings) {}

 private:
  enum { kFirstList = 100, kStandard = 110 };

  void OnInit() override {
    Setup(win::Utf8ToWide(kKeySetCaption), 262, 148, &at_);
    AddControl(WC_BUTTONW, win::Utf8ToWide(kKeySetGroup), BS_GROUPBOX, 6, 4, 250, 104);
    int y = 24;
    for (std::size_t i = 0; i < KeySetLists().size(); ++i, y += 26) {
      const KeySetList& list = KeySetLists()[i];
      AddControl(WC_STATICW, win::Utf8ToWide(list.label), 0, 16, y + 3, 80, 16);
      lists_[i] = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 100, y, 146, 200,
                             kFirstList + static_cast<int>(i));
      for (const core::KeyCombination& keys : list.items()) {
        SendMessageW(lists_[i], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::SjisToWide(keys.shown_as).c_str()));
      }
    }
    AddControl(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 22, 116, 75, 25, IDOK);
    AddControl(WC_BUTTONW, win::Utf8ToWide("キャンセル"), WS_TABSTOP, 101, 116, 75, 25, IDCANCEL);
    AddControl(WC_BUTTONW, win::Utf8ToWide(kKeySetStandardButton), WS_TABSTOP, 180, 116, 76, 25, kStandard);
    Show();
    SetFocus(lists_[0]);
  }

  void Show() {
    for (std::size_t i = 0; i < lists_.size(); ++i) SendMessageW(lists_[i], CB_SETCURSEL, model_.Selection(i), 0);
  }

  bool OnCommand(int id, int code, HWND) override {
    if (id >= kFirstList && id < kFirstList + static_cast<int>(lists_.size())) {
      if (code == CBN_SELCHANGE) {
        const std::size_t list = static_cast<std::size_t>(id - kFirstList);
        model_.Select(list, static_cast<int>(SendMessageW(lists_[list], CB_GETCURSEL, 0, 0)));
      }
      return true;
    }
    if (id == kStandard) {
      model_.WindowsStandard();
      Show();
      return true;
    }
    if (id == IDOK) {
      model_.Apply(settings_);
      Close(true);
      return true;
    }
    return false;
  }

  POINT at_;
  settings::AppSettings& settings_;
  KeySetModel model_;
  std::array<HWND, 3> lists_{};
};

}  // namespace

bool ShowTagEditDialog(HWND owner, POINT at, ListRow& row) {
  TagEditDialog dialog(at, row);
  return dialog.ShowModal(owner);
}

bool ShowToolEditDialog(HWND owner, POINT at, ListRow& row) {
  ToolEditDialog dialog(at, row);
  return dialog.ShowModal(owner);
}

bool ShowKeySetDialog(HWND owner, POINT at, settings::AppSettings& settings) {
  KeySetDialog dialog(at, settings);
  return dialog.ShowModal(owner);
}

}  // namespace tagsling::ui

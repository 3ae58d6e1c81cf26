#include "ui/OptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "core/TargetWindow.h"
#include "external/BrowserWindows.h"
#include "settings/RegisteredLists.h"
#include "ui/AppWindow.h"
#include "ui/Busy.h"
#include "ui/FileChoosers.h"
#include "ui/ListItemDialogs.h"
#include "ui/ProgramWait.h"
#include "ui/StorableText.h"
#include "ui/Win32ExternalHost.h"
#include "ui/model/HelpLinks.h"
#include "win/ErrorBox.h"
#include "win/RuntimeDialog.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

using K = OptionKind;
using W = OptionWidget;

// Layout, in 96-DPI pixels.
constexpr int kCheckRow = 19;
constexpr int kFieldRow = 23;
constexpr int kButtonRow = 27;
constexpr int kLabelRow = 17;
constexpr int kGroupTop = 18;
constexpr int kGroupBottom = 2;
constexpr int kGroupGap = 4;
constexpr int kHotKeyLabelWidth = 120;
constexpr int kFieldLabelWidth = 130;
constexpr int kListButtonWidth = 80;

constexpr int kHelpId = 9;  // IDHELP
constexpr int kTabId = 50;
constexpr int kFirstControlId = 1000;
constexpr int kFirstBuddyId = 3000;

// Whether the shell's "App Paths" list names `exe`: per user (HKCU), then for
// the machine in the 64-bit and the 32-bit view of the registry.
bool HasAppPath(std::string_view exe) {
  const std::wstring key =
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + std::wstring(exe.begin(), exe.end());
  struct Place {
    HKEY root;
    REGSAM view;
  };
  for (const Place& place : {Place{HKEY_CURRENT_USER, 0}, Place{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
                             Place{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}}) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(place.root, key.c_str(), 0, KEY_READ | place.view, &opened) == ERROR_SUCCESS) {
      RegCloseKey(opened);
      return true;
    }
  }
  return false;
}

std::string KeyNameFromDriver(unsigned virtual_key) {
  const UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
  wchar_t name[64] = {};
  if (!GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64)) return {};
  return win::WideToSjis(name);
}

class OptionsDialog final : public win::RuntimeDialog {
 public:
  OptionsDialog(OptionsDialogModel& model, OptionsDialogHost& host, int first_page)
      : model_(model), host_(host), first_page_(std::clamp(first_page, 0, kOptionsPageCount - 1)) {}

 private:
  // One control of the page tables and the windows made for it.
  struct Item {
    const OptionControl* control;
    int page;
    HWND window = nullptr;  // the control itself
    HWND buddy = nullptr;   // up-down buttons or "..." button
  };

  // ---- building ----
  void OnInit() override {
    Setup(win::Utf8ToWide(kOptionsCaption), kOptionsClientWidth, kOptionsClientHeight);
    // The tabs fill the dialog above the row of buttons along its bottom.
    const int buttons_top = kOptionsClientHeight - 29;
    tab_ = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE, 4, 4, 417, buttons_top - 10,
                      kTabId);
    int index = 0;
    for (const OptionPage& page : OptionsPages()) {
      std::wstring caption = win::Utf8ToWide(page.caption);
      TCITEMW tab{};
      tab.mask = TCIF_TEXT;
      tab.pszText = caption.data();
      SendMessageW(tab_, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&tab));
    }
    RECT area;
    GetClientRect(tab_, &area);
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    area = {4 + Unscale(area.left), 4 + Unscale(area.top), 4 + Unscale(area.right), 4 + Unscale(area.bottom)};

    page_windows_.resize(OptionsPages().size());
    for (std::size_t page = 0; page < OptionsPages().size(); ++page) LayoutPage(static_cast<int>(page), area);
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    AddControl(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 187, buttons_top, 75, 25, IDOK);
    AddControl(WC_BUTTONW, win::Utf8ToWide(kCancelButton), WS_TABSTOP, 266, buttons_top, 75, 25, IDCANCEL);
    AddControl(WC_BUTTONW, win::Utf8ToWide(kHelpButton), WS_TABSTOP, 345, buttons_top, 75, 25, kHelpId);

    LoadControls();
    FillShownWindows();
    ShowInstalledBrowsers();
    FillList(W::kThroughWindowList);
    FillList(W::kToolList);
    FillList(W::kUserTagList);
    RenderEnabled();

    SendMessageW(tab_, TCM_SETCURSEL, first_page_, 0);
    ShowPage(first_page_);
    if (first_page_ == kGeneralPage) {
      SetFocus(SettingWindow(model_.FirstFocus()));
    } else if (HWND list = PageList(first_page_)) {
      SetFocus(list);
    } else {
      SetFocus(tab_);
    }
  }

  int Unscale(int pixels) const { return MulDiv(pixels, 96, Scale(96)); }

  void Remember(int page, HWND window) {
    if (window) page_windows_[static_cast<std::size_t>(page)].push_back(window);
  }

  HWND Add(int page, const wchar_t* window_class, const std::wstring& text, DWORD style, int x, int y, int width,
           int height, int id = 0, DWORD ex_style = 0) {
    HWND window = AddControl(window_class, text, style, x, y, width, height, id, ex_style);
    Remember(page, window);
    return window;
  }

  HWND AddLabel(int page, std::string_view text, int x, int y, int width) {
    return Add(page, WC_STATICW, win::Utf8ToWide(text), SS_NOPREFIX, x, y, width, 16);
  }

  HWND AddNote(int page, const OptionControl& control, int x, int y) {
    if (control.note.empty()) return nullptr;
    const std::wstring text = win::Utf8ToWide(control.note);
    HWND note = Add(page, WC_STATICW, text, SS_NOPREFIX, x, y, TextWidth(text) + 4, 16);
    if (control.red_note) red_notes_.push_back(note);
    return note;
  }

  Item& NewItem(int page, const OptionControl& control) {
    items_.push_back({&control, page});
    return items_.back();
  }
  int ItemId() const { return kFirstControlId + static_cast<int>(items_.size()) - 1; }
  int BuddyId() const { return kFirstBuddyId + static_cast<int>(items_.size()) - 1; }

  // A page of groups stacked top to bottom; the list pages of tools and
  // user tags put their buttons in a column beside the list.
  void LayoutPage(int page, const RECT& area) {
    const OptionPage& data = OptionsPages()[static_cast<std::size_t>(page)];
    const int left = area.left + 6;
    const int width = area.right - area.left - 12;
    const int top = area.top + 6;
    const int bottom = area.bottom - 4;
    if (const OptionControl* list = EditableListOf(data)) {
      LayoutEditableList(page, data, *list, left, top, width, bottom - top);
      return;
    }
    const int list_height = ListHeight(data, bottom - top);
    int y = top;
    for (const OptionGroup& group : data.groups) y = LayoutGroup(page, group, left, y, width, list_height);
  }

  // The list fills the page; its buttons stand in a column right of it.
  void LayoutEditableList(int page, const OptionPage& data, const OptionControl& list, int left, int top, int width,
                          int height) {
    Item& item = NewItem(page, list);
    item.window = AddListView(page, list, left, top, width - kListButtonWidth - 6, height, ItemId());
    int button_y = top;
    for (const OptionControl& control : data.groups[0].controls) {
      if (control.kind != K::kButton) continue;
      Item& button = NewItem(page, control);
      button.window = Add(page, WC_BUTTONW, win::Utf8ToWide(control.caption), WS_TABSTOP,
                          left + width - kListButtonWidth, button_y, kListButtonWidth, 25, ItemId());
      button_y += 30;
    }
  }

  // Lists share what the fixed rows leave of the page's `height`.
  static int ListHeight(const OptionPage& data, int height) {
    int fixed = 0, lists = 0;
    for (const OptionGroup& group : data.groups) {
      if (!group.caption.empty()) fixed += kGroupTop + kGroupBottom + kGroupGap;
      for (const OptionControl& control : group.controls) {
        if (control.same_row && control.kind != K::kHotKey) continue;
        if (control.kind == K::kList) {
          ++lists;
          if (!control.caption.empty()) fixed += kLabelRow;
        } else {
          fixed += RowHeight(control);
        }
      }
    }
    return lists ? std::max(40, (height - fixed) / lists - 4) : 0;
  }

  // One group of controls from `y` down, framed when it has a caption;
  // returns where the next group starts.
  int LayoutGroup(int page, const OptionGroup& group, int left, int y, int width, int list_height) {
    const int group_top = y;
    if (!group.caption.empty()) y += kGroupTop;
    Slot slot{.page = page,
              .x = 0,
              .y = y,
              .inner_left = group.caption.empty() ? left : left + 10,
              .inner_width = group.caption.empty() ? width : width - 20,
              .list_height = list_height};
    int right = slot.inner_left;  // right end of the last control, for same-row placement
    for (const OptionControl& control : group.controls) {
      if (control.same_row && control.kind != K::kHotKey) {
        slot.x = right + 6;
      } else {
        slot.x = slot.inner_left;
        slot.y = y;
        y +=
            control.kind == K::kList ? list_height + 4 + (control.caption.empty() ? 0 : kLabelRow) : RowHeight(control);
      }
      right = PlaceControl(control, slot);
    }
    if (group.caption.empty()) return y;
    const int height = y - group_top + kGroupBottom;
    Add(page, WC_BUTTONW, win::Utf8ToWide(group.caption), BS_GROUPBOX, left, group_top, width, height);
    return group_top + height + kGroupGap;
  }

  static int RowHeight(const OptionControl& control) {
    switch (control.kind) {
      case K::kCheck:
        return kCheckRow;
      case K::kPath:
        return kLabelRow + kFieldRow;
      case K::kButton:
        return kButtonRow;
      default:
        return kFieldRow;
    }
  }

  static const OptionControl* EditableListOf(const OptionPage& page) {
    for (const OptionGroup& group : page.groups) {
      for (const OptionControl& control : group.controls) {
        if (control.widget == W::kToolList || control.widget == W::kUserTagList) return &control;
      }
    }
    return nullptr;
  }

  // Where one control goes: its page, its top-left corner, the inner edge
  // and width of its group, and the height the page gives each list.
  struct Slot {
    int page;
    int x;
    int y;
    int inner_left;
    int inner_width;
    int list_height;
  };

  // Creates one control with its label, note and buddy; returns its right end.
  int PlaceControl(const OptionControl& control, const Slot& slot) {
    Item& item = NewItem(slot.page, control);
    switch (control.kind) {
      case K::kCheck:
        return PlaceCheck(item, slot);
      case K::kNumber:
        return PlaceNumber(item, slot);
      case K::kCombo:
        return PlaceCombo(item, slot);
      case K::kPath:
        return PlacePath(item, slot);
      case K::kHotKey:
        return PlaceHotKey(item, slot);
      case K::kButton:
        return PlaceButton(item, slot);
      case K::kField:
        return PlaceField(item, slot);
      case K::kList:
        return PlaceList(item, slot);
      case K::kLabel:
        return PlaceLabel(item, slot);
    }
    return slot.x;
  }

  // A control's note at (x, y); returns the note's right end, or `without`
  // when the control has none.
  int PlaceNote(const Slot& slot, const OptionControl& control, int x, int y, int without) {
    return AddNote(slot.page, control, x, y) ? x + TextWidth(win::Utf8ToWide(control.note)) : without;
  }

  int PlaceCheck(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    const std::wstring caption = win::Utf8ToWide(control.caption);
    const int width = std::min(TextWidth(caption) + 24, slot.inner_width - (slot.x - slot.inner_left));
    item.window =
        Add(slot.page, WC_BUTTONW, caption, WS_TABSTOP | BS_AUTOCHECKBOX, slot.x, slot.y, width, 18, ItemId());
    return PlaceNote(slot, control, slot.x + width + 2, slot.y + 1, slot.x + width);
  }

  int PlaceNumber(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    const int label = TextWidth(win::Utf8ToWide(control.caption)) + 4;
    AddLabel(slot.page, control.caption, slot.x, slot.y + 3, label);
    const int field_x = slot.x + label + 4;
    item.window = Add(slot.page, WC_EDITW, L"", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, field_x, slot.y, 60, 21,
                      ItemId(), WS_EX_CLIENTEDGE);
    item.buddy = Add(slot.page, UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                     0, 0, 0, 0);
    SendMessageW(item.buddy, UDM_SETBUDDY, reinterpret_cast<WPARAM>(item.window), 0);
    if (const settings::SettingDefinition* row = RangeOf(control.setting)) {
      SendMessageW(item.buddy, UDM_SETRANGE32, row->min_value, row->max_value);
    }
    UDACCEL accel{0, static_cast<UINT>(control.step)};
    SendMessageW(item.buddy, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    const int note_x = field_x + 64;
    return PlaceNote(slot, control, note_x, slot.y + 3, note_x);
  }

  int PlaceCombo(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    const int label = TextWidth(win::Utf8ToWide(control.caption)) + 4;
    AddLabel(slot.page, control.caption, slot.x, slot.y + 3, label);
    int widest = 0;
    for (std::string_view entry : control.items) widest = std::max(widest, TextWidth(win::Utf8ToWide(entry)));
    const int width = std::max(120, widest + 30);
    const int field_x = slot.x + label + 4;
    item.window = Add(slot.page, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, field_x, slot.y, width,
                      200, ItemId());
    for (std::string_view entry : control.items) {
      SendMessageW(item.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Utf8ToWide(entry).c_str()));
    }
    return field_x + width;
  }

  int PlacePath(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    AddLabel(slot.page, control.caption, slot.x, slot.y, slot.inner_width);
    const bool button = control.widget != W::kNone;
    const int width = slot.inner_width - (button ? 30 : 0);
    const int field_y = slot.y + kLabelRow;
    item.window = Add(slot.page, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, slot.x, field_y, width, 21, ItemId(),
                      WS_EX_CLIENTEDGE);
    if (button)
      item.buddy = Add(slot.page, WC_BUTTONW, L"...", WS_TABSTOP, slot.x + width + 4, field_y, 26, 21, BuddyId());
    return slot.x + slot.inner_width;
  }

  int PlaceHotKey(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    AddLabel(slot.page, control.caption, slot.x, slot.y + 3, kHotKeyLabelWidth - 4);
    const int field_x = slot.x + kHotKeyLabelWidth;
    item.window = Add(slot.page, HOTKEY_CLASSW, L"", WS_TABSTOP, field_x, slot.y, 120, 21, ItemId(), WS_EX_CLIENTEDGE);
    SendMessageW(item.window, HKM_SETRULES, 0, 0);  // any key, with or without modifiers
    AddNote(slot.page, control, field_x + 126, slot.y + 3);
    return field_x + 126;
  }

  int PlaceButton(Item& item, const Slot& slot) {
    const std::wstring caption = win::Utf8ToWide(item.control->caption);
    const int width = std::max(40, TextWidth(caption) + 24);
    item.window = Add(slot.page, WC_BUTTONW, caption, WS_TABSTOP, slot.x, slot.y, width, 25, ItemId());
    return slot.x + width;
  }

  int PlaceField(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    AddLabel(slot.page, control.caption, slot.x, slot.y + 3, kFieldLabelWidth - 4);
    const DWORD style = IsReadOnlyField(control.widget) ? ES_READONLY : WS_TABSTOP;
    item.window = Add(slot.page, WC_EDITW, L"", style | ES_AUTOHSCROLL, slot.x + kFieldLabelWidth, slot.y,
                      slot.inner_width - kFieldLabelWidth, 21, ItemId(), WS_EX_CLIENTEDGE);
    return slot.x + slot.inner_width;
  }

  int PlaceList(Item& item, const Slot& slot) {
    const OptionControl& control = *item.control;
    int top = slot.y;
    if (!control.caption.empty()) {
      AddLabel(slot.page, control.caption, slot.x, slot.y, slot.inner_width);
      top += kLabelRow;
    }
    item.window = AddListView(slot.page, control, slot.x, top, slot.inner_width, slot.list_height, ItemId());
    return slot.x + slot.inner_width;
  }

  int PlaceLabel(Item& item, const Slot& slot) {
    const int width = TextWidth(win::Utf8ToWide(item.control->caption)) + 4;
    item.window = AddLabel(slot.page, item.control->caption, slot.x, slot.y + 3, width);
    return slot.x + width;
  }

  HWND AddListView(int page, const OptionControl& control, int x, int y, int width, int height, int id) {
    DWORD style = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    if (!control.list_header) style |= LVS_NOCOLUMNHEADER;
    HWND list = Add(page, WC_LISTVIEWW, L"", style, x, y, width, height, id, WS_EX_CLIENTEDGE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const int columns = static_cast<int>(control.items.size());
    for (int i = 0; i < columns; ++i) {
      std::wstring title = win::Utf8ToWide(control.items[static_cast<std::size_t>(i)]);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = title.data();
      column.cx = Scale((width - 24) / columns);
      SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    return list;
  }

  static const settings::SettingDefinition* RangeOf(std::string_view key) {
    for (const settings::SettingDefinition& row : settings::SettingsTable()) {
      if (key == row.key) return &row;
    }
    return nullptr;
  }

  // ---- finding ----
  HWND SettingWindow(std::string_view key) const {
    for (const Item& item : items_) {
      if (item.control->setting == key) return item.window;
    }
    return nullptr;
  }
  HWND WidgetWindow(W widget) const {
    for (const Item& item : items_) {
      if (item.control->widget == widget && item.control->kind != K::kPath) return item.window;
    }
    return nullptr;
  }
  HWND PageList(int page) const {
    for (const Item& item : items_) {
      if (item.page == page && item.control->kind == K::kList) return item.window;
    }
    return nullptr;
  }
  Item* ItemOfId(int id) {
    const int index = id >= kFirstBuddyId ? id - kFirstBuddyId : id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
  }
  Item* ItemOfWindow(HWND window) {
    for (Item& item : items_) {
      if (item.window == window) return &item;
    }
    return nullptr;
  }
  EditableList* ListOfPage(int page) {
    if (page == kToolsPage) return &model_.Tools();
    if (page == kUserTagPage) return &model_.UserTags();
    return nullptr;
  }
  EditableList* ListOfWidget(W widget) {
    switch (widget) {
      case W::kToolList:
        return &model_.Tools();
      case W::kUserTagList:
        return &model_.UserTags();
      case W::kThroughWindowList:
        return &model_.ThroughWindows().List();
      default:
        return nullptr;
    }
  }

  // ---- model to screen and back ----
  void LoadControls() {
    for (const Item& item : items_) {
      const std::string_view key = item.control->setting;
      if (key.empty()) continue;
      switch (item.control->kind) {
        case K::kCheck:
          SendMessageW(item.window, BM_SETCHECK, model_.Check(key) ? BST_CHECKED : BST_UNCHECKED, 0);
          break;
        case K::kNumber:
          SendMessageW(item.buddy, UDM_SETPOS32, 0, model_.Number(key));
          break;
        case K::kCombo:
          SendMessageW(item.window, CB_SETCURSEL, model_.ComboIndex(key), 0);
          break;
        case K::kPath:
          win::SetWindowTextSjis(item.window, model_.Text(key));
          break;
        case K::kHotKey:
          SendMessageW(item.window, HKM_SETHOTKEY, HotKeyFieldValue(model_.HotKey(key)), 0);
          break;
        default:
          break;
      }
    }
  }

  void ReadControl(const Item& item) {
    const std::string_view key = item.control->setting;
    switch (item.control->kind) {
      case K::kCheck:
        model_.SetCheck(key, SendMessageW(item.window, BM_GETCHECK, 0, 0) == BST_CHECKED);
        break;
      case K::kNumber: {
        BOOL failed = FALSE;
        const int value =
            static_cast<int>(SendMessageW(item.buddy, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        model_.SetNumber(key, value);
        break;
      }
      case K::kCombo:
        model_.SetComboIndex(key, static_cast<int>(SendMessageW(item.window, CB_GETCURSEL, 0, 0)));
        break;
      case K::kPath:
        model_.SetText(key, win::WindowTextSjis(item.window));
        break;
      case K::kHotKey:
        model_.SetHotKey(key,
                         ShortcutFromHotKeyField(static_cast<WORD>(SendMessageW(item.window, HKM_GETHOTKEY, 0, 0))));
        break;
      default:
        break;
    }
  }

  void ReadControls() {
    for (const Item& item : items_) {
      if (!item.control->setting.empty()) ReadControl(item);
    }
  }

  void RenderEnabled() {
    for (const Item& item : items_) {
      const bool enabled = model_.IsEnabled(*item.control);
      EnableWindow(item.window, enabled);
      if (item.buddy) EnableWindow(item.buddy, enabled);
    }
  }

  void ShowPage(int page) {
    page_ = page;
    for (std::size_t i = 0; i < page_windows_.size(); ++i) {
      for (HWND window : page_windows_[i]) ShowWindow(window, static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
    }
  }

  void FillRows(HWND list, const std::vector<ListRow>& rows, int selected) {
    filling_ = true;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
      for (std::size_t column = 0; column < rows[row].size(); ++column) {
        std::wstring text = win::SjisToWide(rows[row][column]);
        LVITEMW entry{};
        entry.mask = LVIF_TEXT;
        entry.iItem = static_cast<int>(row);
        entry.iSubItem = static_cast<int>(column);
        entry.pszText = text.data();
        SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
      }
    }
    if (selected >= 0) {
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
      SendMessageW(list, LVM_ENSUREVISIBLE, selected, FALSE);
    }
    filling_ = false;
  }

  void FillList(W widget) {
    if (EditableList* list = ListOfWidget(widget)) FillRows(WidgetWindow(widget), list->Rows(), list->Selected());
  }

  void FillShownWindows() {
    shown_ = ListShownWindows(host_.Windows());
    std::vector<ListRow> rows;
    for (const ShownWindow& window : shown_) rows.push_back({window.title, window.class_name});
    FillRows(WidgetWindow(W::kShownWindowList), rows, -1);
  }

  void ShowInstalledBrowsers() {
    const std::string line = external::InstalledBrowsersLine(HasAppPath);
    SetWindowTextW(WidgetWindow(W::kInstalledBrowsers),
                   win::Utf8ToWide(line.empty() ? kNoBrowserInstalled : line).c_str());
  }

  void ShowThroughFields() {
    win::SetWindowTextSjis(WidgetWindow(W::kThroughName), model_.ThroughWindows().name);
    win::SetWindowTextSjis(WidgetWindow(W::kThroughClass), model_.ThroughWindows().class_name);
  }

  // ---- actions ----
  bool OnCommand(int id, int code, HWND control) override {
    if (id == IDOK) {
      if (!PathFieldsStorable()) return true;
      ReadControls();
      Close(true);
      return true;
    }
    if (id == kHelpId) {
      host_.ShowHelp(OptionsPageHelpContext(page_));
      return true;
    }
    Item* item = ItemOfId(id);
    if (!item) return false;
    if (id >= kFirstBuddyId) {
      RunBuddy(*item);
      return true;
    }
    const OptionControl& data = *item->control;
    if (data.kind == K::kCheck && code == BN_CLICKED) {
      ReadControl(*item);
      RenderEnabled();
    } else if (data.kind == K::kCombo && code == CBN_SELCHANGE) {
      ReadControl(*item);
      RenderEnabled();
    } else if (data.kind == K::kField && code == EN_CHANGE && data.widget == W::kThroughName) {
      model_.ThroughWindows().name = win::WindowTextSjis(item->window);
    } else if (data.kind == K::kButton && code == BN_CLICKED) {
      RunButton(*item);
    }
    return true;
  }

  // The settings file holds code page 932: a path field whose text it
  // cannot hold is shown on its page and reported, and the dialog stays.
  bool PathFieldsStorable() {
    for (const Item& item : items_) {
      if (item.control->kind != K::kPath || item.control->setting.empty() || IsStorable(item.window)) continue;
      SendMessageW(tab_, TCM_SETCURSEL, item.page, 0);
      ShowPage(item.page);
      StorableFieldText(Window(), item.window);
      return false;
    }
    return true;
  }

  void RunBuddy(const Item& item) {
    const OptionControl& data = *item.control;
    // Paths stay UTF-16 until the dialog closes: a name code page 932
    // cannot hold is shown as it is and reported at OK.
    const std::wstring current = WindowTextWide(item.window);
    std::optional<std::wstring> chosen;
    switch (data.widget) {
      case W::kBrowseFile:
        chosen = ChooseFile(Window(), data.browse_title, kExecutableFilter, current);
        break;
      case W::kBrowseFolder:
        chosen = ChooseFolder(Window(), "フォルダの参照", "相対パスの基本フォルダ:", current);
        SetForegroundWindow(Window());
        break;
      case W::kDetectClass:
        if (std::optional<std::string> found = DetectClass()) chosen = win::SjisToWide(*found);
        break;
      default:
        break;
    }
    if (chosen) SetWindowTextW(item.window, chosen->c_str());
  }

  // Starts the editor of the "実行ファイル" field and reads its window's class.
  std::optional<std::string> DetectClass() {
    const std::string file = win::WindowTextSjis(SettingWindow("EditorFile"));
    if (file.empty()) return std::nullopt;
    const EditorStart start = EditorStartForClassDetection(file);
    std::optional<StartedProgram> started =
        StartProgram(win::SjisToWide(start.application), win::SjisToWide(start.command_line),
                     win::SjisToWide(start.directory), nullptr);
    if (!started) {
      MessageBoxW(Window(), win::Utf8ToWide(kEditorStartFailed).c_str(), L"Tagsling", MB_OK | MB_ICONERROR);
      return std::nullopt;
    }
    bool idle = false;
    {
      // The dialog takes no input while the editor starts; it keeps painting
      // and answering, like the palette behind it.
      InputPause pause(Window());
      idle = WaitForInputIdlePumping(started->process.get(), kClassDetectionWaitMs) == WaitOutcome::kReady;
    }
    // Process 0 owns no window: only the earlier record counts.
    std::optional<std::string> found = DetectEditorClass(host_.Windows(), idle ? started->id : 0, host_);
    if (!found)
      MessageBoxW(Window(), win::Utf8ToWide(kClassDetectionFailed).c_str(), L"Tagsling", MB_OK | MB_ICONERROR);
    return found;
  }

  // Disables a window and gives it back enabled, with its focus, when it goes.
  class InputPause {
   public:
    explicit InputPause(HWND window) : window_(window), focus_(GetFocus()) { EnableWindow(window_, FALSE); }
    ~InputPause() {
      EnableWindow(window_, TRUE);
      if (focus_ && IsWindow(focus_)) SetFocus(focus_);
    }
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

   private:
    HWND window_;
    HWND focus_;
  };

  void RunButton(const Item& item) {
    switch (item.control->widget) {
      case W::kRestoreHasamiTime:
        model_.RestoreHasamiTime();
        SendMessageW(ItemOfWindow(SettingWindow("HasamiTime"))->buddy, UDM_SETPOS32, 0, model_.Number("HasamiTime"));
        break;
      case W::kKeySetDialog:
        ShowKeySetDialog(Window(), ClientOrigin(), host_.Settings());
        break;
      case W::kListAdd:
        AddItem(item.page);
        break;
      case W::kListEdit:
        EditItem(item.page);
        break;
      case W::kListDelete:
        DeleteItem(PageList(item.page));
        break;
      case W::kListUp:
      case W::kListDown: {
        EditableList* list = ListOfPage(item.page);
        const bool moved = item.control->widget == W::kListUp ? list->MoveSelectedUp() : list->MoveSelectedDown();
        if (moved) FillRows(PageList(item.page), list->Rows(), list->Selected());
        SetFocus(PageList(item.page));
        break;
      }
      case W::kShownWindowCopy:
        CopyShownWindow();
        break;
      case W::kShownWindowRefresh:
        FillShownWindows();
        break;
      case W::kThroughAdd:
        model_.ThroughWindows().name = win::WindowTextSjis(WidgetWindow(W::kThroughName));
        if (model_.ThroughWindows().Add()) {
          FillList(W::kThroughWindowList);
          ShowThroughFields();
        }
        break;
      case W::kThroughDelete:
        DeleteItem(WidgetWindow(W::kThroughWindowList));
        break;
      default:
        break;
    }
  }

  bool EditRow(int page, ListRow& row) {
    return page == kToolsPage ? ShowToolEditDialog(Window(), ClientOrigin(), row)
                              : ShowTagEditDialog(Window(), ClientOrigin(), row);
  }

  void AddItem(int page) {
    EditableList* list = ListOfPage(page);
    ListRow row;
    if (!EditRow(page, row)) return;
    list->Add(std::move(row));
    FillRows(PageList(page), list->Rows(), list->Selected());
  }

  void EditItem(int page) {
    EditableList* list = ListOfPage(page);
    if (!list->HasSelection()) return;
    ListRow row = list->Rows()[static_cast<std::size_t>(list->Selected())];
    if (!EditRow(page, row)) return;
    list->EditSelected(std::move(row));
    FillRows(PageList(page), list->Rows(), list->Selected());
  }

  void DeleteItem(HWND window) {
    Item* item = ItemOfWindow(window);
    EditableList* list = item ? ListOfWidget(item->control->widget) : nullptr;
    if (!list || !list->HasSelection()) return;
    if (MessageBoxW(Window(), win::Utf8ToWide(kDeleteItemQuestion).c_str(), win::Utf8ToWide(kDeleteItemCaption).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
      return;
    }
    list->DeleteSelected();
    FillRows(window, list->Rows(), list->Selected());
  }

  void CopyShownWindow() {
    const int selected = static_cast<int>(
        SendMessageW(WidgetWindow(W::kShownWindowList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected < 0 || selected >= static_cast<int>(shown_.size())) return;
    const ShownWindow& window = shown_[static_cast<std::size_t>(selected)];
    model_.ThroughWindows().CopyShownWindow(window.title, window.class_name);
    ShowThroughFields();
    SetFocus(WidgetWindow(W::kThroughName));
  }

  LRESULT OnNotify(const NMHDR& header) override {
    if (header.idFrom == kTabId && header.code == TCN_SELCHANGE) {
      ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
      return 0;
    }
    Item* item = ItemOfWindow(header.hwndFrom);
    if (!item || item->control->kind != K::kList) return 0;
    const W widget = item->control->widget;
    EditableList* list = ListOfWidget(widget);
    switch (header.code) {
      case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (filling_ || !list || !(change.uChanged & LVIF_STATE)) break;
        if (change.uNewState & LVIS_SELECTED) {
          list->Select(change.iItem);
        } else if ((change.uOldState & LVIS_SELECTED) && list->Selected() == change.iItem) {
          list->Select(-1);
        }
        break;
      }
      case NM_DBLCLK:
        if (widget == W::kShownWindowList) {
          CopyShownWindow();
        } else if (widget == W::kThroughWindowList) {
          if (model_.ThroughWindows().TakeSelectedIntoFields()) {
            FillList(W::kThroughWindowList);
            ShowThroughFields();
            SetFocus(WidgetWindow(W::kThroughName));
          }
        } else {
          EditItem(item->page);
        }
        break;
      case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE && list) DeleteItem(header.hwndFrom);
        break;
      default:
        break;
    }
    return 0;
  }

  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    if (message != WM_CTLCOLORSTATIC) return false;
    const HWND control = reinterpret_cast<HWND>(lparam);
    if (std::find(red_notes_.begin(), red_notes_.end(), control) == red_notes_.end()) return false;
    const HDC dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }

  OptionsDialogModel& model_;
  OptionsDialogHost& host_;
  int first_page_;
  int page_ = 0;
  HWND tab_ = nullptr;
  std::vector<Item> items_;
  std::vector<std::vector<HWND>> page_windows_;
  std::vector<HWND> red_notes_;
  std::vector<ShownWindow> shown_;
  bool filling_ = false;
};

// The options dialog exists (for IsBusy) exactly while this lives.
class OptionsDialogExistence {
 public:
  OptionsDialogExistence() { SetOptionsDialogExists(true); }
  ~OptionsDialogExistence() { SetOptionsDialogExists(false); }
  OptionsDialogExistence(const OptionsDialogExistence&) = delete;
  OptionsDialogExistence& operator=(const OptionsDialogExistence&) = delete;
};

}  // namespace

DriverKeyName Win32KeyNames() { return KeyNameFromDriver; }

bool ShowOptionsDialog(HWND owner, int first_page, OptionsDialogHost& host) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  OptionsDialogExistence exists;
  OptionsDialogModel model = OpenOptionsDialog(host);
  bool confirmed = false;
  try {
    OptionsDialog dialog(model, host, first_page);
    confirmed = dialog.ShowModal(owner, kOptionsWindowClass);
  } catch (...) {
    // The hot keys come back whatever happened to the dialog.
    CloseOptionsDialog(model, false, host);
    throw;
  }
  try {
    CloseOptionsDialog(model, confirmed, host);
  } catch (const settings::SettingsWriteError& error) {
    win::ShowErrorBox(error.what());
  }
  return confirmed;
}

bool RunOptionsCommand(OptionsOpenSource source, HWND app, HWND main, OptionsDialogHost& host) {
  const OptionsOpening opening = DecideOptionsOpening(source, IsIconic(app) != FALSE, IsWindowVisible(main) == FALSE);
  if (opening.app_to_foreground) SetForegroundWindow(app);
  if (opening.hide_taskbar_button) RemoveTaskbarButton(app);
  const bool confirmed = ShowOptionsDialog(main, opening.first_page, host);
  if (opening.hide_taskbar_button) RestoreTaskbarButton(app, false);
  if (opening.return_foreground) {
    const core::SelfWindows self{reinterpret_cast<platform::WindowHandle>(main),
                                 reinterpret_cast<platform::WindowHandle>(app)};
    core::ReturnForegroundToTarget(host.Windows(), self, settings::ThroughWindowClasses());
  }
  return confirmed;
}

}  // namespace tagsling::ui

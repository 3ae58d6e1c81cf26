#pragma once
// The options dialog as data: its caption and size, the ten tab pages in
// order, the groups of each page and every control with its caption, bound
// setting, list items and up-down step. The Win32 layer creates the controls
// from these tables at run time; the portable model (OptionsDialogModel)
// loads and applies the bound settings by walking the same tables, with
// types, defaults and ranges taken from the settings table, so no setting is
// listed twice.
//
// Texts are UTF-8 exactly as displayed.

#include <cstdint>
#include <span>
#include <string_view>

namespace tagsling::ui {

enum class OptionKind : std::uint8_t {
  kCheck,   // check box bound to a Boolean setting
  kNumber,  // edit field with up-down buttons bound to an Integer setting
  kCombo,   // drop-down list bound to an Integer setting (item index = value)
  kPath,    // one-line edit bound to a String setting, usually with a "..." button
  kHotKey,  // hot-key entry field bound to a String setting (shortcut text)
  kButton,  // push button running `widget`
  kLabel,   // static text
  kList,    // report-style list view (`widget` names which one)
  kField,   // one-line edit not bound to a setting (`widget` names it)
};

// Controls that are not bound to a setting, and the actions of buttons.
enum class OptionWidget : std::uint8_t {
  kNone,
  // "..." buttons beside path fields.
  kBrowseFile,    // open-file dialog, title `browse_title`
  kBrowseFolder,  // folder browser
  kDetectClass,   // class detection by starting the editor
  // Buttons.
  kRestoreHasamiTime,  // "初期値に戻す"
  kKeySetDialog,       // "仮想キーの設定..."
  kListAdd,
  kListEdit,
  kListDelete,
  kListUp,
  kListDown,
  kShownWindowCopy,     // "↓"
  kShownWindowRefresh,  // "最新の情報に更新"
  kThroughAdd,
  kThroughDelete,
  // Lists.
  kToolList,
  kUserTagList,
  kShownWindowList,
  kThroughWindowList,
  // Unbound fields of the ignored-windows page.
  kThroughName,
  kThroughClass,  // read-only
  // The browser page's line of today's browsers found installed (App Paths
  // entries), read-only.
  kInstalledBrowsers,
};

// Fields the user reads but cannot edit.
constexpr bool IsReadOnlyField(OptionWidget widget) {
  return widget == OptionWidget::kThroughClass || widget == OptionWidget::kInstalledBrowsers;
}

struct OptionControl {
  OptionKind kind = OptionKind::kLabel;
  std::string_view setting = {};                 // bound setting key, "" when unbound
  std::string_view caption = {};                 // check-box text, field label, button text, list label
  std::string_view note = {};                    // text after the control ("ミリ秒", "(ノーマル)", ...)
  std::span<const std::string_view> items = {};  // Combo: items; List: column titles
  int step = 1;                                  // Number: up-down increment
  OptionWidget widget = OptionWidget::kNone;     // Button/List/Field: which; Path: its "..." button
  std::string_view browse_title = {};            // BrowseFile: the file dialog's title
  bool same_row = false;                         // placed to the right of the previous control
  bool red_note = false;                         // the note is drawn in red
  bool list_header = true;                       // List: column headers shown
};

struct OptionGroup {
  std::string_view caption;  // "" for controls placed straight on the page
  std::span<const OptionControl> controls;
};

struct OptionPage {
  std::string_view caption;  // tab caption
  std::span<const OptionGroup> groups;
};

// The dialog window.
inline constexpr std::string_view kOptionsCaption = "オプション - Tagsling";
inline constexpr int kOptionsClientWidth = 425;
inline constexpr int kOptionsClientHeight = 455;  // room for the live preview's two settings
inline constexpr std::string_view kOkButton = "OK";
inline constexpr std::string_view kCancelButton = "キャンセル";
inline constexpr std::string_view kHelpButton = "ヘルプ";

// Page indexes used by the opening commands.
inline constexpr int kGeneralPage = 0;
inline constexpr int kToolsPage = 4;
inline constexpr int kThroughWindowPage = 5;
inline constexpr int kUserTagPage = 9;
inline constexpr int kOptionsPageCount = 10;

// The ten pages in order, page index from 0.
std::span<const OptionPage> OptionsPages();

// Visits every control of every page with its page index.
template <typename Visit>
void ForEachOptionControl(Visit&& visit) {
  int page_index = 0;
  for (const OptionPage& page : OptionsPages()) {
    for (const OptionGroup& group : page.groups) {
      for (const OptionControl& control : group.controls) visit(page_index, control);
    }
    ++page_index;
  }
}

// The control bound to `setting`, or nullptr.
const OptionControl* FindOptionControl(std::string_view setting);

// Value of the "初期値に戻す" button for HasamiTime.
inline constexpr int kHasamiTimeDefault = 100;

// The question asked before a list item is deleted.
inline constexpr std::string_view kDeleteItemQuestion = "選択されているアイテムを削除してよろしいですか？";
inline constexpr std::string_view kDeleteItemCaption = "アイテム削除の確認";
// Class detection failed to start the editor.
inline constexpr std::string_view kEditorStartFailed = "テキストエディタの起動に失敗しました。";
// Class detection started the editor but found no window to read a class from.
inline constexpr std::string_view kClassDetectionFailed = "ウィンドウクラス名を取得できませんでした。";
// The installed-browsers line when no browser was found.
inline constexpr std::string_view kNoBrowserInstalled = "(見つかりません)";
// Filter of the executable choosers of the options dialog ("|" separated
// pairs of description and pattern).
inline constexpr std::string_view kExecutableFilter = "実行ファイル (*.exe)|*.exe";

}  // namespace tagsling::ui

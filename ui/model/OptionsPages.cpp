#include "ui/model/OptionsPages.h"

namespace tagsling::ui {
namespace {

using K = OptionKind;
using W = OptionWidget;

constexpr OptionControl Check(std::string_view setting, std::string_view caption, std::string_view note = {},
                              bool red_note = false) {
  return {K::kCheck, setting, caption, note, {}, 1, W::kNone, {}, false, red_note};
}
// A check box to the right of the control before it (short captions only).
constexpr OptionControl CheckBeside(std::string_view setting, std::string_view caption) {
  return {K::kCheck, setting, caption, {}, {}, 1, W::kNone, {}, true};
}
constexpr OptionControl Number(std::string_view setting, std::string_view caption, int step,
                               std::string_view note = {}) {
  return {K::kNumber, setting, caption, note, {}, step};
}
constexpr OptionControl Combo(std::string_view setting, std::string_view caption,
                              std::span<const std::string_view> items) {
  return {K::kCombo, setting, caption, {}, items};
}
constexpr OptionControl Path(std::string_view setting, std::string_view caption, W button = W::kNone,
                             std::string_view browse_title = {}) {
  return {K::kPath, setting, caption, {}, {}, 1, button, browse_title};
}
constexpr OptionControl HotKey(std::string_view setting, std::string_view row_caption, std::string_view note = {}) {
  // A hot key without a row caption shares the row of the one before it.
  return {K::kHotKey, setting, row_caption, note, {}, 1, W::kNone, {}, row_caption.empty()};
}
constexpr OptionControl Button(W widget, std::string_view caption, bool same_row = false) {
  return {K::kButton, {}, caption, {}, {}, 1, widget, {}, same_row};
}
constexpr OptionControl List(W widget, std::string_view caption, std::span<const std::string_view> columns,
                             bool header = true) {
  return {K::kList, {}, caption, {}, columns, 1, widget, {}, false, false, header};
}
constexpr OptionControl Field(W widget, std::string_view caption) {
  return {K::kField, {}, caption, {}, {}, 1, widget};
}

// Page 0 "全般".
constexpr OptionControl kAutoActive[] = {
    Check("AutoActive_OnTop", "オートアクティブする"),
    Number("AutoActive_Margin", "デスクトップ両端からの無視する領域(0～9999):", 10),
};
constexpr OptionControl kTray[] = {
    Check("TrayIcon", "タスクトレイに常駐する"),
    Check("StartNoForm", "起動時にメインウィンドウを表示しない"),
    Check("EscClose", "ESCでメインウィンドウを閉じる"),
};
constexpr OptionControl kTitleWindow[] = {Check("SplashWindow", "起動時にタイトルウィンドウを表示する")};
constexpr OptionControl kAppbar[] = {
    Check("Appbar", "アプリケーションバー形式で起動する"),
    Check("NoMenuBar", "メニューバーを非表示にする"),
};
constexpr OptionGroup kGeneral[] = {
    {"オートアクティブ(ウィンドウが最大化されている時のみ有効)", kAutoActive},
    {"タスクトレイ", kTray},
    {"タイトルウィンドウ", kTitleWindow},
    {"アプリケーションバー(変更結果は次回起動時に有効)", kAppbar},
};

// Page 1 "動作".
constexpr std::string_view kSelStrItems[] = {"切り取り", "コピー"};
constexpr std::string_view kSendMessageItems[] = {"仮想キー操作で処理する", "Windowsメッセージで処理する"};
constexpr OptionControl kTagPaste[] = {
    Check("InsTextLower", "小文字で貼り付けする"),
    CheckBeside("RestoreClipboard", "挿入後にクリップボードを元に戻す"),
    Check("UserTagNoLower", "登録タグは小文字に変換しない"),
    Check("CursorBak", "入力位置にキャレット(カーソル)を移動する"),
};
constexpr OptionControl kSandwich[] = {
    Combo("HasamiSelStr", "テキスト選択範囲の処理方法:", kSelStrItems),
    Check("PasteHasamiOff", "貼り付け後挟み込みモードをOFFにする"),
    // The paste lag below is then only the longest wait.
    CheckBeside("AdaptivePasteLag", "タイムラグを自動短縮"),
    Check("NoSelStr_TagPaste", "挟み込み失敗時はノーマルモードでタグ貼り付け"),
    Number("HasamiTime", "貼り付けタイムラグ(1～10000):", 10, "ミリ秒"),
    Button(W::kRestoreHasamiTime, "初期値に戻す", true),
};
constexpr OptionControl kCutAndPaste[] = {
    Combo("SendMessage", "処理方法:", kSendMessageItems),
    Button(W::kKeySetDialog, "仮想キーの設定...", true),
    Check("KeyUpPaste", "Shift及びCtrlキー解放後に貼り付けを実行する", "(ONを推薦)", true),
};
constexpr OptionGroup kOperation[] = {
    {"タグ貼り付け", kTagPaste},
    {"挟み込み/タグ削除", kSandwich},
    {"カットアンドペースト", kCutAndPaste},
};

// Page 2 "表示/ツール".
constexpr std::string_view kMenuPositionItems[] = {"キャレット位置", "ウィンドウ左上", "マウスカーソル上"};
constexpr std::string_view kOpenStyleItems[] = {"フォルダウィンドウ", "エクスプローラウィンドウ"};
constexpr OptionControl kMenuDisplay[] = {
    Check("MenuImg", "すべてのメニューにアイコンを表示する"),
    Combo("PMIti_S", "タグメニュー(高頻度)表示位置:", kMenuPositionItems),
    Combo("PMIti_A", "タグメニュー(すべて)表示位置:", kMenuPositionItems),
    Combo("PMIti_Tool", "ツールメニュー表示位置:", kMenuPositionItems),
    Combo("PMIti_OuterTools", "外部ツールメニュー表示位置:", kMenuPositionItems),
    Check("MouseMove", "マウスカーソルをポップアップメニューの左上へ移動する"),
};
constexpr OptionControl kToolOptions[] = {
    Path("Public_Dir", "相対パスの基本フォルダ(「ファイル名入力」で使用):", W::kBrowseFolder),
    Combo("KihonDirOpenStyle", "基本フォルダを開く形式:", kOpenStyleItems),
    Check("ImageSize", "「ファイル名入力」でイメージ選択時に縦横サイズを入力する"),
};
constexpr OptionGroup kDisplay[] = {
    {"メニュー表示", kMenuDisplay},
    {"ツール", kToolOptions},
};

// Page 3 "外部プログラム".
constexpr OptionControl kEditor[] = {
    Path("EditorFile", "実行ファイル:", W::kBrowseFile, "テキストエディタの実行ファイル"),
    Check("EditorWindowMax", "起動時にウィンドウを空き領域サイズで表示する"),
    Path("EditorCmdLine", "コマンドラインパラメータ:"),
    Path("EditorWindowClass", "ウィンドウクラス名(WindowsNT4.0/2000/XPのみ必須):", W::kDetectClass),
};
constexpr OptionControl kBrowsers[] = {
    Path("IeFile", "Internet Explorer の実行ファイル:", W::kBrowseFile, "Internet Explorer の実行ファイル"),
    Path("NnFile", "Netscape Navigator の実行ファイル:", W::kBrowseFile, "Netscape Navigator の実行ファイル"),
    Field(W::kInstalledBrowsers, "インストール済み:"),
    Number("LivePreviewPort", "ライブプレビューのポート(0=自動):", 1),
    Path("LivePreviewBrowser", "ライブプレビューのブラウザ(空欄=既定):", W::kBrowseFile, "ライブプレビューのブラウザ"),
};
constexpr OptionGroup kPrograms[] = {
    {"テキストエディタの設定", kEditor},
    {"WWWブラウザの設定", kBrowsers},
};

// The add/edit/delete/up/down column shared by the tool and user-tag pages.
#define TS_LIST_BUTTONS                                                                      \
  Button(W::kListAdd, "追加"), Button(W::kListEdit, "編集"), Button(W::kListDelete, "削除"), \
      Button(W::kListUp, "上へ"), Button(W::kListDown, "下へ")

// Page 4 "外部ツール".
constexpr std::string_view kToolColumns[] = {"名前", "実行ファイル", "コマンドライン", "作業フォルダ"};
constexpr OptionControl kToolList[] = {List(W::kToolList, "", kToolColumns), TS_LIST_BUTTONS};
constexpr OptionGroup kTools[] = {{"", kToolList}};

// Page 5 "無視するウィンドウ".
constexpr std::string_view kShownColumns[] = {"ウィンドウタイトル", "ウィンドウクラス名"};
constexpr std::string_view kThroughColumns[] = {"名前", "ウィンドウクラス名"};
constexpr OptionControl kThroughPage[] = {
    List(W::kShownWindowList, "現在表示されているウィンドウ:", kShownColumns, false),
    Button(W::kShownWindowCopy, "↓"),
    Button(W::kShownWindowRefresh, "最新の情報に更新", true),
    Field(W::kThroughName, "名前:"),
    Field(W::kThroughClass, "ウィンドウクラス名:"),
    List(W::kThroughWindowList, "", kThroughColumns),
    Button(W::kThroughAdd, "追加"),
    Button(W::kThroughDelete, "削除", true),
};
constexpr OptionGroup kThrough[] = {{"", kThroughPage}};

// Pages 6 to 8: hot keys.
constexpr OptionControl kPopupHotKeys[] = {
    HotKey("PMHotKey_S", "高頻度のタグ:", "(ノーマル)"),
    HotKey("PMHotKey_Mode", "", "(モード切替)"),
    HotKey("PMHotKey", "すべてのタグ:", "(ノーマル)"),
    HotKey("PMHotKey_S_Mode", "", "(モード切替)"),
    HotKey("PMHotKey_Tool", "ツール:"),
    HotKey("PMHotKey_OuterTools", "外部ツール:"),
};
constexpr OptionControl kAbbrevHotKeys[] = {
    HotKey("ExpandAbbrevHotKey", "略記を展開:"),
    HotKey("WrapAbbrevHotKey", "略記で囲む:"),
};
constexpr OptionGroup kMenuHotKeyPage[] = {
    {"ポップアップメニューを表示", kPopupHotKeys},
    {"略記", kAbbrevHotKeys},
};

constexpr OptionControl kBrowserHotKeys[] = {
    HotKey("W640HotKey", "640 x 480:"),
    HotKey("W800HotKey", "800 x 600:"),
    HotKey("W1024HotKey", "1024 x 768:"),
};
constexpr OptionControl kEditorHotKeys[] = {
    HotKey("EditorNewHotKey", "新規作成:"),
    HotKey("EditorOpenHotKey", "開く:"),
    HotKey("EditorWinMaxHotKey", "空き領域サイズ:"),
};
constexpr OptionControl kBaseFolderHotKeys[] = {
    HotKey("OpenBaseDirHotKey", "開く:"),
    HotKey("SetBaseDirHotKey", "指定:"),
    HotKey("DelBaseDirHotKey", "クリア:"),
};
constexpr OptionGroup kBrowserEditorFolderHotKeyPage[] = {
    {"アクティブなブラウザのウィンドウサイズを変更", kBrowserHotKeys},
    {"テキストエディタ", kEditorHotKeys},
    {"基本フォルダ", kBaseFolderHotKeys},
};

constexpr OptionControl kWindowHotKeys[] = {
    HotKey("ActiveHotKey", "メインウィンドウ:"),
    HotKey("FileHotKey", "ファイル名入力:"),
    HotKey("UrlHotKey", "URL入力:"),
    HotKey("TextHotKey", "テキスト差込入力:"),
    HotKey("ColorHotKey", "カラーRGB:"),
};
constexpr OptionControl kSandwichHotKeys[] = {HotKey("HasamiHotKey", "ON/OFF切替:")};
constexpr OptionControl kPreviewHotKeys[] = {
    HotKey("OpenIEHotKey", "Internet Explorer:"),
    HotKey("OpenNNHotKey", "Netscape Navigator:"),
    HotKey("OpenDefaultBrowserHotKey", "既定のブラウザ:"),
    HotKey("LivePreviewHotKey", "ライブプレビュー:"),
};
constexpr OptionGroup kWindowModePreviewHotKeyPage[] = {
    {"ウィンドウを表示", kWindowHotKeys},
    {"挟み込みモード", kSandwichHotKeys},
    {"ブラウザでプレビュー", kPreviewHotKeys},
};

// Page 9 "登録タグ".
constexpr std::string_view kUserTagColumns[] = {"タイトル", "タグ"};
constexpr OptionControl kUserTagList[] = {List(W::kUserTagList, "", kUserTagColumns), TS_LIST_BUTTONS};
constexpr OptionGroup kUserTags[] = {{"", kUserTagList}};

#undef TS_LIST_BUTTONS

constexpr OptionPage kPages[] = {
    {"全般", kGeneral},
    {"動作", kOperation},
    {"表示/ツール", kDisplay},
    {"外部プログラム", kPrograms},
    {"外部ツール", kTools},
    {"無視するウィンドウ", kThrough},
    {"ホットキー1", kMenuHotKeyPage},
    {"ホットキー2", kBrowserEditorFolderHotKeyPage},
    {"ホットキー3", kWindowModePreviewHotKeyPage},
    {"登録タグ", kUserTags},
};
static_assert(std::size(kPages) == kOptionsPageCount);

}  // namespace

std::span<const OptionPage> OptionsPages() { return kPages; }

const OptionControl* FindOptionControl(std::string_view setting) {
  const OptionControl* found = nullptr;
  ForEachOptionControl([&](int, const OptionControl& control) {
    if (!found && !setting.empty() && control.setting == setting) found = &control;
  });
  return found;
}

}  // namespace tagsling::ui

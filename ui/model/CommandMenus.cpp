// The menu bar, the tag popups' frames, the menus of the palette's menu
// buttons, the context menus and the hot-key tool menus, with the command
// fragments they share.

#include "ui/model/MenuTrees.h"

namespace tagsling::ui {
namespace {

using T = TableId;
using P = Picture;
using enum CommandId;
using L = settings::ListMenu;

constexpr MenuRow kEditorFileItems[] = {
    Cmd(0, "新規作成(&N)", kEditorNew, P::kNewDocument),
    Cmd(0, "開く(&O)...", kEditorOpen, P::kOpen),
};

constexpr MenuRow kBrowserItems[] = {
    Cmd(0, "Internet Explorer(&I)...", kPreviewIE, P::kInternetExplorer),
    Cmd(0, "Netscape Navigator(&N)...", kPreviewNN, P::kNetscape),
    Cmd(0, "既定のブラウザで表示(&D)", kPreviewDefaultBrowser, P::kDefaultBrowserPreview),
    Use(0, T::kLivePreviewItems),
};

// Live preview: checked while it runs; its stop is enabled only then.
constexpr MenuRow kLivePreviewItems[] = {
    Cmd(0, "ライブプレビュー(&L)", kLivePreview, P::kLivePreview, kCheckable),
    Cmd(0, "ライブプレビューを停止(&Q)", kStopLivePreview),
};

constexpr MenuRow kBrowserSizes[] = {
    Cmd(0, "&640x480", kBrowserSize640),
    Cmd(0, "&800x600", kBrowserSize800),
    Cmd(0, "&1024x768", kBrowserSize1024),
};

constexpr MenuRow kInputItems[] = {
    Cmd(0, "ファイル名入力(&F)...", kFileNameInput, P::kFileNameInput),
    Cmd(0, "URL入力(&U)...", kUrlInput, P::kUrlInput),
    Cmd(0, "テキスト差込入力(&T)...", kTextInsert, P::kTextFileInsertion),
    Cmd(0, "カラーRGB(&C)...", kColorRgb, P::kColorInput),
};

constexpr MenuRow kTagDeleteItems[] = {
    Cmd(0, "一番外側のタグ(&W)", kDeleteOutermostTag),
    Cmd(0, "すべてのタグ(&A)", kDeleteAllTags),
    Sep(0),
    Cmd(0, "コメントを解除(&O)", kRemoveComment),
};

constexpr MenuRow kAbbrevItems[] = {
    Cmd(0, "略記を展開(&E)", kExpandAbbreviation, P::kExpandAbbreviation),
    Cmd(0, "略記で囲む(&W)", kWrapWithAbbreviation, P::kWrapWithAbbreviation),
};

constexpr MenuRow kBaseFolderItems[] = {
    Cmd(0, "基本フォルダを開く(&O)...", kOpenBaseFolder),
    Cmd(0, "基本フォルダを指定(&B)...", kSetBaseFolder),
    Cmd(0, "基本フォルダをクリア(&D)", kClearBaseFolder),
    Sep(0),
    Cmd(0, "相対パス入力(&P)", kToggleRelativePath, P::kNone, kCheckable),
};

constexpr MenuRow kMainMenu[] = {
    Sub(0, "ファイル(&F)", P::kNone, "File1Click"),
    Use(1, T::kEditorFileItems),
    Sep(1),
    Cmd(1, "挟み込みモード(&H)", kToggleSandwich, P::kNone, kCheckable),
    Sep(1),
    Cmd(1, "閉じる(&C)", kCloseWindow, P::kClose),
    Sub(0, "タグ(&T)"),
    Use(1, T::kTagTree),
    Sub(0, "登録タグ(&U)"),
    Cmd(1, "登録タグの編集(&E)...", kEditUserTags, P::kUserTags),
    Sep(1),
    UserTags(1, L::kMenuBarUserTag),
    Sub(0, "ツール(&L)"),
    Sub(1, "タグの削除(&D)", P::kTagDeletion),
    Use(2, T::kTagDeleteItems),
    // A submenu of its own: "&E" and "&W" are taken in the menus around it.
    Sub(1, "略記(&R)"),
    Use(2, T::kAbbrevItems),
    Sep(1),
    Use(1, T::kInputItems),
    Sep(1),
    Sub(1, "基本フォルダ(&E)", P::kNone, "E4Click"),
    Use(2, T::kBaseFolderItems),
    Cmd(1, "オプション(&S)...", kOptionsDialog, P::kOptions),
    Sub(0, "外部ツール(&P)"),
    Cmd(1, "外部ツールの編集(&E)...", kEditTools, P::kExternalTools),
    Sep(1),
    Tools(1, L::kMenuBarTools),
    Sub(0, "ウィンドウ(&W)", P::kNone, "Window1Click"),
    Cmd(1, "エディタを空き領域サイズで表示(&E)", kEditorToFreeArea, P::kEditorInFreeArea),
    Sep(1),
    Use(1, T::kBrowserItems),
    Sep(1),
    Sub(1, "ブラウザのサイズ変更(&B)", P::kBrowserSize, "N129Click"),
    Use(2, T::kBrowserSizes),
    Sep(1),
    Cmd(1, "常に最前面表示(&T)", kToggleOnTop, P::kNone, kCheckable),
    Sub(0, "ヘルプ(&H)"),
    Cmd(1, "トピックの検索(H)...", kHelpTopics),
    Cmd(1, "作者のホームページ(&W)...", kHomePage),
    Sep(1),
    Cmd(1, "バージョン情報(&A)...", kAbout),
};

// TagPopup: the tag tree, then the user tags (hidden with their separator
// while none are registered).
constexpr MenuRow kTagPopup[] = {
    Use(0, T::kTagTree),
    Sep(0),
    Sub(0, "登録タグ(&U)", P::kUserTags),
    UserTags(1, L::kTagPopupUserTag),
};

constexpr MenuRow kShortTagPopup[] = {
    Tag(0, "改行 <&BR>", "P_Br", P::kLineBreak),
    Tag(0, "段落 <&P>", "P_P_P", P::kParagraph),
    Sep(0),
    Sub(0, "文字(&M)", P::kFont),
    Tag(1, "フォント <&FONT>", "Moji_Font_Font", P::kFont),
    Tag(1, "色 (&COLOR=\"\")", "Moji_Font_Color"),
    Sep(1),
    Tag(1, "太文字 <&B>", "Moji_B", P::kBold),
    Tag(1, "斜体 <&I>", "Moji_I", P::kItalic),
    Tag(1, "アンダーライン <&U>", "Moji_U", P::kUnderline),
    Tag(1, "取消線 <&S>", "Moji_S", P::kStrike),
    Tag(1, "幅等 <&TT>", "Moji_Tt", P::kTeletype),
    Sep(1),
    Tag(1, "大きく表示 <BI&G>", "Moji_Big", P::kBig),
    Tag(1, "小さく表示 <S&MALL>", "Moji_Small", P::kSmall),
    Sub(0, "特殊記号(&T)"),
    Use(1, T::kEntities),
    Sep(0),
    Sub(0, "見出し <&Hn>", P::kHeadings),
    Use(1, T::kHeadingLevels),
    Sub(0, "表示位置 <&DIV>"),
    Use(1, T::kDivAligns),
    Tag(0, "センタリング <&CENTER>", "P_Center", P::kCenter),
    Tag(0, "水平線 <H&R>", "P_Hr_Hr", P::kHorizontalRule),
    Sep(0),
    Tag(0, "URL <&A HREF=\"\">", "Link_AHref_AHref", P::kLink),
    Tag(0, "画像 <&IMG SRC=\"\">", "Link_Img_Img", P::kImage),
    Sep(0),
    Tag(0, "コメント(&O) <!--  -->", "Kihon_Comment", P::kComment),
    Sep(0),
    Sub(0, "HTML5(&5)", P::kHtml5Document),
    Use(1, T::kHtml5Tags),
    Sep(0),
    Sub(0, "登録タグ(&U)", P::kUserTags),
    UserTags(1, L::kShortTagPopupUserTag),
};

constexpr MenuRow kUserTagButtonMenu[] = {
    Cmd(0, "登録タグの編集(&E)...", kEditUserTags, P::kNone, kPressesOwnerButton),
    Sep(0),
    UserTags(0, L::kUserTagButton),
};

constexpr MenuRow kTagDeleteButtonMenu[] = {
    Cmd(0, "一番外側のタグを削除(&W)", kDeleteOutermostTag),
    Cmd(0, "すべてのタグを削除(&A)", kDeleteAllTags),
    Sep(0),
    Cmd(0, "コメントを解除(&O)", kRemoveComment),
};

constexpr MenuRow kToolsButtonMenu[] = {
    Cmd(0, "外部ツールの編集(&E)...", kEditTools, P::kNone, kPressesOwnerButton),
    Sep(0),
    Tools(0, L::kToolsButton),
};

constexpr MenuRow kToolPanelMenu[] = {
    Use(0, T::kEditorFileItems),
    Sep(0),
    Cmd(0, "挟み込みモード(&H)", kToggleSandwich, P::kNone, kCheckable),
    Cmd(0, "常に最前面表示(&T)", kToggleOnTop, P::kNone, kCheckable),
    Sep(0),
    Cmd(0, "オプション(&S)...", kOptionsDialog, P::kOptions),
    Cmd(0, "バージョン情報(&A)...", kAbout),
    Sep(0),
    Cmd(0, "閉じる(&C)", kCloseWindow, P::kClose),
};

constexpr MenuRow kBaseFolderMenu[] = {Use(0, T::kBaseFolderItems)};

constexpr MenuRow kToolHotKeyMenu[] = {
    Cmd(0, "一番外側のタグを削除(&W)", kDeleteOutermostTagFromPopup),
    Cmd(0, "すべてのタグを削除(&A)", kDeleteAllTagsFromPopup),
    Sep(0),
    Cmd(0, "コメントを解除(&O)", kRemoveCommentFromPopup),
    Sep(0),
    Sub(0, "略記(&R)"),
    Cmd(1, "略記を展開(&E)", kExpandAbbreviationFromPopup, P::kExpandAbbreviation),
    Cmd(1, "略記で囲む(&W)", kWrapWithAbbreviationFromPopup, P::kWrapWithAbbreviation),
    Sep(0),
    Use(0, T::kInputItems),
    Sep(0),
    Use(0, T::kLivePreviewItems),
    Sep(0),
    Sub(0, "基本フォルダ(&E)", P::kNone, "E5Click"),
    Use(1, T::kBaseFolderItems),
    Cmd(0, "オプション(&S)...", kOptionsDialogFromPopup, P::kOptions),
};

constexpr MenuRow kOuterToolHotKeyMenu[] = {Tools(0, L::kOuterToolHotKeyMenuTools)};

constexpr MenuRow kTrayMenu[] = {
    Cmd(0, "オプション(&S)...", kOptionsDialog, P::kOptions),
    Sub(0, "基本フォルダ(&E)", P::kNone, "B5Click"),
    Use(1, T::kBaseFolderItems),
    Cmd(0, "バージョン情報(&A)...", kAbout, P::kNone, kHidden),
    Sep(0),
    Sub(0, "ブラウザ表示/サイズ(&B)", P::kNone, "B1Click"),
    Use(1, T::kBrowserItems),
    Sep(1),
    Use(1, T::kBrowserSizes),
    Sep(0),
    Sub(0, "ツール(&L)"),
    Use(1, T::kInputItems),
    Sep(1),
    Use(1, T::kAbbrevItems),
    Sub(0, "外部ツール(&P)", P::kExternalTools),
    Tools(1, L::kTrayMenuTools),
    Sub(0, "タグの削除(&D)", P::kTagDeletion),
    Use(1, T::kTagDeleteItems),
    Sep(0),
    Cmd(0, "挟み込みモード(&H)", kToggleSandwich, P::kNone, kCheckable),
    Sep(0),
    Use(0, T::kEditorFileItems),
    Sep(0),
    Cmd(0, "メインウィンドウ表示(&W)...", kShowMainWindow),
    Cmd(0, "Tagsling の終了(&X)", kTrayExit, P::kClose),
};

constexpr MenuTable kTables[] = {
    {T::kEditorFileItems, kEditorFileItems},
    {T::kBrowserItems, kBrowserItems},
    {T::kBrowserSizes, kBrowserSizes},
    {T::kInputItems, kInputItems},
    {T::kTagDeleteItems, kTagDeleteItems},
    {T::kAbbrevItems, kAbbrevItems},
    {T::kBaseFolderItems, kBaseFolderItems},
    {T::kLivePreviewItems, kLivePreviewItems},
    {T::kMainMenu, kMainMenu},
    {T::kTagPopup, kTagPopup},
    {T::kShortTagPopup, kShortTagPopup},
    {T::kUserTagButtonMenu, kUserTagButtonMenu},
    {T::kTagDeleteButtonMenu, kTagDeleteButtonMenu},
    {T::kToolsButtonMenu, kToolsButtonMenu},
    {T::kToolPanelMenu, kToolPanelMenu},
    {T::kBaseFolderMenu, kBaseFolderMenu},
    {T::kToolHotKeyMenu, kToolHotKeyMenu},
    {T::kOuterToolHotKeyMenu, kOuterToolHotKeyMenu},
    {T::kTrayMenu, kTrayMenu},
};

}  // namespace

std::span<const MenuTable> CommandMenuTables() { return kTables; }

}  // namespace tagsling::ui

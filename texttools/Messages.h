#pragma once
// Texts of the text-input commands: dialog titles, file filters and the
// messages they report, in code page 932 (written as UTF-8, converted while
// compiling: common/SjisLiteral.h).

#include "common/SjisLiteral.h"

namespace tagsling::texttools {

inline constexpr const char* kFileDialogTitleImageSize =
    "ファイル名入力 (Shift=リンク)  画像 (Ctrl=ファイル名  Shift=IMGタグ  Ctrl+Shift=リンク)"_sjis;
inline constexpr const char* kFileDialogTitleNoImageSize =
    "ファイル名入力 (Shift=リンク)  画像 (Ctrl=縦横サイズ  Shift=リンク  Ctrl+Shift=IMGタグ)"_sjis;
inline constexpr const char* kFilterAllFiles = "すべてのファイル (*.*)"_sjis;
inline constexpr const char* kFilterHtmlFiles = "HTMLファイル (*.html,*.htm)"_sjis;
inline constexpr const char* kFilterTextFiles = "テキストファイル (*.txt)"_sjis;
inline constexpr const char* kFilterImageFiles = "イメージファイル (*.gif,*.jpg,*.jpeg,:.png)"_sjis;
inline constexpr const char* kFilterGifFiles = "GIFファイル (*.gif)"_sjis;
inline constexpr const char* kFilterJpegFiles = "JPEGファイル (*.jpg,*.jpeg)"_sjis;
inline constexpr const char* kFilterPngFiles = "PNGファイル (*.png)"_sjis;
inline constexpr const char* kMsgPictureSizeUnreadable = "イメージの縦横サイズを取得できませんでした。"_sjis;
inline constexpr const char* kMsgNoEditorFile = "テキストエディタの実行ファイルを指定して下さい。"_sjis;
inline constexpr const char* kMsgNoEditorWindow =
    "HTMLファイル、又は、基本フォルダを取得できませんでした。\r\nテキストエディタが起動していないか、ウィンドウが最小化されています。"_sjis;
inline constexpr const char* kMsgNoBaseFolderPath = "基本フォルダのパスを取得できませんでした。"_sjis;
inline constexpr const char* kMsgNoHtmlFilePath = "HTMLファイルのパスを取得できませんでした。"_sjis;
inline constexpr const char* kMsgRelativePathFailed = "相対パスの取得に失敗したのでファイル名のみ入力します。"_sjis;
inline constexpr const char* kFolderPickerCaption = "フォルダの参照"_sjis;
inline constexpr const char* kFolderPickerText =
    "相対パスの基本フォルダ:\r\n(編集中のファイルがあるフォルダを指定して下さい)"_sjis;
inline constexpr const char* kClearBaseFolderQuestion = "基本フォルダをクリアします。よろしいですか？"_sjis;
inline constexpr const char* kClearBaseFolderCaption = "基本フォルダクリアの確認"_sjis;
inline constexpr const char* kBaseFolderNotStorableOpen =
    "次のフォルダは、名前に設定ファイル (シフトJIS) に保存できない文字「"_sjis;
inline constexpr const char* kBaseFolderNotStorableClose =
    "」があるため、基本フォルダに指定できません。基本フォルダは変わりません。"_sjis;
inline constexpr const char* kMsgCannotOpenBaseFolder = "基本フォルダをオープンできませんでした。"_sjis;
inline constexpr const char* kBaseFolderHintPrefix = "基本フォルダ - "_sjis;
inline constexpr const char* kAutomaticBaseFolder = "[自動取得]"_sjis;
inline constexpr const char* kRelativePathOff = "[相対パス入力OFF]"_sjis;
inline constexpr const char* kUrlDialogTitle = "URL入力 (Shift=リンク)"_sjis;
inline constexpr const char* kFilterInternetShortcut = "インターネット ショートカット (*.url)"_sjis;
inline constexpr const char* kTextDialogTitle = "テキスト差込入力"_sjis;
inline constexpr const char* kFilterTextAndHtml = "テキスト及びHTMLファイル (*.txt,*.html,*.htm)"_sjis;
inline constexpr const char* kMsgTextFileTooLarge =
    "サイズオーバー。差し込み可能なサイズは100,000バイトまでです。"_sjis;
inline constexpr const char* kMsgTextFileMissing = "指定したファイルが見当たりません。"_sjis;

}  // namespace tagsling::texttools

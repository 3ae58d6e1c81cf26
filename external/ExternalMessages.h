#pragma once
// Texts of the external-program commands, in code page 932 as the program
// shows and compares them (written as UTF-8, converted while compiling:
// common/SjisLiteral.h). Texts shared with the text tools (the editor setting's
// report, the file filters) are texttools/Messages.h's.

#include "common/SjisLiteral.h"

namespace tagsling::external::text {

// RunExternalTool's report: File, kToolFailedMiddle, code, kToolFailedClose,
// CR LF, kToolCheckOpen, Title, kToolCheckClose.
inline constexpr const char* kToolFailedMiddle = " の起動に失敗しました("_sjis;
inline constexpr const char* kToolFailedClose = ")。"_sjis;
inline constexpr const char* kToolCheckOpen = "「"_sjis;
inline constexpr const char* kToolCheckClose = "」の設定を確認して下さい。"_sjis;

inline constexpr const char* kIeNotSet = "Internet Explorer の実行ファイルを指定して下さい。"_sjis;
inline constexpr const char* kNnNotSet = "Netscape Navigator の実行ファイルを指定して下さい。"_sjis;
inline constexpr const char* kIeCannotRun = "Internet Explorer を実行できませんでした。パス設定を確認して下さい。"_sjis;
inline constexpr const char* kNnCannotRun =
    "Netscape Navigator を実行できませんでした。パス設定を確認して下さい。"_sjis;

// The default browser could not be run; check the file association.
inline constexpr const char* kDefaultBrowserCannotRun =
    "既定のブラウザを実行できませんでした。ファイルの関連付けを確認して下さい。"_sjis;

// Browser window titles.
inline constexpr const char kIeTitleMark[] = " - Microsoft Internet Explorer";
inline constexpr const char* kIeTitleMarkKana = " - Microsoft ｲﾝﾀｰﾈｯﾄ ｴｸｽﾌﾟﾛｰﾗ"_sjis;
inline constexpr const char kNetscapeTitleMark[] = "Netscape";
inline constexpr const char* kNetscapeFolders = "Netscape フォルダ"_sjis;
inline constexpr const char* kNetscapeNewsgroups = "Netscape ニュースグループ"_sjis;
inline constexpr const char kNetscapeComposer[] = "Netscape Composer";

// "ファイル(" F ")が見当たりません。"
inline constexpr const char* kFileMissingOpen = "ファイル("_sjis;
inline constexpr const char* kFileMissingClose = ")が見当たりません。"_sjis;
inline constexpr const char* kEditorStartFailed = "テキストエディタの起動に失敗しました。"_sjis;

}  // namespace tagsling::external::text

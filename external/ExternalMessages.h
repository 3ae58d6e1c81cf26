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

// "既定のブラウザを実行できませんでした。ファイルの関連付けを確認して下さい。"
// (the default browser could not be run; check the file association)
inline constexpr const char kDefaultBrowserCannotRun[] =
    "\x8a\xf9\x92\xe8\x82\xcc\x83u\x83\x89\x83"
    "E\x83U\x82\xf0\x8e\xc0\x8ds\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\x83t\x83\x40\x83"
    "C\x83\x8b\x82\xcc\x8a\xd6\x98"
    "A\x95t\x82\xaf\x82\xf0\x8am\x94"
    "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";

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

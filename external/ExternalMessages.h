#pragma once
// Texts of the external-program commands, as the Shift-JIS (code page 932)
// bytes the program shows and compares. The Japanese original of each text
// is given beside it. Texts shared with the text tools (the editor setting's
// report, the file filters) are texttools/Messages.h's.

namespace tagsling::external::text {

// RunExternalTool's report: File, kToolFailedMiddle, code, kToolFailedClose,
// CR LF, kToolCheckOpen, Title, kToolCheckClose.
inline constexpr const char kToolFailedMiddle[] =  // " の起動に失敗しました("
    " \x82\xcc\x8bN\x93\xae\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd(";
inline constexpr const char kToolFailedClose[] =
    ")\x81"
    "B";                                                 // ")。"
inline constexpr const char kToolCheckOpen[] = "\x81u";  // "「"
inline constexpr const char kToolCheckClose[] =          // "」の設定を確認して下さい。"
    "\x81v\x82\xcc\x90\xdd\x92\xe8\x82\xf0\x8am\x94"
    "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";

// "Internet Explorer の実行ファイルを指定して下さい。"
inline constexpr const char kIeNotSet[] =
    "Internet Explorer \x82\xcc\x8e\xc0\x8ds\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xc4"
    "\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// "Netscape Navigator の実行ファイルを指定して下さい。"
inline constexpr const char kNnNotSet[] =
    "Netscape Navigator \x82\xcc\x8e\xc0\x8ds\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xc4"
    "\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// "Internet Explorer を実行できませんでした。パス設定を確認して下さい。"
inline constexpr const char kIeCannotRun[] =
    "Internet Explorer \x82\xf0\x8e\xc0\x8ds\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\x83p\x83X\x90\xdd\x92\xe8\x82\xf0\x8am\x94"
    "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// "Netscape Navigator を実行できませんでした。パス設定を確認して下さい。"
inline constexpr const char kNnCannotRun[] =
    "Netscape Navigator \x82\xf0\x8e\xc0\x8ds\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\x83p\x83X\x90\xdd\x92\xe8\x82\xf0\x8am\x94"
    "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";

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
inline constexpr const char kIeTitleMarkKana[] =  // " - Microsoft ｲﾝﾀｰﾈｯﾄ ｴｸｽﾌﾟﾛｰﾗ" (half-width katakana)
    " - Microsoft \xb2\xdd\xc0\xb0\xc8\xaf\xc4 \xb4\xb8\xbd\xcc\xdf\xdb\xb0\xd7";
inline constexpr const char kNetscapeTitleMark[] = "Netscape";
inline constexpr const char kNetscapeFolders[] = "Netscape \x83t\x83H\x83\x8b\x83_";  // "Netscape フォルダ"
inline constexpr const char kNetscapeNewsgroups[] =  // "Netscape ニュースグループ"
    "Netscape \x83j\x83\x85\x81[\x83X\x83O\x83\x8b\x81[\x83v";
inline constexpr const char kNetscapeComposer[] = "Netscape Composer";

// "ファイル(" F ")が見当たりません。"
inline constexpr const char kFileMissingOpen[] =
    "\x83t\x83@\x83"
    "C\x83\x8b(";
inline constexpr const char kFileMissingClose[] =
    ")\x82\xaa\x8c\xa9\x93\x96\x82\xbd\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
// "テキストエディタの起動に失敗しました。"
inline constexpr const char kEditorStartFailed[] =
    "\x83"
    "e\x83L\x83X\x83g\x83G\x83"
    "f\x83"
    "B\x83^\x82\xcc\x8bN\x93\xae\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc"
    "\x82\xb5\x82\xbd\x81"
    "B";

}  // namespace tagsling::external::text

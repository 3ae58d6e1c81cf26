#pragma once
// Texts of the live preview, in code page 932 as the program shows them
// (written as UTF-8, converted while compiling: common/SjisLiteral.h).

#include "common/SjisLiteral.h"

namespace tagsling::preview::text {

inline constexpr const char* kOutsideBaseFolder =
    "ライブプレビューできません。文書が基本フォルダの外にあります。\r\n"
    "基本フォルダの中の文書を開くか、基本フォルダをクリアして下さい。"_sjis;
inline constexpr const char* kDriveRoot =
    "ライブプレビューできません。ドライブのルートにある文書はフォルダごと公開できません。\r\n"
    "文書をフォルダの中に保存して下さい。"_sjis;
// "ポート " N kPortTakenClose
inline constexpr const char* kPortTakenOpen = "ライブプレビューを開始できません。ポート "_sjis;
inline constexpr const char* kPortTakenClose =
    " は他のプログラムが使用しています。\r\n"
    "オプションの「ライブプレビューのポート」を変えるか、0 (自動) にして下さい。"_sjis;
inline constexpr const char* kNoFreePort =
    "ライブプレビューを開始できません。8930 から 9029 までのポートがすべて使用中です。"_sjis;
// kFolderGone, the folder.
inline constexpr const char* kFolderGone =
    "ライブプレビューを停止しました。公開していたフォルダが見つかりません。\r\n"_sjis;
inline constexpr const char* kBrowserCannotRun =
    "ライブプレビューのブラウザを実行できませんでした。オプションのブラウザの設定を確認して下さい。"_sjis;
inline constexpr const char* kServerFailed = "ライブプレビューのサーバーを開始できませんでした。"_sjis;

}  // namespace tagsling::preview::text

#include "ui/model/PalettePages.h"

namespace tagsling::ui {
namespace {

using enum CommandId;
using M = MenuId;

constexpr PaletteButton Key(std::string_view name, std::string_view hint, int image, std::string_view key) {
  return {ButtonKind::kPlain, name, hint, static_cast<std::int16_t>(image), key, kRunTagCommand};
}
constexpr PaletteButton Split(std::string_view name, std::string_view hint, int image, std::string_view key,
                              MenuId menu) {
  return {ButtonKind::kSplit, name, hint, static_cast<std::int16_t>(image), key, kRunTagCommand, menu};
}
constexpr PaletteButton Run(std::string_view name, std::string_view hint, int image, CommandId command,
                            bool presses_while_running = true) {
  return {ButtonKind::kPlain,   name, hint, static_cast<std::int16_t>(image), {}, command, M::kMainMenu,
          presses_while_running};
}
constexpr PaletteButton MenuButton(std::string_view name, std::string_view hint, int image, MenuId menu,
                                   bool right_click_opens_menu = true) {
  return {ButtonKind::kMenuButton, name, hint, static_cast<std::int16_t>(image), {}, kNone, menu, false,
          right_click_opens_menu};
}
constexpr PaletteButton Check(std::string_view name, std::string_view hint, int image, CommandId command) {
  return {ButtonKind::kCheck, name, hint, static_cast<std::int16_t>(image), {}, command};
}
constexpr PaletteButton Sep() { return {}; }

constexpr PaletteButton kKihon[] = {
    Key("TB_Kihon_Doc", "ドキュメント構造 <HTML>..</HTML>", 17, "Kihon_Doc"),
    Sep(),
    Key("TB_Kihon_DocType", "ドキュメントタイプ <HTML>", 18, "Kihon_DocType"),
    Key("TB_Kihon_Head", "ヘッダ <HEAD>", 19, "Kihon_Head"),
    Key("TB_Kihon_Title", "タイトル <TITLE>", 21, "Kihon_Title"),
    Split("TB_Kihon_Body", "ボディ <BODY>", 15, "Kihon_Body_Body", M::kBodyAttrs),
    Sep(),
    Key("TB_Kihon_MetaRefresh", "自動再読込 <META ..REFRESH..>", 20, "Kihon_MetaRefresh"),
    Key("TB_Kihon_WwwcMetaCheck", "WWWC <META NAME=\"WWWC\"..>", 74, "Kihon_WwwcMetaCheck"),
    Sep(),
    Key("TB_Kihon_Address", "アドレス <ADDRESS>", 14, "Kihon_Address"),
    Key("TB_Kihon_Comment", "コメント <!--  -->", 16, "Kihon_Comment"),
};

constexpr PaletteButton kMoji[] = {
    Split("TB_Moji_Font_Font", "フォント <FONT> (HTML5 では廃止)", 29, "Moji_Font_Font", M::kFontAttrs),
    Key("TB_Moji_Big", "大きく表示 <BIG> (HTML5 では廃止)", 27, "Moji_Big"),
    Key("TB_Moji_Small", "小さく表示 <SMALL>", 37, "Moji_Small"),
    Sep(),
    Key("TB_Moji_B", "太文字 <B>", 26, "Moji_B"),
    Key("TB_Moji_I", "斜体 <I>", 30, "Moji_I"),
    Key("TB_Moji_U", "アンダーライン <U>", 41, "Moji_U"),
    Key("TB_Moji_S", "取消線 <S>", 36, "Moji_S"),
    Key("TB_Moji_Tt", "幅等 <TT> (HTML5 では廃止)", 40, "Moji_Tt"),
    Key("TB_Moji_Sup", "上付 <SUP>", 39, "Moji_Sup"),
    Key("TB_Moji_Sub", "下付 <SUB>", 38, "Moji_Sub"),
    Key("TB_Moji_Blink", "点滅 <BLINK> (HTML5 では廃止)", 28, "Moji_Blink"),
    Sep(),
    Key("TB_Moji_Kigou_Left", "< (&lt;)", 32, "Moji_Kigou_Left"),
    Key("TB_Moji_Kigou_Right", "> (&gt;)", 35, "Moji_Kigou_Right"),
    Key("TB_Moji_Kigou_Amp", "& (&amp;)", 31, "Moji_Kigou_Amp"),
    Key("TB_Moji_Kigou_Quot", "\" (&quot;)", 34, "Moji_Kigou_Quot"),
    Key("TB_Moji_Kigou_Nbsp", "空白 (&nbsp;)", 33, "Moji_Kigou_Nbsp"),
};

constexpr PaletteButton kParagraph[] = {
    Key("TB_P_Br", "改行 <BR>", 43, "P_Br"),
    Split("TB_P_P_P", "段落 <P>", 55, "P_P_P", M::kAlign3),
    Sep(),
    Split("TB_P_Hn_H1", "見出し レベル1 <H1>", 48, "P_Hn_H1", M::kAlign3),
    Split("TB_P_Hn_H2", "見出し レベル2 <H2>", 49, "P_Hn_H2", M::kAlign3),
    Split("TB_P_Hn_H3", "見出し レベル3 <H3>", 50, "P_Hn_H3", M::kAlign3),
    Split("TB_P_Hn_H4", "見出し レベル4 <H4>", 51, "P_Hn_H4", M::kAlign3),
    Split("TB_P_Hn_H5", "見出し レベル5 <H5>", 52, "P_Hn_H5", M::kAlign3),
    Split("TB_P_Hn_H6", "見出し レベル6 <H6>", 53, "P_Hn_H6", M::kAlign3),
    Sep(),
    Key("TB_P_Div_Align_Left", "表示位置/左 <DIV ALIGN=\"left\">", 46, "P_Div_Align_Left"),
    Key("ToolButton32", "表示位置/中 <DIV ALIGN=\"center\">", 45, "P_Div_Align_Center"),
    Key("ToolButton33", "表示位置/右 <DIV ALIGN=\"right\">", 47, "P_Div_Align_Right"),
    Sep(),
    Key("TB_P_Center", "センタリング <CENTER> (HTML5 では廃止)", 44, "P_Center"),
    Sep(),
    Key("TB_P_Blockquote", "引用 <BLOCKQUOTE>", 42, "P_Blockquote"),
    Sep(),
    Split("TB_P_Hr_Hr", "水平線 <HR>", 54, "P_Hr_Hr", M::kHrAttrs),
};

// The header-cell button shares the data-cell attribute menu.
constexpr PaletteButton kTable[] = {
    Split("TB_Table_Table_Table", "表組み <TABLE>", 64, "Table_Table_Table", M::kTableAttrs),
    Sep(),
    Split("TB_Table_Tr_Tr", "行 <TR>", 65, "Table_Tr_Tr", M::kTrAttrs),
    Split("TB_Talbe_Td_Td", "データセル <TD>", 67, "Talbe_Td_Td", M::kTdAttrs),
    Split("TB_Talbe_Th_Th", "見出しセル <TH>", 68, "Talbe_Th_Th", M::kTdAttrs),
    Sep(),
    Split("TB_Table_Caption_Caption", "キャプション <CAPTION>", 58, "Table_Caption_Caption", M::kCaptionAligns),
};

constexpr PaletteButton kList[] = {
    Key("TB_Table_Ul", "マーク付きリスト <UL>", 66, "Table_Ul"),
    Split("TB_Table_Ol_Ol", "番号付きリスト <OL>", 63, "Table_Ol_Ol", M::kOlAttrs),
    Split("TB_Table_Li_Li", "リストの項目 <LI>", 62, "Table_Li_Li", M::kLiAttrMenu),
    Sep(),
    Split("TB_Table_Dl_Dl", "定義リスト <DL>", 60, "Table_Dl_Dl", M::kDlAttrs),
    Key("TB_Table_Dt", "定義 <DT>", 61, "Table_Dt"),
    Key("TB_Table_Dd", "意味 <DD>", 59, "Table_Dd"),
};

constexpr PaletteButton kLink[] = {
    Split("TB_Link_AHref_AHref", "URL <A HREF=\"\">", 22, "Link_AHref_AHref", M::kTargetItems),
    Key("TB_Link_AHref_AHrefmailto", "メール <A &HREF=\"mailto:\">", 25, "Link_AHref_AHrefmailto"),
    Sep(),
    Key("TB_Link_AName", "ネームタグ <A NAME=\"\">", 23, "Link_AName"),
    Sep(),
    Split("TB_Link_Img_Img", "画像 <IMG SRC=\"\">", 24, "Link_Img_Img", M::kImgAttrs),
};

constexpr PaletteButton kForm[] = {
    Split("ToolButton5", "フォームの宣言 <FORM>", 6, "Etc_Form_Form", M::kFormAttrs),
    Sep(),
    Split("ToolButton6", "送信ボタン <INPUT TYPE=\"submit\">", 57, "Etc_Button_Submit", M::kButtonAttrs),
    Split("ToolButton8", "クリアボタン <INPUT TYPE=\"reset\">", 2, "Etc_Button_Reset", M::kButtonAttrs),
    Split("ToolButton10", "標準ボタン <INPUT TYPE=\"button\">", 5, "Etc_Button_Button", M::kButtonAttrs),
    Sep(),
    Split("ToolButton16", "文字フィールド/標準 <INPUT TYPE=\"text\">", 71, "Etc_Text_Text", M::kTextAttrs),
    Split("ToolButton18", "ラジオボタン <INPUT TYPE=\"radio\">", 56, "Etc_Radio_Radio", M::kRadioAttrs),
    Split("ToolButton20", "チェックボックス <INPUT TYPE=\"checkbox\">", 1, "Etc_Checkbox_Checkbox", M::kCheckboxAttrs),
    Split("ToolButton56", "隠しフィールド <INPUT TYPE=\"hidden\">", 87, "Etc_Hidden_Hidden", M::kHiddenAttrs),
    Split("ToolButton21", "コンボボックス <SELECT>", 0, "Etc_Select_Select", M::kSelectAttrs),
    Split("ToolButton22", "複数行文字フィールド <TEXTAREA>", 70, "Etc_Textarea_Textarea", M::kTextareaAttrs),
};

constexpr PaletteButton kFrame[] = {
    Split("ToolButton25", "縦に分割 <FRAMESET COLS=\",*\"> (HTML5 では廃止)", 7, "Etc_Framset_Cols",
          M::kFramesetAttrMenu),
    Split("ToolButton26", "横に分割 <FRAMESET ROWS=\",*\"> (HTML5 では廃止)", 8, "Etc_Framset_Rows",
          M::kFramesetAttrMenu),
    Sep(),
    Split("ToolButton27", "個々のフレーム <FRAME SRC=\"\"> (HTML5 では廃止)", 9, "Etc_Frame_Frame", M::kFrameAttrs),
    Sep(),
    Key("ToolButton28", "フレーム未対応用 <NOFAMES> (HTML5 では廃止)", 10, "Etc_Noframes"),
};

// Pictures 88 to 102 belong to this page; the tag menu's "HTML5(&5)" uses
// them too.
constexpr PaletteButton kHtml5[] = {
    Key("TB_H5_Doc", "HTML5 ドキュメント <!DOCTYPE html>", 88, "H5_Doc"),
    Sep(),
    Key("TB_H5_Header", "ヘッダー <header>", 89, "H5_Header"),
    Key("TB_H5_Nav", "ナビゲーション <nav>", 90, "H5_Nav"),
    Key("TB_H5_Main", "メイン <main>", 91, "H5_Main"),
    Key("TB_H5_Section", "セクション <section>", 92, "H5_Section"),
    Key("TB_H5_Article", "記事 <article>", 93, "H5_Article"),
    Key("TB_H5_Aside", "補足 <aside>", 94, "H5_Aside"),
    Key("TB_H5_Footer", "フッター <footer>", 95, "H5_Footer"),
    Sep(),
    Key("TB_H5_Figure", "図 <figure>", 96, "H5_Figure"),
    Key("TB_H5_Picture", "画像の切り替え <picture>", 97, "H5_Picture"),
    Key("TB_H5_Video", "動画 <video>", 98, "H5_Video"),
    Key("TB_H5_Audio", "音声 <audio>", 99, "H5_Audio"),
    Sep(),
    Key("TB_H5_Details", "折りたたみ <details>", 100, "H5_Details"),
    Sep(),
    Key("TB_H5_Mark", "マーク <mark>", 101, "H5_Mark"),
    Key("TB_H5_Time", "日時 <time>", 102, "H5_Time"),
};

constexpr PaletteButton kTools[] = {
    MenuButton("ToolButton38", "登録タグ", 73, M::kUserTagButtonMenu),
    Sep(),
    MenuButton("ToolButton51", "タグの削除", 83, M::kTagDeleteButtonMenu),
    Sep(),
    Run("ToolButtonExpandAbbrev", "略記を展開", 104, kExpandAbbreviation),
    Run("ToolButtonWrapAbbrev", "略記で囲む", 105, kWrapWithAbbreviation),
    Sep(),
    Run("ToolButton39", "ファイル名入力", 75, kFileNameInput),
    Run("ToolButton41", "URL入力", 76, kUrlInput),
    Run("ToolButton42", "テキスト差込入力", 77, kTextInsert),
    Run("ToolButton36", "カラーRGB", 4, kColorRgb),
    Sep(),
    MenuButton("ToolButton53", "外部ツール", 84, M::kToolsButtonMenu),
};

constexpr PalettePage kPages[] = {
    {"基本", kKihon},       {"文字", kMoji},     {"段落", kParagraph}, {"表", kTable},    {"リスト", kList},
    {"リンク/画像", kLink}, {"フォーム", kForm}, {"フレーム", kFrame}, {"HTML5", kHtml5}, {"ツール", kTools},
};

constexpr PaletteButton kToolPanelTop[] = {
    Run("ToolButton43", "閉じる", 3, kCloseWindow, false),
    Run("ToolButton49", "オプション", 69, kOptionsDialog),
    Sep(),
    Run("ToolButton34", "新規作成", 78, kEditorNew),
    Run("ToolButton35", "開く", 79, kEditorOpen),
    Run("ToolButton54", "エディタを空き領域サイズで表示", 82, kEditorToFreeArea),
};

constexpr PaletteButton kToolPanelModes[] = {
    Check("TB_Hasami_Off", "ノーマルモード", 11, kSandwichOffButton),
    Check("TB_Hasami_On", "挟み込みモード", 12, kSandwichOnButton),
    Sep(),
    Run("ToolButton48", "Internet Explorer", 85, kPreviewIE),
    Run("ToolButton55", "Netscape Navigator", 86, kPreviewNN),
    Run("ToolButtonDefaultBrowser", "既定のブラウザで表示", 103, kPreviewDefaultBrowser),
    MenuButton("ToolButton44", "ブラウザのサイズ変更", 81, M::kBrowserSizes),
};

constexpr PaletteButton kDockedPanel[] = {
    MenuButton("ToolButton47", "タグメニューを表示", 80, M::kTagPopup, false),
};

constexpr PanelText kPanelText = {
    .base_folder_hint = "基本フォルダ",
    .relative_off_label = "[相対パス入力OFF]",
    .double_click = kOpenBaseFolder,
    .base_folder_menu = M::kBaseFolderMenu,
    .tool_panel_menu = M::kToolPanelMenu,
    .logo_hint = "Tagsling",
    .logo_click = kAbout,
};

}  // namespace

std::span<const PalettePage> PalettePages() { return kPages; }
std::span<const PaletteButton> ToolPanelTopButtons() { return kToolPanelTop; }
std::span<const PaletteButton> ToolPanelModeButtons() { return kToolPanelModes; }
std::span<const PaletteButton> DockedPanelButtons() { return kDockedPanel; }
const PanelText& PalettePanelText() { return kPanelText; }

}  // namespace tagsling::ui

#include "ui/model/PalettePages.h"

namespace tagsling::ui {
namespace {

using enum CommandId;
using M = MenuId;
using P = Picture;

constexpr PaletteButton Key(std::string_view name, std::string_view hint, Picture image, std::string_view key) {
  return {ButtonKind::kPlain, name, hint, static_cast<std::int16_t>(PictureIndex(image)), key, kRunTagCommand};
}
constexpr PaletteButton Split(std::string_view name, std::string_view hint, Picture image, std::string_view key,
                              MenuId menu) {
  return {ButtonKind::kSplit, name, hint, static_cast<std::int16_t>(PictureIndex(image)), key, kRunTagCommand, menu};
}
constexpr PaletteButton Run(std::string_view name, std::string_view hint, Picture image, CommandId command,
                            bool presses_while_running = true) {
  return {ButtonKind::kPlain,   name, hint, static_cast<std::int16_t>(PictureIndex(image)), {}, command, M::kMainMenu,
          presses_while_running};
}
constexpr PaletteButton MenuButton(std::string_view name, std::string_view hint, Picture image, MenuId menu,
                                   bool right_click_opens_menu = true) {
  return {ButtonKind::kMenuButton, name, hint, static_cast<std::int16_t>(PictureIndex(image)), {}, kNone, menu, false,
          right_click_opens_menu};
}
constexpr PaletteButton Check(std::string_view name, std::string_view hint, Picture image, CommandId command) {
  return {ButtonKind::kCheck, name, hint, static_cast<std::int16_t>(PictureIndex(image)), {}, command};
}
constexpr PaletteButton Sep() { return {}; }

constexpr PaletteButton kKihon[] = {
    Key("TB_Kihon_Doc", "ドキュメント構造 <HTML>..</HTML>", P::kHtml, "Kihon_Doc"),
    Sep(),
    Key("TB_Kihon_DocType", "ドキュメントタイプ <HTML>", P::kDocType, "Kihon_DocType"),
    Key("TB_Kihon_Head", "ヘッダ <HEAD>", P::kHead, "Kihon_Head"),
    Key("TB_Kihon_Title", "タイトル <TITLE>", P::kTitle, "Kihon_Title"),
    Split("TB_Kihon_Body", "ボディ <BODY>", P::kBody, "Kihon_Body_Body", M::kBodyAttrs),
    Sep(),
    Key("TB_Kihon_MetaRefresh", "自動再読込 <META ..REFRESH..>", P::kMetaRefresh, "Kihon_MetaRefresh"),
    Key("TB_Kihon_WwwcMetaCheck", "WWWC <META NAME=\"WWWC\"..>", P::kWwwcMeta, "Kihon_WwwcMetaCheck"),
    Sep(),
    Key("TB_Kihon_Address", "アドレス <ADDRESS>", P::kAddress, "Kihon_Address"),
    Key("TB_Kihon_Comment", "コメント <!--  -->", P::kComment, "Kihon_Comment"),
};

constexpr PaletteButton kMoji[] = {
    Split("TB_Moji_Font_Font", "フォント <FONT>", P::kFont, "Moji_Font_Font", M::kFontAttrs),
    Key("TB_Moji_Big", "大きく表示 <BIG>", P::kBig, "Moji_Big"),
    Key("TB_Moji_Small", "小さく表示 <SMALL>", P::kSmall, "Moji_Small"),
    Sep(),
    Key("TB_Moji_B", "太文字 <B>", P::kBold, "Moji_B"),
    Key("TB_Moji_I", "斜体 <I>", P::kItalic, "Moji_I"),
    Key("TB_Moji_U", "アンダーライン <U>", P::kUnderline, "Moji_U"),
    Key("TB_Moji_S", "取消線 <S>", P::kStrike, "Moji_S"),
    Key("TB_Moji_Tt", "幅等 <TT>", P::kTeletype, "Moji_Tt"),
    Key("TB_Moji_Sup", "上付 <SUP>", P::kSuperscript, "Moji_Sup"),
    Key("TB_Moji_Sub", "下付 <SUB>", P::kSubscript, "Moji_Sub"),
    Key("TB_Moji_Blink", "点滅 <BLINK>", P::kBlink, "Moji_Blink"),
    Sep(),
    Key("TB_Moji_Kigou_Left", "< (&lt;)", P::kLessThan, "Moji_Kigou_Left"),
    Key("TB_Moji_Kigou_Right", "> (&gt;)", P::kGreaterThan, "Moji_Kigou_Right"),
    Key("TB_Moji_Kigou_Amp", "& (&amp;)", P::kAmpersand, "Moji_Kigou_Amp"),
    Key("TB_Moji_Kigou_Quot", "\" (&quot;)", P::kQuote, "Moji_Kigou_Quot"),
    Key("TB_Moji_Kigou_Nbsp", "空白 (&nbsp;)", P::kNoBreakSpace, "Moji_Kigou_Nbsp"),
};

constexpr PaletteButton kParagraph[] = {
    Key("TB_P_Br", "改行 <BR>", P::kLineBreak, "P_Br"),
    Split("TB_P_P_P", "段落 <P>", P::kParagraph, "P_P_P", M::kAlign3),
    Sep(),
    Split("TB_P_Hn_H1", "見出し レベル1 <H1>", P::kHeading1, "P_Hn_H1", M::kAlign3),
    Split("TB_P_Hn_H2", "見出し レベル2 <H2>", P::kHeading2, "P_Hn_H2", M::kAlign3),
    Split("TB_P_Hn_H3", "見出し レベル3 <H3>", P::kHeading3, "P_Hn_H3", M::kAlign3),
    Split("TB_P_Hn_H4", "見出し レベル4 <H4>", P::kHeading4, "P_Hn_H4", M::kAlign3),
    Split("TB_P_Hn_H5", "見出し レベル5 <H5>", P::kHeading5, "P_Hn_H5", M::kAlign3),
    Split("TB_P_Hn_H6", "見出し レベル6 <H6>", P::kHeading6, "P_Hn_H6", M::kAlign3),
    Sep(),
    Key("TB_P_Div_Align_Left", "表示位置/左 <DIV ALIGN=\"left\">", P::kAlignLeft, "P_Div_Align_Left"),
    Key("ToolButton32", "表示位置/中 <DIV ALIGN=\"center\">", P::kAlignCenter, "P_Div_Align_Center"),
    Key("ToolButton33", "表示位置/右 <DIV ALIGN=\"right\">", P::kAlignRight, "P_Div_Align_Right"),
    Sep(),
    Key("TB_P_Center", "センタリング <CENTER>", P::kCenter, "P_Center"),
    Sep(),
    Key("TB_P_Blockquote", "引用 <BLOCKQUOTE>", P::kBlockquote, "P_Blockquote"),
    Sep(),
    Split("TB_P_Hr_Hr", "水平線 <HR>", P::kHorizontalRule, "P_Hr_Hr", M::kHrAttrs),
};

// The header-cell button shares the data-cell attribute menu.
constexpr PaletteButton kTable[] = {
    Split("TB_Table_Table_Table", "表組み <TABLE>", P::kTable, "Table_Table_Table", M::kTableAttrs),
    Sep(),
    Split("TB_Table_Tr_Tr", "行 <TR>", P::kTableRow, "Table_Tr_Tr", M::kTrAttrs),
    Split("TB_Talbe_Td_Td", "データセル <TD>", P::kTableData, "Talbe_Td_Td", M::kTdAttrs),
    Split("TB_Talbe_Th_Th", "見出しセル <TH>", P::kTableHeader, "Talbe_Th_Th", M::kTdAttrs),
    Sep(),
    Split("TB_Table_Caption_Caption", "キャプション <CAPTION>", P::kCaption, "Table_Caption_Caption",
          M::kCaptionAligns),
};

constexpr PaletteButton kList[] = {
    Key("TB_Table_Ul", "マーク付きリスト <UL>", P::kUnorderedList, "Table_Ul"),
    Split("TB_Table_Ol_Ol", "番号付きリスト <OL>", P::kOrderedList, "Table_Ol_Ol", M::kOlAttrs),
    Split("TB_Table_Li_Li", "リストの項目 <LI>", P::kListItem, "Table_Li_Li", M::kLiAttrMenu),
    Sep(),
    Split("TB_Table_Dl_Dl", "定義リスト <DL>", P::kDefinitionList, "Table_Dl_Dl", M::kDlAttrs),
    Key("TB_Table_Dt", "定義 <DT>", P::kDefinitionTerm, "Table_Dt"),
    Key("TB_Table_Dd", "意味 <DD>", P::kDefinitionData, "Table_Dd"),
};

constexpr PaletteButton kLink[] = {
    Split("TB_Link_AHref_AHref", "URL <A HREF=\"\">", P::kLink, "Link_AHref_AHref", M::kTargetItems),
    Key("TB_Link_AHref_AHrefmailto", "メール <A &HREF=\"mailto:\">", P::kMailto, "Link_AHref_AHrefmailto"),
    Sep(),
    Key("TB_Link_AName", "ネームタグ <A NAME=\"\">", P::kAnchor, "Link_AName"),
    Sep(),
    Split("TB_Link_Img_Img", "画像 <IMG SRC=\"\">", P::kImage, "Link_Img_Img", M::kImgAttrs),
};

constexpr PaletteButton kForm[] = {
    Split("ToolButton5", "フォームの宣言 <FORM>", P::kForm, "Etc_Form_Form", M::kFormAttrs),
    Sep(),
    Split("ToolButton6", "送信ボタン <INPUT TYPE=\"submit\">", P::kSubmitButton, "Etc_Button_Submit", M::kButtonAttrs),
    Split("ToolButton8", "クリアボタン <INPUT TYPE=\"reset\">", P::kResetButton, "Etc_Button_Reset", M::kButtonAttrs),
    Split("ToolButton10", "標準ボタン <INPUT TYPE=\"button\">", P::kPushButton, "Etc_Button_Button", M::kButtonAttrs),
    Sep(),
    Split("ToolButton16", "文字フィールド/標準 <INPUT TYPE=\"text\">", P::kTextField, "Etc_Text_Text", M::kTextAttrs),
    Split("ToolButton18", "ラジオボタン <INPUT TYPE=\"radio\">", P::kRadioButton, "Etc_Radio_Radio", M::kRadioAttrs),
    Split("ToolButton20", "チェックボックス <INPUT TYPE=\"checkbox\">", P::kCheckBox, "Etc_Checkbox_Checkbox",
          M::kCheckboxAttrs),
    Split("ToolButton56", "隠しフィールド <INPUT TYPE=\"hidden\">", P::kHiddenField, "Etc_Hidden_Hidden",
          M::kHiddenAttrs),
    Split("ToolButton21", "コンボボックス <SELECT>", P::kComboBox, "Etc_Select_Select", M::kSelectAttrs),
    Split("ToolButton22", "複数行文字フィールド <TEXTAREA>", P::kTextArea, "Etc_Textarea_Textarea", M::kTextareaAttrs),
};

constexpr PaletteButton kFrame[] = {
    Split("ToolButton25", "縦に分割 <FRAMESET COLS=\",*\">", P::kFramesetColumns, "Etc_Framset_Cols",
          M::kFramesetAttrMenu),
    Split("ToolButton26", "横に分割 <FRAMESET ROWS=\",*\">", P::kFramesetRows, "Etc_Framset_Rows",
          M::kFramesetAttrMenu),
    Sep(),
    Split("ToolButton27", "個々のフレーム <FRAME SRC=\"\">", P::kFrame, "Etc_Frame_Frame", M::kFrameAttrs),
    Sep(),
    Key("ToolButton28", "フレーム未対応用 <NOFRAMES>", P::kNoFrames, "Etc_Noframes"),
};

// Pictures 88 to 102 and 106 to 108 belong to this page; the tag menu's
// "HTML5(&5)" uses them too.
constexpr PaletteButton kHtml5[] = {
    Key("TB_H5_Doc", "HTML5 ドキュメント <!DOCTYPE html>", P::kHtml5Document, "H5_Doc"),
    Sep(),
    Key("TB_H5_Header", "ヘッダー <header>", P::kHtml5Header, "H5_Header"),
    Key("TB_H5_Nav", "ナビゲーション <nav>", P::kHtml5Nav, "H5_Nav"),
    Key("TB_H5_Main", "メイン <main>", P::kHtml5Main, "H5_Main"),
    Key("TB_H5_Section", "セクション <section>", P::kHtml5Section, "H5_Section"),
    Key("TB_H5_Article", "記事 <article>", P::kHtml5Article, "H5_Article"),
    Key("TB_H5_Aside", "補足 <aside>", P::kHtml5Aside, "H5_Aside"),
    Key("TB_H5_Footer", "フッター <footer>", P::kHtml5Footer, "H5_Footer"),
    Sep(),
    Key("TB_H5_Figure", "図 <figure>", P::kHtml5Figure, "H5_Figure"),
    Key("TB_H5_Picture", "画像の切り替え <picture>", P::kHtml5Picture, "H5_Picture"),
    Key("TB_H5_Video", "動画 <video>", P::kHtml5Video, "H5_Video"),
    Key("TB_H5_Audio", "音声 <audio>", P::kHtml5Audio, "H5_Audio"),
    Sep(),
    Key("TB_H5_Details", "折りたたみ <details>", P::kHtml5Details, "H5_Details"),
    Sep(),
    Key("TB_H5_Mark", "マーク <mark>", P::kHtml5Mark, "H5_Mark"),
    Key("TB_H5_Time", "日時 <time>", P::kHtml5Time, "H5_Time"),
    Sep(),
    // Grouped buttons: each opens the menu that is also a submenu of the tag
    // menu's "HTML5(&5)" (pictures 106 to 108).
    MenuButton("TB_H5_HeadTags", "head の要素 <meta> <link> <style> <script>", P::kHtml5HeadTags, M::kHtml5HeadTags),
    MenuButton("TB_H5_TextTags", "テキストの要素 <span> <code> <kbd> <q> <del> <ins> <ruby> ...", P::kHtml5TextTags,
               M::kHtml5TextTags),
    MenuButton("TB_H5_MoreTags", "ブロック・埋め込み・表・フォームの要素 <div> <img> <iframe> <thead> <button> ...",
               P::kHtml5MoreTags, M::kHtml5MoreButtonMenu),
};

constexpr PaletteButton kTools[] = {
    MenuButton("ToolButton38", "登録タグ", P::kUserTags, M::kUserTagButtonMenu),
    Sep(),
    MenuButton("ToolButton51", "タグの削除", P::kTagDeletion, M::kTagDeleteButtonMenu),
    Sep(),
    Run("ToolButtonExpandAbbrev", "略記を展開", P::kExpandAbbreviation, kExpandAbbreviation),
    Run("ToolButtonWrapAbbrev", "略記で囲む", P::kWrapWithAbbreviation, kWrapWithAbbreviation),
    Sep(),
    Run("ToolButton39", "ファイル名入力", P::kFileNameInput, kFileNameInput),
    Run("ToolButton41", "URL入力", P::kUrlInput, kUrlInput),
    Run("ToolButton42", "テキスト差込入力", P::kTextFileInsertion, kTextInsert),
    Run("ToolButton36", "カラーRGB", P::kColorInput, kColorRgb),
    Sep(),
    MenuButton("ToolButton53", "外部ツール", P::kExternalTools, M::kToolsButtonMenu),
    Sep(),
    Run("ToolButtonLivePreview", "ライブプレビュー", P::kLivePreview, kLivePreview),
};

constexpr PalettePage kPages[] = {
    {"基本", kKihon},       {"文字", kMoji},     {"段落", kParagraph}, {"表", kTable},    {"リスト", kList},
    {"リンク/画像", kLink}, {"フォーム", kForm}, {"フレーム", kFrame}, {"HTML5", kHtml5}, {"ツール", kTools},
};

constexpr PaletteButton kToolPanelTop[] = {
    Run("ToolButton43", "閉じる", P::kClose, kCloseWindow, false),
    Run("ToolButton49", "オプション", P::kOptions, kOptionsDialog),
    Sep(),
    Run("ToolButton34", "新規作成", P::kNewDocument, kEditorNew),
    Run("ToolButton35", "開く", P::kOpen, kEditorOpen),
    Run("ToolButton54", "エディタを空き領域サイズで表示", P::kEditorInFreeArea, kEditorToFreeArea),
};

constexpr PaletteButton kToolPanelModes[] = {
    Check("TB_Hasami_Off", "ノーマルモード", P::kNormalMode, kSandwichOffButton),
    Check("TB_Hasami_On", "挟み込みモード", P::kSandwichMode, kSandwichOnButton),
    Sep(),
    Run("ToolButton48", "Internet Explorer", P::kInternetExplorer, kPreviewIE),
    Run("ToolButton55", "Netscape Navigator", P::kNetscape, kPreviewNN),
    Run("ToolButtonDefaultBrowser", "既定のブラウザで表示", P::kDefaultBrowserPreview, kPreviewDefaultBrowser),
    MenuButton("ToolButton44", "ブラウザのサイズ変更", P::kBrowserSize, M::kBrowserSizes),
};

constexpr PaletteButton kDockedPanel[] = {
    MenuButton("ToolButton47", "タグメニューを表示", P::kTagMenu, M::kTagPopup, false),
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

std::string DisplayedHint(const PaletteButton& button) { return HintWithObsoleteNote(button.hint, button.key); }

std::span<const PalettePage> PalettePages() { return kPages; }
std::span<const PaletteButton> ToolPanelTopButtons() { return kToolPanelTop; }
std::span<const PaletteButton> ToolPanelModeButtons() { return kToolPanelModes; }
std::span<const PaletteButton> DockedPanelButtons() { return kDockedPanel; }
const PanelText& PalettePanelText() { return kPanelText; }

}  // namespace tagsling::ui

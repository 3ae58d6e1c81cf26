// The "タグ(&T)" tree and the tag fragments it shares with TagPopup,
// ShortTagPopup and the attribute drop-down menus.

#include "ui/model/MenuTrees.h"

namespace tagsling::ui {
namespace {

using T = TableId;
using P = Picture;

constexpr MenuRow kAlign3[] = {
    Fixed(0, "左 (ALIGN=\"&left\")", "OP_Left"),
    Fixed(0, "中 (ALIGN=\"&center\")", "OP_Center"),
    Fixed(0, "右 (ALIGN=\"&right\")", "OP_Right"),
};

constexpr MenuRow kValign3[] = {
    Fixed(0, "上 (VALIGN=\"&top\")", "OP_Top"),
    Fixed(0, "中 (VALIGN=\"&middle\")", "OP_Middle"),
    Fixed(0, "下 (VALIGN=\"&bottom\")", "OP_Bottom"),
};

// The first "＆" is the full-width U+FF06; "&l" marks the accelerator.
constexpr MenuRow kEntities[] = {
    Tag(0, "< (＆&lt;)", "Moji_Kigou_Left", P::kLessThan),
    Tag(0, "> (＆&gt;)", "Moji_Kigou_Right", P::kGreaterThan),
    Tag(0, "＆ (＆&amp;)", "Moji_Kigou_Amp", P::kAmpersand),
    Tag(0, "\" (＆&quot;)", "Moji_Kigou_Quot", P::kQuote),
    Tag(0, "空白 (＆&nbsp;)", "Moji_Kigou_Nbsp", P::kNoBreakSpace),
};

constexpr MenuRow kHeadingLevels[] = {
    Tag(0, "レベル1 <H&1>", "P_Hn_H1", P::kHeading1), Tag(0, "レベル2 <H&2>", "P_Hn_H2", P::kHeading2),
    Tag(0, "レベル3 <H&3>", "P_Hn_H3", P::kHeading3), Tag(0, "レベル4 <H&4>", "P_Hn_H4", P::kHeading4),
    Tag(0, "レベル5 <H&5>", "P_Hn_H5", P::kHeading5), Tag(0, "レベル6 <H&6>", "P_Hn_H6", P::kHeading6),
};

constexpr MenuRow kDivAligns[] = {
    Tag(0, "左 <DIV ALIGN=\"&left\">", "P_Div_Align_Left", P::kAlignLeft),
    Tag(0, "中 <DIV ALIGN=\"&center\">", "P_Div_Align_Center", P::kAlignCenter),
    Tag(0, "右 <DIV ALIGN=\"&right\">", "P_Div_Align_Right", P::kAlignRight),
};

constexpr MenuRow kBodyAttrs[] = {
    Tag(0, "文字色 (&TEXT=\"\")", "Kihon_Body_Text"),
    Tag(0, "リンク色 (&LINK=\"\")", "Kihon_Body_Link"),
    Tag(0, "アクセス済リンク色 (&VLINK=\"\")", "Kihon_Body_Vlink"),
    Tag(0, "クリック時リンク色 (&ALINK=\"\")", "Kihon_Body_Alink"),
    Tag(0, "背景色 (BG&COLOR=\"\")", "Kihon_Body_Bgcolor"),
    Tag(0, "背景画像 (BACK&GROUND=\"\")", "Kihon_Body_Background"),
    Tag(0, "マージン/左右 (L&EFTMARGIN=\"\")", "Kihon_Body_LeftMargin"),
    Tag(0, "マージン/上下 (T&OPMARGIN=\"\")", "Kihon_Body_TopMargin"),
};

constexpr MenuRow kFontAttrs[] = {
    Tag(0, "サイズ (&SIZE=\"\")", "Moji_Font_Size"),
    Tag(0, "色 (&COLOR=\"\")", "Moji_Font_Color"),
    Tag(0, "フォント名 (F&ACE=\"\")", "Moji_Font_Face"),
};

constexpr MenuRow kHrAttrs[] = {
    Tag(0, "太さ (&SIZE=\"\")", "P_Hr_Size"),
    Tag(0, "長さ (&WIDTH=\"\")", "P_Hr_Width"),
    Tag(0, "色 (&COLOR=\"\")", "P_Hr_Color"),
    Tag(0, "影なし (&NOSHADE)", "P_Hr_Noshade"),
    Sub(0, "位置 (&ALIGN=\"\")"),
    Use(1, T::kAlign3),
};

constexpr MenuRow kTableAttrs[] = {
    Sub(0, "表示位置 (&ALIGN=\"\")"),
    Use(1, T::kAlign3),
    Tag(0, "枠線の太さ (&BORDER=\"\")", "Table_Table_Border"),
    Tag(0, "罫線の太さ (CELL&SPACING=\"\")", "Table_Table_Cellspacing"),
    Tag(0, "文字と罫線のマージン (&CELLPADDING=\"\")", "Table_Table_Cellpadding"),
    Tag(0, "横幅 (&WIDTH=\"\")", "Table_Table_Width"),
    Tag(0, "縦幅 (&HEIGHT=\"\")", "Table_Table_Height"),
    Tag(0, "セル背景色 (B&GCOLOR=\"\")", "Table_Table_Bgcolor"),
};

constexpr MenuRow kTrAttrs[] = {
    Sub(0, "表示位置/左右 (&ALIGN=\"\")"),
    Use(1, T::kAlign3),
    Sub(0, "表示位置/上下 (&VALIGN=\"\")"),
    Use(1, T::kValign3),
    Tag(0, "セル背景色 (B&GCOLOR=\"\")", "Talbe_Tr_Bgcolor"),
};

constexpr MenuRow kTdAttrs[] = {
    Sub(0, "表示位置/左右 (&ALIGN=\"\")"),
    Use(1, T::kAlign3),
    Sub(0, "表示位置/上下 (&VALIGN=\"\")"),
    Use(1, T::kValign3),
    Tag(0, "横幅 (&WIDTH=\"\")", "Talbe_Td_Width"),
    Tag(0, "縦幅 (H&EIGHT=\"\")", "Talbe_Td_Height"),
    Tag(0, "セル結合/横 (&COLSPAN=\"\")", "Talbe_Td_Colspan"),
    Tag(0, "セル結合/縦 (&ROWSPAN=\"\")", "Talbe_Td_Rowspan"),
    Tag(0, "改行禁止 (&NOWRAP)", "Talbe_Td_Nowrap"),
    Tag(0, "セル背景色 (B&GCOLOR=\"\")", "Talbe_Td_Bgcolor"),
};

constexpr MenuRow kCaptionAligns[] = {
    Tag(0, "上 (ALIGN=\"&top\")", "Table_Caption_Align_Top"),
    Tag(0, "下 (ALIGN=\"&bottom\")", "Table_Caption_Align_Bottom"),
};

constexpr MenuRow kOlAttrs[] = {Tag(0, "開始番号 (&START=\"\")", "Table_Ol_Start")};

constexpr MenuRow kLiTypes[] = {
    Tag(0, "A,B,C, .. (TYPE=\"&A\")", "Table_Li_Type_A"),
    Tag(0, "I, II, III, .. (TYPE=\"&I\")", "Table_Li_Type_I"),
    Tag(0, "1, 2, 3, .. (TYPE=\"&1\")", "Table_Li_Type_1"),
};

constexpr MenuRow kDlAttrs[] = {Tag(0, "改行なし (&COMPACT)", "Table_Dl_Compact")};

constexpr MenuRow kTargetItems[] = {
    Tag(0, "任意ターゲット (&TARGET=\"\")", "Link_AHref_AHref_Target_Free"),
    Tag(0, "新ウィンドウ (T&ARGET=\"_blank\")", "Link_AHref_AHref_Target__Blank"),
    Tag(0, "フレーム解除/現ウィンドウ (TA&RGET=\"_top\")", "Link_AHref_AHref_Target__Top"),
    Tag(0, "フレーム解除/新ウィンドウ (TAR&GET=\"top\")", "Link_AHref_AHref_Target_Top"),
};

constexpr MenuRow kImgAttrs[] = {
    Tag(0, "代替テキスト (&ALT=\"\")", "Link_Img_Alt"),
    Sub(0, "テキスト位置 (A&LIGN=\"\")"),
    Tag(1, "上 (ALIGN=\"&top\")", "Link_Img_Align1_Top"),
    Tag(1, "中 (ALIGN=\"&middle\")", "Link_Img_Align1_Middle"),
    Tag(1, "下 (ALIGN=\"&bottom\")", "Link_Img_Align1_Bottom"),
    Sub(0, "テキスト回り込み (ALI&GN=\"\")"),
    Fixed(1, "左 (ALIGN=\"&left\")", "OP_Left"),
    Fixed(1, "右 (ALIGN=\"&right\")", "OP_Right"),
    Tag(0, "マージン/上下 (&VSPACE=\"\")", "Link_Img_Vspace"),
    Tag(0, "マージン/左右 (H&SPACE=\"\")", "Link_Img_Hspace"),
    Tag(0, "画像横幅 (&WIDTH=\"\")", "Link_Img_Width"),
    Tag(0, "画像縦幅 (&HEIGHT=\"\")", "Link_Img_Height"),
    Tag(0, "2段表示最初の画像 (L&OWSRC=\"\")", "Link_Img_Lowsrc"),
    Tag(0, "枠の太さ (&BORDER=\"\")", "Link_Img_Border"),
};

constexpr MenuRow kFormAttrs[] = {
    Sub(0, "送付先 (&ACTION=\"\")"),
    Tag(1, "URL (&ACTION=\"\")", "Etc_Form_Action_Url"),
    Tag(1, "メール <ACTION=\"&mailto:\">", "Etc_Form_Action_Mail"),
    Sub(0, "送付方法 (&METHOD=\"\")"),
    Tag(1, "標準入力 (METHOD=\"&post\")", "Etc_Form_Method_Post"),
    Tag(1, "環境変数 (METHOD=\"&get\")", "Etc_Form_Method_Get"),
};

constexpr MenuRow kButtonAttrs[] = {
    Tag(0, "名前 (&NAME=\"\")", "Etc_Button_Name"),
    Tag(0, "表示文字 (&VALUE=\"\")", "Etc_Button_Value"),
};

constexpr MenuRow kTextAttrs[] = {
    Tag(0, "パスワード <INPUT TYPE=\"&password\">", "Etc_Text_Password"),
    Sep(0),
    Tag(0, "名前 (&NAME=\"\")", "Etc_Text_Name"),
    Tag(0, "表示文字 (&VALUE=\"\")", "Etc_Text_Value"),
    Tag(0, "フィールド幅 (&SIZE=\"\")", "Etc_Text_Size"),
    Tag(0, "最大入力文字数 (&MAXLENGTH=\"\")", "Etc_Text_Maxlenth"),
};

constexpr MenuRow kRadioAttrs[] = {
    Tag(0, "変数名 (&NAME=\"\")", "Etc_Radio_Name"),
    Tag(0, "送信文字 (&VALUE=\"\")", "Etc_Radio_Value"),
    Tag(0, "初期選択 (&CHECKED)", "Etc_Radio_Checked"),
};

constexpr MenuRow kCheckboxAttrs[] = {
    Tag(0, "変数名 (&NAME=\"\")", "Etc_Checkbox_Name"),
    Tag(0, "送信文字 (&VALUE=\"\")", "Etc_Checkbox_Value"),
    Tag(0, "初期チェック (CHECKE&D)", "Etc_Checkbox_Checked"),
};

constexpr MenuRow kHiddenAttrs[] = {
    Tag(0, "変数名 (&NAME=\"\")", "Etc_Hidden_Name"),
    Tag(0, "送信文字 (&VALUE=\"\")", "Etc_Hidden_Value"),
};

constexpr MenuRow kSelectAttrs[] = {
    Tag(0, "変数名 (&NAME=\"\")", "Etc_Select_Name"),        Tag(0, "行数 (S&IZE=\"\")", "Etc_Select_Size"),
    Tag(0, "複数選択可 (&MULTIPLE)", "Etc_Select_Multipre"), Sep(0),
    Tag(0, "選択アイテム <&OPTION>", "Etc_Select_Option"),   Sep(0),
    Tag(0, "送信文字 (&VALUE=\"\")", "Etc_Select_OpValue"),  Tag(0, "初期選択 (S&ELECTED)", "Etc_Select_OpSelected"),
};

// The WRAP items run their keys from handlers of their own in every menu.
constexpr MenuRow kTextareaAttrs[] = {
    Tag(0, "変数名 (&NAME=\"\")", "Etc_Textarea_Name"),
    Tag(0, "横幅 (&COLS=\"\")", "Etc_Textarea_Cols"),
    Tag(0, "縦幅 (&ROWS=\"\")", "Etc_Textarea_Rows"),
    Sub(0, "自動改行(&WRAP=\"\")"),
    Fixed(1, "改行しない(WRAP=\"&off\")", "Etc_Textarea_Wrap_off"),
    Fixed(1, "改行する/送信時改行する(WRAP=\"&hard\")", "Etc_Textarea_Wrap_hard"),
    Fixed(1, "改行する/送信時改行しない(WRAP=\"&soft\")", "Etc_Textarea_Wrap_Soft"),
};

constexpr MenuRow kFrameAttrs[] = {
    Tag(0, "フレーム名 (&NAME=\"\")", "Etc_Frame_Name"),
    Tag(0, "マージン/左右 (MARGIN&WIDTH=\"\")", "Etc_Frame_Marginwidth"),
    Tag(0, "マージン/上下 (MARGI&HEIGHT=\"\")", "Etc_Frame_Marginheight"),
    Sub(0, "スクロールバー表示 (&SCROLLING=\"\")"),
    Tag(1, "表示 (SCROLLING=\"&yes\")", "Etc_Frame_Scrolling_Yes"),
    Tag(1, "非表示 (SCROLLING=\"&no\")", "Etc_Frame_Scrolling_No"),
    Tag(1, "自動 (SCROLLING=\"&auto\")", "Etc_Frame_Scrolling_Auto"),
    Tag(0, "サイズ変更禁止 (N&ORESIZE)", "Etc_Frame_Noresize"),
    Sub(0, "境界線表示 (FRAME&BORDER=\"\")"),
    Tag(1, "表示 (FRAMEBORDER=\"&yes\")", "Etc_Frame_Frameborder_Yes"),
    Tag(1, "非表示 (FRAMEBORDER=\"&no\")", "Etc_Frame_Frameborder_No"),
};

// Attribute menus whose items are laid out differently from the tag tree.
constexpr MenuRow kLiAttrMenu[] = {
    Note(0, "※<OL>で有効"),
    Use(0, T::kLiTypes),
};

constexpr MenuRow kFramesetAttrMenu[] = {
    Tag(0, "境界線表示 (FRAMEBORDER=\"&yes\")", "Etc_Framset_Frameborder_Yes"),
    Tag(0, "境界線非表示 (FRAMEBORDER=\"&no\")", "Etc_Framset_Frameborder_No"),
};

// The items of "HTML5(&5)", in the tag tree and in ShortTagPopup. Captions
// name the elements in lower case, as HTML5 is written. The groups below are
// also the menus of the grouped buttons of the palette page "HTML5".
constexpr MenuRow kHtml5Tags[] = {
    Tag(0, "HTML5 ドキュメント <!DOCTYPE &html>", "H5_Doc", P::kHtml5Document),
    Sub(0, "head の要素(&K)", P::kHtml5HeadTags),
    Use(1, T::kHtml5HeadTags),
    Sep(0),
    Tag(0, "ヘッダー <h&eader>", "H5_Header", P::kHtml5Header),
    Tag(0, "ナビゲーション <&nav>", "H5_Nav", P::kHtml5Nav),
    Tag(0, "メイン <&main>", "H5_Main", P::kHtml5Main),
    Tag(0, "セクション <&section>", "H5_Section", P::kHtml5Section),
    Tag(0, "記事 <&article>", "H5_Article", P::kHtml5Article),
    Tag(0, "補足 <asi&de>", "H5_Aside", P::kHtml5Aside),
    Tag(0, "フッター <&footer>", "H5_Footer", P::kHtml5Footer),
    Sep(0),
    Tag(0, "図 <fi&gure>", "H5_Figure", P::kHtml5Figure),
    Tag(0, "画像の切り替え <&picture>", "H5_Picture", P::kHtml5Picture),
    Tag(0, "動画 <&video>", "H5_Video", P::kHtml5Video),
    Tag(0, "音声 <a&udio>", "H5_Audio", P::kHtml5Audio),
    Sep(0),
    Tag(0, "折りたたみ <de&tails>", "H5_Details", P::kHtml5Details),
    Tag(0, "ダイアログ <dia&log>", "H5_Dialog"),
    Tag(0, "テンプレート(&O) <template>", "H5_Template"),
    Sep(0),
    Sub(0, "テキスト(&X)", P::kHtml5TextTags),
    Use(1, T::kHtml5TextTags),
    Sub(0, "ブロックと埋め込み(&B)", P::kHtml5MoreTags),
    Use(1, T::kHtml5BlockTags),
    Sub(0, "入力欄(&I)"),
    Use(1, T::kHtml5FormTags),
};

// What goes into <head>.
constexpr MenuRow kHtml5HeadTags[] = {
    Tag(0, "文字コード <meta &charset>", "H5_Charset"),
    Tag(0, "ビューポート <meta name=\"vie&wport\">", "H5_Viewport"),
    Tag(0, "説明文 <meta name=\"&description\">", "H5_MetaDescription"),
    Sep(0),
    Tag(0, "スタイルシート <&link rel=\"stylesheet\">", "H5_LinkStylesheet"),
    Tag(0, "アイコン <link rel=\"&icon\">", "H5_LinkIcon"),
    Tag(0, "スタイル <st&yle>", "H5_Style"),
    Sep(0),
    Tag(0, "スクリプト <&script src defer>", "H5_ScriptDefer"),
    Tag(0, "モジュール <script type=\"&module\">", "H5_ScriptModule"),
};

// Elements of running text.
constexpr MenuRow kHtml5TextTags[] = {
    Tag(0, "マーク <&mark>", "H5_Mark", P::kHtml5Mark),
    Tag(0, "日時 <&time datetime=\"\">", "H5_Time", P::kHtml5Time),
    Tag(0, "注記 <&small>", "H5_Small"),
    Tag(0, "重要 <st&rong>", "H5_Strong"),
    Tag(0, "強調 <&em>", "H5_Em"),
    Sep(0),
    Tag(0, "範囲 <s&pan>", "H5_Span"),
    Tag(0, "コード <&code>", "H5_Code"),
    Tag(0, "キー入力 <&kbd>", "H5_Kbd"),
    Tag(0, "引用句 <&q>", "H5_Q"),
    Tag(0, "削除 <&del>", "H5_Del"),
    Tag(0, "挿入 <&ins>", "H5_Ins"),
    Tag(0, "ルビ <r&uby> <rt> <rp>", "H5_Ruby"),
};

// Blocks, embedded content and the sections of a table.
constexpr MenuRow kHtml5BlockTags[] = {
    Tag(0, "区分 <&div>", "H5_Div"),
    Tag(0, "検索 <s&earch>", "H5_Search"),
    Tag(0, "見出しと副題 <&hgroup>", "H5_Hgroup"),
    Tag(0, "スクリプト無効時 <&noscript>", "H5_Noscript"),
    Sep(0),
    Tag(0, "画像 <i&mg loading=\"lazy\">", "H5_Img"),
    Tag(0, "埋め込みページ <i&frame>", "H5_Iframe"),
    Tag(0, "描画領域 <&canvas>", "H5_Canvas"),
    Sep(0),
    Tag(0, "表の見出し行 <&thead>", "H5_Thead"),
    Tag(0, "表の本体 <t&body>", "H5_Tbody"),
    Tag(0, "表の集計行 <tf&oot>", "H5_Tfoot"),
};

// Form controls; list="" names a <datalist> of input suggestions.
constexpr MenuRow kHtml5FormTags[] = {
    Tag(0, "ボタン <&button type=\"button\">", "H5_Button"),
    Tag(0, "ラベル <l&abel>", "H5_Label"),
    Tag(0, "グループ(&G) <fieldset> <legend>", "H5_Fieldset"),
    Sep(0),
    Tag(0, "メールアドレス <input type=\"&email\">", "H5_InputEmail"),
    Tag(0, "電話番号 <input type=\"&tel\">", "H5_InputTel"),
    Tag(0, "URL <input type=\"&url\">", "H5_InputUrl"),
    Tag(0, "数値 <input type=\"&number\">", "H5_InputNumber"),
    Tag(0, "範囲 <input type=\"&range\">", "H5_InputRange"),
    Tag(0, "日付 <input type=\"&date\">", "H5_InputDate"),
    Tag(0, "時刻 <input type=\"t&ime\">", "H5_InputTime"),
    Tag(0, "日付と時刻(&Y) <input type=\"datetime-local\">", "H5_InputDatetimeLocal"),
    Tag(0, "月 <input type=\"mont&h\">", "H5_InputMonth"),
    Tag(0, "週 <input type=\"&week\">", "H5_InputWeek"),
    Tag(0, "色 <input type=\"&color\">", "H5_InputColor"),
    Tag(0, "検索 <input type=\"&search\">", "H5_InputSearch"),
    Tag(0, "ファイル <input type=\"&file\">", "H5_InputFile"),
    Sep(0),
    Tag(0, "入力候補 <data&list>", "H5_Datalist"),
    Tag(0, "入力候補の参照(&J) (list=\"\")", "H5_InputList"),
    Tag(0, "進捗 <&progress>", "H5_Progress"),
    Tag(0, "メーター <&meter>", "H5_Meter"),
    Tag(0, "計算結果 <&output>", "H5_Output"),
};

// The menu of the palette's grouped button for blocks, embedded content,
// table sections and form controls.
constexpr MenuRow kHtml5MoreButtonMenu[] = {
    Use(0, T::kHtml5BlockTags),
    Sep(0),
    Sub(0, "入力欄(&I)"),
    Use(1, T::kHtml5FormTags),
};

constexpr MenuRow kTagTree[] = {
    Sub(0, "基本(&D)", P::kHtml),
    Tag(1, "ドキュメント構造 <&HTML>..</HTML>", "Kihon_Doc", P::kHtml),
    Sep(1),
    Tag(1, "ドキュメントタイプ <HTM&L>", "Kihon_DocType", P::kDocType),
    Tag(1, "ヘッダ <H&EAD>", "Kihon_Head", P::kHead),
    Tag(1, "タイトル <&TITLE>", "Kihon_Title", P::kTitle),
    Sub(1, "ボディ <&BODY>", P::kBody),
    Tag(2, "ボディ <&BODY>", "Kihon_Body_Body", P::kBody),
    Sep(2),
    Use(2, T::kBodyAttrs),
    Sep(1),
    Tag(1, "自動再読込 <&META ..REFRESH..>", "Kihon_MetaRefresh", P::kMetaRefresh),
    Tag(1, "WWWC <META NAME=\"&WWWC\"..>", "Kihon_WwwcMetaCheck", P::kWwwcMeta),
    Sep(1),
    Tag(1, "アドレス <&ADDRESS>", "Kihon_Address", P::kAddress),
    Tag(1, "コメント(&O) <!--  -->", "Kihon_Comment", P::kComment),
    Sep(0),
    Sub(0, "文字(&M)", P::kFont),
    Sub(1, "フォント <&FONT>", P::kFont),
    Tag(2, "フォント <&FONT>", "Moji_Font_Font", P::kFont),
    Sep(2),
    Use(2, T::kFontAttrs),
    Tag(1, "大きく表示 <BI&G>", "Moji_Big", P::kBig),
    Tag(1, "小さく表示 <S&MALL>", "Moji_Small", P::kSmall),
    Tag(1, "基本サイズ <B&ASEFONT>", "Moji_Basefont"),
    Sep(1),
    Tag(1, "太文字 <&B>", "Moji_B", P::kBold),
    Tag(1, "斜体 <&I>", "Moji_I", P::kItalic),
    Tag(1, "アンダーライン <&U>", "Moji_U", P::kUnderline),
    Tag(1, "取消線 <&S>", "Moji_S", P::kStrike),
    Tag(1, "幅等 <&TT>", "Moji_Tt", P::kTeletype),
    Tag(1, "上付(&W) <SUP>", "Moji_Sup", P::kSuperscript),
    Tag(1, "下付(&E) <SUB>", "Moji_Sub", P::kSubscript),
    Tag(1, "点滅 <BLIN&K>", "Moji_Blink", P::kBlink),
    Sep(1),
    Sub(1, "特殊記号(&C)"),
    Use(2, T::kEntities),
    Sub(0, "段落(&P)", P::kParagraph),
    Tag(1, "改行 <&BR>", "P_Br", P::kLineBreak),
    Sub(1, "段落 <&P>", P::kParagraph),
    Tag(2, "段落 <&P>", "P_P_P", P::kParagraph),
    Sep(2),
    Sub(2, "位置 (&ALIGN=\"\")"),
    Use(3, T::kAlign3),
    Sep(1),
    Sub(1, "見出し <&Hn>", P::kHeadings),
    Use(2, T::kHeadingLevels),
    Sep(2),
    Sub(2, "位置 (&ALIGN=\"\")"),
    Use(3, T::kAlign3),
    Sub(1, "表示位置 <&DIV>"),
    Use(2, T::kDivAligns),
    Tag(1, "センタリング <&CENTER>", "P_Center", P::kCenter),
    Sep(1),
    Tag(1, "引用 <BLOCK&QUOTE>", "P_Blockquote", P::kBlockquote),
    Tag(1, "整形 (PR&E)", "P_Pre"),
    Sub(1, "文字スクロール <&MARQUEE>"),
    Tag(2, "文字スクロール <&MARQUEE>", "P_Marquee_Marquee"),
    Sep(2),
    Tag(2, "背景色 (BG&COLOR=\"\")", "P_Marquee_Bgcolor"),
    Sub(2, "スクロールの種類 (&BEHAVIOR=\"\")"),
    Tag(3, "左右行き来 (BEHAVIOR=\"&alternate\")", "P_Marquee_Behavior_Alternate"),
    Tag(3, "画面外まで (BEHAVIOR=\"&scroll\")", "P_Marquee_Behavior_Scroll"),
    Tag(3, "端まで行って停止 (BEHAVIOR=\"s&lide\")", "P_Marquee_Behavior_Slide"),
    Sub(2, "スクロールの方向 (&DIRECTION=\"\")"),
    Tag(3, "左へ (DIRECTION=\"&left\")", "P_Marquee_Direction_Left"),
    Tag(3, "右へ (DIRECTION=\"&right\")", "P_Marquee_Direction_Right"),
    Tag(2, "移動距離 (&SCROLLAMOUNT=\"\")", "P_Marquee_Scrollamount"),
    Tag(2, "スピード (SC&ROLLDELAY=\"\")", "P_Marquee_Scrolldelay"),
    Tag(2, "回数 (&LOOP=\"\")", "P_Marquee_Loop"),
    Tag(2, "横サイズ (&WIDTH=\"\")", "P_Marquee_Width"),
    Tag(2, "縦サイズ (&HEIGHT=\"\")", "P_Marquee_Height"),
    Tag(2, "マーキー上下マージン (HS&PACE=\"\")", "P_Marquee_Hspace"),
    Tag(2, "マーキー左右マージン (&VSPACE=\"\")", "P_Marquee_Vspace"),
    Sub(2, "マーキー外との位置関係/上下 (&ALIGN=\"\")"),
    Tag(3, "上 (ALIGN=\"&top\")", "P_Marquee_Align_Top"),
    Tag(3, "中 (ALIGN=\"&middle\")", "P_Marquee_Align_Middle"),
    Tag(3, "下 (ALIGN=\"&bottom\")", "P_Marquee_Align_Bottom"),
    Sub(2, "マーキー外との位置関係/左右 (AL&IGN=\"\")"),
    Tag(3, "左 (ALIGN=\"&left\")", "P_Marquee_Align_Left"),
    Tag(3, "中 (ALIGN=\"&center\")", "P_Marquee_Align_Center"),
    Tag(3, "右 (ALIGN=\"&right\")", "P_Marquee_Align_Right"),
    Sub(1, "段組 <M&ULTICOL>"),
    Tag(2, "段組 <M&ULTICOL>", "P_Multicol_Multicol"),
    Sep(2),
    Tag(2, "段組の数 (&COLS=\"\")", "P_Multicol_Cols"),
    Tag(2, "段組の幅 (&WIDTH=\"\")", "P_Multicol_Width"),
    Tag(2, "段組間の幅 (&GUTTER=\"\")", "P_Multicol_Gutter"),
    Sub(1, "空白制御 <&SPACER>"),
    Tag(2, "空白制御 <&SPACER>", "P_Spacer_Spacer"),
    Sep(2),
    Sub(2, "タイプ (&TYPE=\"\")"),
    Tag(3, "垂直方向 (TYPE=\"&vertical\")", "P_Spacer_Type_Vertical"),
    Tag(3, "水平方向 (TYPE=\"&horizontal\")", "P_Spacer_Type_Horizontal"),
    Tag(3, "ブロック (TYPE=\"&block\")", "P_Spacer_Type_Block"),
    Tag(2, "幅 (S&IZE=\"\")", "P_Spacer_Size"),
    Sep(2),
    Note(2, "※TYPE=\"block\"のみ有効"),
    Tag(2, "横幅 (&WIDTH=\"\")", "P_Spacer_Width"),
    Tag(2, "縦幅 (&HEIGHT=\"\")", "P_Spacer_Height"),
    Sub(2, "回り込み (&ALIGN=\"\")"),
    Tag(3, "左 (ALIGN=\"&left\")", "P_Spacer_Align_Left"),
    Tag(3, "中 (ALIGN=\"&center\")", "P_Spacer_Align_Center"),
    Tag(3, "右 (ALIGN=\"&right\")", "P_Spacer_Align_Right"),
    Sep(1),
    Tag(1, "弱い改行 <&WBR>", "P_Wbr"),
    Tag(1, "改行禁止 <&NOBR>", "P_Nobr"),
    Sep(1),
    Sub(1, "水平線 <H&R>", P::kHorizontalRule),
    Tag(2, "水平線 <H&R>", "P_Hr_Hr", P::kHorizontalRule),
    Sep(2),
    Use(2, T::kHrAttrs),
    Sep(0),
    Sub(0, "表(&T)", P::kTable),
    Sub(1, "表組み <&TABLE>", P::kTable),
    Tag(2, "表組み <&TABLE>", "Table_Table_Table", P::kTable),
    Sep(2),
    Use(2, T::kTableAttrs),
    Sub(1, "行 <T&R>", P::kTableRow),
    Tag(2, "行 <T&R>", "Table_Tr_Tr", P::kTableRow),
    Sep(2),
    Use(2, T::kTrAttrs),
    Sub(1, "データセル <T&D>", P::kTableData),
    Tag(2, "データセル <T&D>", "Talbe_Td_Td", P::kTableData),
    Sep(2),
    Use(2, T::kTdAttrs),
    Sub(1, "見出しセル <T&H>", P::kTableHeader),
    Tag(2, "見出しセル <T&H>", "Talbe_Th_Th", P::kTableHeader),
    Sep(2),
    Sub(2, "表示位置/左右 (&ALIGN=\"\")"),
    Use(3, T::kAlign3),
    Sub(2, "表示位置/上下 (&VALIGN=\"\")"),
    Use(3, T::kValign3),
    Tag(2, "横幅 (&WIDTH=\"\")", "Talbe_Th_Width"),
    Tag(2, "縦幅 (H&EIGHT=\"\")", "Talbe_Th_Height"),
    Tag(2, "セル結合/横 (&COLSPAN=\"\")", "Talbe_Th_Colspan"),
    Tag(2, "セル結合/縦 (&ROWSPAN=\"\")", "Talbe_Th_Rowspan"),
    Tag(2, "改行禁止 (&NOWRAP)", "Talbe_Th_Nowrap"),
    Tag(2, "セル背景色 (B&GCOLOR=\"\")", "Talbe_Th_Bgcolor"),
    Sub(1, "キャプション <&CAPTION>", P::kCaption),
    Tag(2, "キャプション <&CAPTION>", "Table_Caption_Caption", P::kCaption),
    Sep(2),
    Sub(2, "表示位置/上下 (&ALIGN=\"\")"),
    Use(3, T::kCaptionAligns),
    Sub(0, "リスト(&S)", P::kUnorderedList),
    Tag(1, "マーク付きリスト <&UL>", "Table_Ul", P::kUnorderedList),
    Sub(1, "番号付きリスト <&OL>", P::kOrderedList),
    Tag(2, "番号付きリスト <&OL>", "Table_Ol_Ol", P::kOrderedList),
    Sep(2),
    Use(2, T::kOlAttrs),
    Sub(1, "リストの項目 <&LI>", P::kListItem),
    Tag(2, "リストの項目 <&LI>", "Table_Li_Li", P::kListItem),
    Sep(2),
    Note(2, "※<OL>で有効"),
    Sub(2, "マークタイプ (&TYPE=\"\")"),
    Use(3, T::kLiTypes),
    Sep(1),
    Sub(1, "定義リスト(&I) <DL>", P::kDefinitionList),
    Tag(2, "定義リスト(&I) <DL>", "Table_Dl_Dl", P::kDefinitionList),
    Sep(2),
    Use(2, T::kDlAttrs),
    Tag(1, "定義(&E) <DT>", "Table_Dt", P::kDefinitionTerm),
    Tag(1, "意味(&M) <DD>", "Table_Dd", P::kDefinitionData),
    Sep(0),
    Sub(0, "リンク/画像(&L)", P::kLink),
    Sub(1, "リンク <A &HREF=\"\">", P::kLink),
    Tag(2, "URL <A &HREF=\"\">", "Link_AHref_AHref", P::kLink),
    Sep(2),
    Sub(2, "ターゲット (&TARGET=\"\")"),
    Use(3, T::kTargetItems),
    Tag(1, "メール <A HREF=\"&mailto:\">", "Link_AHref_AHrefmailto", P::kMailto),
    Tag(1, "ネームタグ <A &NAME=\"\">", "Link_AName", P::kAnchor),
    Sep(1),
    Sub(1, "画像 <&IMG SRC=\"\">", P::kImage),
    Tag(2, "画像 <&IMG SRC=\"\">", "Link_Img_Img", P::kImage),
    Sep(2),
    Use(2, T::kImgAttrs),
    Sub(0, "フォーム(&F)", P::kForm),
    Sub(1, "フォームの宣言 <F&ORM>", P::kForm),
    Tag(2, "フォームの宣言 <F&ORM>", "Etc_Form_Form", P::kForm),
    Sep(2),
    Use(2, T::kFormAttrs),
    Sub(1, "ボタン <INPUT TYP&E=\"\">", P::kPushButton),
    Tag(2, "送信 <INPUT TYPE=\"&submit\">", "Etc_Button_Submit", P::kSubmitButton),
    Tag(2, "クリア <INPUT TYPE=\"&reset\">", "Etc_Button_Reset", P::kResetButton),
    Tag(2, "標準ボタン <INPUT TYPE=\"&button\">", "Etc_Button_Button", P::kPushButton),
    Sep(2),
    Use(2, T::kButtonAttrs),
    Sub(1, "文字フィールド <IN&PUT TYPE=\"\">", P::kTextField),
    Tag(2, "標準 <INPUT TYPE=\"&text\">", "Etc_Text_Text", P::kTextField),
    Use(2, T::kTextAttrs),
    Sub(1, "ラジオボタン <INP&UT TYPE=\"\">", P::kRadioButton),
    Tag(2, "ラジオボタン <INPUT TYPE=\"&radio\">", "Etc_Radio_Radio", P::kRadioButton),
    Sep(2),
    Use(2, T::kRadioAttrs),
    Sub(1, "チェックボックス <INPUT T&YPE=\"\">", P::kCheckBox),
    Tag(2, "チェックボックス <INPUT TYPE=\"&checkbox\">", "Etc_Checkbox_Checkbox", P::kCheckBox),
    Sep(2),
    Use(2, T::kCheckboxAttrs),
    Sub(1, "隠しフィールド <I&NPUT TYPE=\"\">", P::kHiddenField),
    Tag(2, "隠しフィールド <INPUT TYPE=\"&hidden\">", "Etc_Hidden_Hidden", P::kHiddenField),
    Sep(2),
    Use(2, T::kHiddenAttrs),
    Sub(1, "コンボボックス <&SELECT>", P::kComboBox),
    Tag(2, "コンボボックス <&SELECT>", "Etc_Select_Select", P::kComboBox),
    Sep(2),
    Use(2, T::kSelectAttrs),
    Sub(1, "複数行文字フィールド <&TEXTAREA>", P::kTextArea),
    Tag(2, "複数行文字フィールド <&TEXTAREA>", "Etc_Textarea_Textarea", P::kTextArea),
    Sep(2),
    Use(2, T::kTextareaAttrs),
    Sub(0, "フレーム(&R)", P::kFramesetColumns),
    Sub(1, "フレーム集合 <&FRAMSET>", P::kFramesetColumns),
    Tag(2, "縦に分割 <FRAMESET &COLS=\",*\">", "Etc_Framset_Cols", P::kFramesetColumns),
    Tag(2, "横に分割 <FRAMESET &ROWS=\",*\">", "Etc_Framset_Rows", P::kFramesetRows),
    Sep(2),
    Sub(2, "境界線表示 (FRAME&BORDER=\"\")"),
    Tag(3, "表示 (FRAMEBORDER=\"&yes\")", "Etc_Framset_Frameborder_Yes"),
    Tag(3, "非表示 (FRAMEBORDER=\"&no\")", "Etc_Framset_Frameborder_No"),
    Sub(1, "個々のフレーム <F&RAME>", P::kFrame),
    Tag(2, "個々のフレーム <F&RAME SRC=\"\">", "Etc_Frame_Frame", P::kFrame),
    Sep(2),
    Use(2, T::kFrameAttrs),
    Tag(1, "フレーム未対応用 <NOFR&AMES>", "Etc_Noframes", P::kNoFrames),
    Sep(0),
    Sub(0, "HTML5(&5)", P::kHtml5Document),
    Use(1, T::kHtml5Tags),
};

constexpr MenuTable kTables[] = {
    {T::kTagTree, kTagTree},
    {T::kAlign3, kAlign3},
    {T::kValign3, kValign3},
    {T::kEntities, kEntities},
    {T::kHeadingLevels, kHeadingLevels},
    {T::kDivAligns, kDivAligns},
    {T::kBodyAttrs, kBodyAttrs},
    {T::kFontAttrs, kFontAttrs},
    {T::kHrAttrs, kHrAttrs},
    {T::kTableAttrs, kTableAttrs},
    {T::kTrAttrs, kTrAttrs},
    {T::kTdAttrs, kTdAttrs},
    {T::kCaptionAligns, kCaptionAligns},
    {T::kOlAttrs, kOlAttrs},
    {T::kLiTypes, kLiTypes},
    {T::kLiAttrMenu, kLiAttrMenu},
    {T::kFramesetAttrMenu, kFramesetAttrMenu},
    {T::kDlAttrs, kDlAttrs},
    {T::kTargetItems, kTargetItems},
    {T::kImgAttrs, kImgAttrs},
    {T::kFormAttrs, kFormAttrs},
    {T::kButtonAttrs, kButtonAttrs},
    {T::kTextAttrs, kTextAttrs},
    {T::kRadioAttrs, kRadioAttrs},
    {T::kCheckboxAttrs, kCheckboxAttrs},
    {T::kHiddenAttrs, kHiddenAttrs},
    {T::kSelectAttrs, kSelectAttrs},
    {T::kTextareaAttrs, kTextareaAttrs},
    {T::kFrameAttrs, kFrameAttrs},
    {T::kHtml5Tags, kHtml5Tags},
    {T::kHtml5HeadTags, kHtml5HeadTags},
    {T::kHtml5TextTags, kHtml5TextTags},
    {T::kHtml5BlockTags, kHtml5BlockTags},
    {T::kHtml5FormTags, kHtml5FormTags},
    {T::kHtml5MoreButtonMenu, kHtml5MoreButtonMenu},
};

}  // namespace

std::span<const MenuTable> TagMenuTables() { return kTables; }

}  // namespace tagsling::ui

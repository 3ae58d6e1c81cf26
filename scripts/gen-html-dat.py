#!/usr/bin/env python3
"""Writes data/Html.dat, the default tag templates, from the table below, and
core/BuiltInTemplates.inc, the program's own copy of the HTML5 templates.

The table is UTF-8 text; the file is written in code page 932 with CRLF line
endings, section [Html], one entry per key of the catalogue in
core/TemplateKeys.cpp (same order; the script stops if the two differ).

The HTML5 keys ("H5_...") are newer than most users' edited Html.dat, so the
program falls back to a built-in template when such a key is missing from the
file. Those built-in templates are the rows of core/BuiltInTemplates.inc,
written from the same table, so the shipped file and the fallback never
differ.

Template conventions (classic keys in upper case, as the captions show them;
HTML5 keys in lower case with void elements written without "/" and every
attribute value in double quotes):
- an element that encloses content puts %SELSTR% between its tags, so normal
  mode leaves the caret inside and sandwich mode wraps the selection;
- an attribute key gives a leading blank and the attribute with %SELSTR%
  between its quotes; a fixed value gives the finished attribute; a boolean
  attribute gives its bare name;
- an empty element puts %SELSTR% where the user types next;
- block constructs span lines with %CR%.

Values with leading or trailing blanks, or enclosed in matching quotes, are
written inside double quotes, which the profile reader removes again.

Usage: scripts/gen-html-dat.py           writes both files
       scripts/gen-html-dat.py --check   exits 1 when either file differs
                                         from what the table gives
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def enclose(tag, attributes=""):
    return f"<{tag}{attributes}>%SELSTR%</{tag}>"


def block(tag, attributes=""):
    return f"<{tag}{attributes}>%CR%%SELSTR%%CR%</{tag}>"


def attr(name):
    return f' {name}="%SELSTR%"'


def value(name, fixed):
    return f' {name}="{fixed}"'


def flag(name):
    return f" {name}"


def cells(prefix, tag):
    return [
        (f"{prefix}_{tag.capitalize()}", enclose(tag)),
        (f"{prefix}_Width", attr("WIDTH")),
        (f"{prefix}_Height", attr("HEIGHT")),
        (f"{prefix}_Rowspan", attr("ROWSPAN")),
        (f"{prefix}_Colspan", attr("COLSPAN")),
        (f"{prefix}_Nowrap", flag("NOWRAP")),
        (f"{prefix}_Bgcolor", attr("BGCOLOR")),
    ]


DOCUMENT = "%CR%".join([
    "<HTML>",
    "<HEAD>",
    '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=Shift_JIS">',
    "<TITLE></TITLE>",
    "</HEAD>",
    "<BODY>",
    "%SELSTR%",
    "</BODY>",
    "</HTML>",
])

H5_DOCUMENT = "%CR%".join([
    "<!DOCTYPE html>",
    '<html lang="ja">',
    "<head>",
    '<meta charset="utf-8">',
    '<meta name="viewport" content="width=device-width, initial-scale=1">',
    "<title>%SELSTR%</title>",
    "</head>",
    "<body>",
    "",
    "</body>",
    "</html>",
])


def h5_input(input_type):
    return f'<input type="{input_type}" name="%SELSTR%">'


# HTML5: also the program's built-in templates for these keys. Every one is
# valid HTML once the user's text stands at %SELSTR% (tests/validate checks
# that): an attribute that must not be empty either holds the caret or a
# sample value to replace ("image.jpg"), never "".
HTML5_TEMPLATES = [
    ("H5_Doc", H5_DOCUMENT),
    *[(f"H5_{tag.capitalize()}", block(tag))
      for tag in ("header", "nav", "main", "section", "article", "aside", "footer")],
    ("H5_Figure", '<figure>%CR%<img src="image.jpg" alt="">%CR%<figcaption>%SELSTR%</figcaption>%CR%</figure>'),
    ("H5_Picture", '<picture>%CR%<source srcset="image.webp" type="image/webp">%CR%'
                   '<img src="image.jpg" alt="%SELSTR%">%CR%</picture>'),
    # No src: the caret is where <source> and <track> go, and a src
    # attribute, even an empty one, would make the browser ignore them.
    ("H5_Video", enclose("video", flag("controls"))),
    ("H5_Audio", enclose("audio", flag("controls"))),
    ("H5_Details", "<details>%CR%<summary>%SELSTR%</summary>%CR%%CR%</details>"),
    ("H5_Dialog", block("dialog")),
    ("H5_Template", block("template")),
    ("H5_Mark", enclose("mark")),
    ("H5_Time", '<time datetime="%SELSTR%"></time>'),
    ("H5_Small", enclose("small")),
    ("H5_Strong", enclose("strong")),
    ("H5_Em", enclose("em")),
    # Like the classic empty elements, the caret goes after the tag.
    ("H5_Viewport", '<meta name="viewport" content="width=device-width, initial-scale=1">%SELSTR%'),
    ("H5_Charset", '<meta charset="utf-8">%SELSTR%'),
    ("H5_InputEmail", h5_input("email")),
    ("H5_InputTel", h5_input("tel")),
    ("H5_InputUrl", h5_input("url")),
    ("H5_InputNumber", h5_input("number")),
    ("H5_InputRange", h5_input("range")),
    ("H5_InputDate", h5_input("date")),
    ("H5_InputColor", h5_input("color")),
    ("H5_InputSearch", h5_input("search")),
    # The id is what list="" of an input names.
    ("H5_Datalist", '<datalist id="%SELSTR%">%CR%%CR%</datalist>'),
    # Without value the bar is indeterminate ("busy") until a script sets it.
    ("H5_Progress", enclose("progress", value("max", "100"))),
    ("H5_Meter", enclose("meter", value("value", "0") + value("min", "0") + value("max", "100"))),
    ("H5_Output", enclose("output")),
    # head
    ("H5_MetaDescription", '<meta name="description" content="%SELSTR%">'),
    ("H5_LinkStylesheet", '<link rel="stylesheet" href="%SELSTR%">'),
    ("H5_LinkIcon", '<link rel="icon" href="%SELSTR%">'),
    ("H5_ScriptDefer", '<script src="%SELSTR%" defer></script>'),
    ("H5_ScriptModule", block("script", value("type", "module"))),
    ("H5_Style", block("style")),
    # blocks and embedded content
    ("H5_Div", block("div")),
    ("H5_Span", enclose("span")),
    ("H5_Search", block("search")),
    ("H5_Hgroup", "<hgroup>%CR%<h1>%SELSTR%</h1>%CR%<p></p>%CR%</hgroup>"),
    ("H5_Noscript", block("noscript")),
    ("H5_Img", '<img src="%SELSTR%" alt="" loading="lazy" decoding="async">'),
    ("H5_Iframe", '<iframe src="%SELSTR%" title="" loading="lazy"></iframe>'),
    ("H5_Canvas", enclose("canvas")),
    # text
    *[(f"H5_{tag.capitalize()}", enclose(tag)) for tag in ("code", "kbd", "q", "del", "ins")],
    ("H5_Ruby", "<ruby>%SELSTR%<rp>(</rp><rt></rt><rp>)</rp></ruby>"),
    # table sections
    *[(f"H5_{tag.capitalize()}", block(tag)) for tag in ("thead", "tbody", "tfoot")],
    # forms
    ("H5_Button", enclose("button", value("type", "button"))),
    ("H5_Label", enclose("label")),
    ("H5_Fieldset", "<fieldset>%CR%<legend>%SELSTR%</legend>%CR%%CR%</fieldset>"),
    ("H5_InputTime", h5_input("time")),
    ("H5_InputDatetimeLocal", h5_input("datetime-local")),
    ("H5_InputMonth", h5_input("month")),
    ("H5_InputWeek", h5_input("week")),
    ("H5_InputFile", h5_input("file")),
    # An attribute for the input just typed: the id of a <datalist>.
    ("H5_InputList", attr("list")),
]

TEMPLATES = [
    # 基本
    ("Kihon_Doc", DOCUMENT),
    ("Kihon_DocType", '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">%CR%%SELSTR%'),
    ("Kihon_Head", block("HEAD")),
    ("Kihon_Title", enclose("TITLE")),
    ("Kihon_Body_Body", block("BODY")),
    ("Kihon_Body_Text", attr("TEXT")),
    ("Kihon_Body_Link", attr("LINK")),
    ("Kihon_Body_Vlink", attr("VLINK")),
    ("Kihon_Body_Alink", attr("ALINK")),
    ("Kihon_Body_Bgcolor", attr("BGCOLOR")),
    ("Kihon_Body_Background", attr("BACKGROUND")),
    ("Kihon_Body_LeftMargin", attr("LEFTMARGIN")),
    ("Kihon_Body_TopMargin", attr("TOPMARGIN")),
    ("Kihon_MetaRefresh", '<META HTTP-EQUIV="REFRESH" CONTENT="%SELSTR%; URL=">'),
    ("Kihon_WwwcMetaCheck", '<META NAME="WWWC" CONTENT="%SELSTR%">'),
    ("Kihon_Address", enclose("ADDRESS")),
    ("Kihon_Comment", "<!-- %SELSTR% -->"),
    # 文字
    ("Moji_Font_Font", enclose("FONT")),
    ("Moji_Font_Size", attr("SIZE")),
    ("Moji_Font_Color", attr("COLOR")),
    ("Moji_Font_Face", attr("FACE")),
    ("Moji_Big", enclose("BIG")),
    ("Moji_Small", enclose("SMALL")),
    ("Moji_Basefont", '<BASEFONT SIZE="%SELSTR%">'),
    ("Moji_B", enclose("B")),
    ("Moji_I", enclose("I")),
    ("Moji_U", enclose("U")),
    ("Moji_S", enclose("S")),
    ("Moji_Tt", enclose("TT")),
    ("Moji_Sup", enclose("SUP")),
    ("Moji_Sub", enclose("SUB")),
    ("Moji_Blink", enclose("BLINK")),
    ("Moji_Kigou_Left", "&lt;"),
    ("Moji_Kigou_Right", "&gt;"),
    ("Moji_Kigou_Amp", "&amp;"),
    ("Moji_Kigou_Quot", "&quot;"),
    ("Moji_Kigou_Nbsp", "&nbsp;"),
    # 段落
    ("P_Br", "<BR>%SELSTR%"),
    ("P_P_P", block("P")),
    *[(f"P_Hn_H{n}", enclose(f"H{n}")) for n in range(1, 7)],
    ("P_Div_Align_Left", block("DIV", value("ALIGN", "left"))),
    ("P_Div_Align_Center", block("DIV", value("ALIGN", "center"))),
    ("P_Div_Align_Right", block("DIV", value("ALIGN", "right"))),
    ("P_Center", block("CENTER")),
    ("P_Blockquote", block("BLOCKQUOTE")),
    ("P_Pre", enclose("PRE")),
    ("P_Marquee_Marquee", enclose("MARQUEE")),
    ("P_Marquee_Bgcolor", attr("BGCOLOR")),
    ("P_Marquee_Behavior_Alternate", value("BEHAVIOR", "alternate")),
    ("P_Marquee_Behavior_Scroll", value("BEHAVIOR", "scroll")),
    ("P_Marquee_Behavior_Slide", value("BEHAVIOR", "slide")),
    ("P_Marquee_Direction_Left", value("DIRECTION", "left")),
    ("P_Marquee_Direction_Right", value("DIRECTION", "right")),
    ("P_Marquee_Scrollamount", attr("SCROLLAMOUNT")),
    ("P_Marquee_Scrolldelay", attr("SCROLLDELAY")),
    ("P_Marquee_Loop", attr("LOOP")),
    ("P_Marquee_Width", attr("WIDTH")),
    ("P_Marquee_Height", attr("HEIGHT")),
    ("P_Marquee_Hspace", attr("HSPACE")),
    ("P_Marquee_Vspace", attr("VSPACE")),
    ("P_Marquee_Align_Top", value("ALIGN", "top")),
    ("P_Marquee_Align_Middle", value("ALIGN", "middle")),
    ("P_Marquee_Align_Bottom", value("ALIGN", "bottom")),
    ("P_Marquee_Align_Left", value("ALIGN", "left")),
    ("P_Marquee_Align_Center", value("ALIGN", "center")),
    ("P_Marquee_Align_Right", value("ALIGN", "right")),
    ("P_Multicol_Multicol", block("MULTICOL")),
    ("P_Multicol_Cols", attr("COLS")),
    ("P_Multicol_Width", attr("WIDTH")),
    ("P_Multicol_Gutter", attr("GUTTER")),
    # The caret stays inside the tag, where the TYPE/SIZE items go next.
    ("P_Spacer_Spacer", "<SPACER%SELSTR%>"),
    ("P_Spacer_Type_Vertical", value("TYPE", "vertical")),
    ("P_Spacer_Type_Horizontal", value("TYPE", "horizontal")),
    ("P_Spacer_Type_Block", value("TYPE", "block")),
    ("P_Spacer_Size", attr("SIZE")),
    ("P_Spacer_Width", attr("WIDTH")),
    ("P_Spacer_Height", attr("HEIGHT")),
    ("P_Spacer_Align_Left", value("ALIGN", "left")),
    ("P_Spacer_Align_Center", value("ALIGN", "center")),
    ("P_Spacer_Align_Right", value("ALIGN", "right")),
    ("P_Wbr", "<WBR>%SELSTR%"),
    ("P_Nobr", enclose("NOBR")),
    # Likewise for the SIZE/WIDTH/COLOR/NOSHADE/ALIGN items of HR.
    ("P_Hr_Hr", "<HR%SELSTR%>"),
    ("P_Hr_Size", attr("SIZE")),
    ("P_Hr_Width", attr("WIDTH")),
    ("P_Hr_Color", attr("COLOR")),
    ("P_Hr_Noshade", flag("NOSHADE")),
    # 表
    ("Table_Table_Table", block("TABLE")),
    ("Table_Table_Border", attr("BORDER")),
    ("Table_Table_Cellspacing", attr("CELLSPACING")),
    ("Table_Table_Cellpadding", attr("CELLPADDING")),
    ("Table_Table_Width", attr("WIDTH")),
    ("Table_Table_Height", attr("HEIGHT")),
    ("Table_Table_Bgcolor", attr("BGCOLOR")),
    ("Table_Tr_Tr", block("TR")),
    ("Talbe_Tr_Bgcolor", attr("BGCOLOR")),
    *cells("Talbe_Td", "TD"),
    *cells("Talbe_Th", "TH"),
    ("Table_Caption_Caption", enclose("CAPTION")),
    ("Table_Caption_Align_Top", value("ALIGN", "top")),
    ("Table_Caption_Align_Bottom", value("ALIGN", "bottom")),
    # リスト
    ("Table_Ul", block("UL")),
    ("Table_Ol_Ol", block("OL")),
    ("Table_Ol_Start", attr("START")),
    ("Table_Li_Li", enclose("LI")),
    ("Table_Li_Type_A", value("TYPE", "A")),
    ("Table_Li_Type_I", value("TYPE", "I")),
    ("Table_Li_Type_1", value("TYPE", "1")),
    ("Table_Dl_Dl", block("DL")),
    ("Table_Dl_Compact", flag("COMPACT")),
    ("Table_Dt", enclose("DT")),
    ("Table_Dd", enclose("DD")),
    # リンク/画像
    ("Link_AHref_AHref", enclose("A", ' HREF=""')),
    ("Link_AHref_AHref_Target__Blank", value("TARGET", "_blank")),
    ("Link_AHref_AHref_Target__Top", value("TARGET", "_top")),
    ("Link_AHref_AHref_Target_Top", value("TARGET", "top")),
    ("Link_AHref_AHref_Target_Free", attr("TARGET")),
    ("Link_AHref_AHrefmailto", enclose("A", ' HREF="mailto:"')),
    ("Link_AName", enclose("A", ' NAME=""')),
    ("Link_Img_Img", '<IMG SRC="%SELSTR%">'),
    ("Link_Img_Alt", attr("ALT")),
    ("Link_Img_Align1_Top", value("ALIGN", "top")),
    ("Link_Img_Align1_Middle", value("ALIGN", "middle")),
    ("Link_Img_Align1_Bottom", value("ALIGN", "bottom")),
    ("Link_Img_Vspace", attr("VSPACE")),
    ("Link_Img_Hspace", attr("HSPACE")),
    ("Link_Img_Width", attr("WIDTH")),
    ("Link_Img_Height", attr("HEIGHT")),
    ("Link_Img_Lowsrc", attr("LOWSRC")),
    ("Link_Img_Border", attr("BORDER")),
    # フォーム
    ("Etc_Form_Form", block("FORM")),
    ("Etc_Form_Action_Url", attr("ACTION")),
    ("Etc_Form_Action_Mail", ' ACTION="mailto:%SELSTR%"'),
    ("Etc_Form_Method_Post", value("METHOD", "post")),
    ("Etc_Form_Method_Get", value("METHOD", "get")),
    ("Etc_Button_Submit", '<INPUT TYPE="submit" VALUE="%SELSTR%">'),
    ("Etc_Button_Reset", '<INPUT TYPE="reset" VALUE="%SELSTR%">'),
    ("Etc_Button_Button", '<INPUT TYPE="button" VALUE="%SELSTR%">'),
    ("Etc_Button_Name", attr("NAME")),
    ("Etc_Button_Value", attr("VALUE")),
    ("Etc_Text_Text", '<INPUT TYPE="text" NAME="%SELSTR%">'),
    ("Etc_Text_Password", '<INPUT TYPE="password" NAME="%SELSTR%">'),
    ("Etc_Text_Name", attr("NAME")),
    ("Etc_Text_Value", attr("VALUE")),
    ("Etc_Text_Size", attr("SIZE")),
    ("Etc_Text_Maxlenth", attr("MAXLENGTH")),
    ("Etc_Radio_Radio", '<INPUT TYPE="radio" NAME="%SELSTR%">'),
    ("Etc_Radio_Name", attr("NAME")),
    ("Etc_Radio_Value", attr("VALUE")),
    ("Etc_Radio_Checked", flag("CHECKED")),
    ("Etc_Checkbox_Checkbox", '<INPUT TYPE="checkbox" NAME="%SELSTR%">'),
    ("Etc_Checkbox_Name", attr("NAME")),
    ("Etc_Checkbox_Value", attr("VALUE")),
    ("Etc_Checkbox_Checked", flag("CHECKED")),
    ("Etc_Hidden_Hidden", '<INPUT TYPE="hidden" NAME="%SELSTR%">'),
    ("Etc_Hidden_Name", attr("NAME")),
    ("Etc_Hidden_Value", attr("VALUE")),
    ("Etc_Select_Select", block("SELECT")),
    ("Etc_Select_Name", attr("NAME")),
    ("Etc_Select_Size", attr("SIZE")),
    ("Etc_Select_Multipre", flag("MULTIPLE")),
    ("Etc_Select_Option", enclose("OPTION")),
    ("Etc_Select_OpValue", attr("VALUE")),
    ("Etc_Select_OpSelected", flag("SELECTED")),
    ("Etc_Textarea_Textarea", enclose("TEXTAREA")),
    ("Etc_Textarea_Name", attr("NAME")),
    ("Etc_Textarea_Cols", attr("COLS")),
    ("Etc_Textarea_Rows", attr("ROWS")),
    ("Etc_Textarea_Wrap_off", value("WRAP", "off")),
    ("Etc_Textarea_Wrap_hard", value("WRAP", "hard")),
    ("Etc_Textarea_Wrap_Soft", value("WRAP", "soft")),
    # フレーム
    ("Etc_Framset_Cols", '<FRAMESET COLS="%SELSTR%,*">%CR%%CR%</FRAMESET>'),
    ("Etc_Framset_Rows", '<FRAMESET ROWS="%SELSTR%,*">%CR%%CR%</FRAMESET>'),
    ("Etc_Framset_Frameborder_Yes", value("FRAMEBORDER", "yes")),
    ("Etc_Framset_Frameborder_No", value("FRAMEBORDER", "no")),
    ("Etc_Frame_Frame", '<FRAME SRC="%SELSTR%">'),
    ("Etc_Frame_Name", attr("NAME")),
    ("Etc_Frame_Marginwidth", attr("MARGINWIDTH")),
    ("Etc_Frame_Marginheight", attr("MARGINHEIGHT")),
    ("Etc_Frame_Scrolling_Yes", value("SCROLLING", "yes")),
    ("Etc_Frame_Scrolling_No", value("SCROLLING", "no")),
    ("Etc_Frame_Scrolling_Auto", value("SCROLLING", "auto")),
    ("Etc_Frame_Noresize", flag("NORESIZE")),
    ("Etc_Frame_Frameborder_Yes", value("FRAMEBORDER", "yes")),
    ("Etc_Frame_Frameborder_No", value("FRAMEBORDER", "no")),
    ("Etc_Noframes", block("NOFRAMES")),
    # HTML5
    *HTML5_TEMPLATES,
    # 共通の属性値
    ("OP_Left", value("ALIGN", "left")),
    ("OP_Center", value("ALIGN", "center")),
    ("OP_Right", value("ALIGN", "right")),
    ("OP_Top", value("VALIGN", "top")),
    ("OP_Middle", value("VALIGN", "middle")),
    ("OP_Bottom", value("VALIGN", "bottom")),
]

HEADER = [
    "; Tagsling タグテンプレート",
    "; キー=テンプレート (1行)。%SELSTR% 選択文字列/カーソル位置、%CR% 改行、%TAB% タブ",
    "; 前後に空白のある値は \"...\" で囲みます。",
]

# Written before the first HTML5 key.
HTML5_COMMENT = "; HTML5 (H5_...): このファイルにないキーは、ここにあるものと同じ組み込みのひな形を使います。"

INC_HEADER = [
    "// Generated by scripts/gen-html-dat.py from its template table; do not edit.",
    "// The built-in templates of the HTML5 keys, the same text as data/Html.dat.",
]


def catalogue_keys():
    source = (ROOT / "core" / "TemplateKeys.cpp").read_text(encoding="utf-8")
    return re.findall(r'\{"([A-Za-z0-9_]+)", k[A-Za-z0-9]+\}', source)


def cpp_string(text):
    """A C++ string literal of the code page 932 bytes of `text`; bytes
    outside printable ASCII as three-digit octal escapes (an octal escape
    never swallows the character after it)."""
    out = []
    for byte in text.encode("cp932"):
        char = chr(byte)
        if char in '"\\':
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append(f"\\{byte:03o}")
    return '"' + "".join(out) + '"'


def encode_value(text):
    quoted = text[:1] in " \t" or text[-1:] in " \t" or (
        len(text) >= 2 and text[0] in "\"'" and text[-1] == text[0])
    return f'"{text}"' if quoted else text


def html_dat():
    lines = HEADER + ["[Html]"]
    for key, text in TEMPLATES:
        if key == HTML5_TEMPLATES[0][0]:
            lines.append(HTML5_COMMENT)
        lines.append(f"{key}={encode_value(text)}")
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def built_in_rows():
    lines = INC_HEADER + [f"{{{cpp_string(key)}, {cpp_string(text)}}}," for key, text in HTML5_TEMPLATES]
    return "".join(line + "\n" for line in lines).encode("ascii")


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        sys.exit("usage: gen-html-dat.py [--check]")
    keys = [key for key, _ in TEMPLATES]
    if keys != catalogue_keys():
        sys.exit("gen-html-dat: the template table and core/TemplateKeys.cpp list different keys")
    outputs = [
        (ROOT / "data" / "Html.dat", html_dat()),
        (ROOT / "core" / "BuiltInTemplates.inc", built_in_rows()),
    ]
    stale = []
    for path, content in outputs:
        if check:
            if not path.exists() or path.read_bytes() != content:
                stale.append(path.relative_to(ROOT))
        else:
            path.write_bytes(content)
            print(f"wrote {path.relative_to(ROOT)}")
    if stale:
        sys.exit("gen-html-dat: out of date (run scripts/gen-html-dat.py): " + ", ".join(map(str, stale)))


if __name__ == "__main__":
    main()

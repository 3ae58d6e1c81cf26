"""The HTML5 tags as a user meets them: the palette page "HTML5" (normal and
sandwich insertion, a screenshot at 100 % and at 150 % with the whole tab
strip in view), the menu bar's "HTML5(&5)" submenu, and an Html.dat edited
before the HTML5 keys existed, which still gets them from the program."""

import contextlib
import os
import shutil
import time

from harness import HASAMI_ON, MAIN, WIDE_START, click_item, item_rect, palette, screen_dpi, show_page, wait_text

HTML5_PAGE = 8
PAGE_COUNT = 10
# Positions on the page's toolbar (separators count).
H5_SECTION = ("TabSheet9", 5)

PALETTE_WIDTH = 470  # the tab control's width at 100 %

SECTION = "<section>\r\n%s\r\n</section>"
DOCUMENT = ("<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n<title></title>\r\n"
            "</head>\r\n<body>\r\n\r\n</body>\r\n</html>")


def _assert_tabs_fit(desk, scale):
    """Every tab caption is in view: the tab strip needs no scroll arrows."""
    first_left = item_rect(desk, "PageControl1", 0)[0]
    last_right = item_rect(desk, "PageControl1", PAGE_COUNT - 1)[2]
    assert last_right - first_left <= PALETTE_WIDTH * scale - 4, (
        "the tabs need %d pixels, the palette has %d" % (last_right - first_left, PALETTE_WIDTH * scale))


def _screenshot_page(desk, name, pointer):
    show_page(desk, HTML5_PAGE)
    desk.xdotool("mousemove", *pointer)
    time.sleep(0.3)
    desk.screenshot(os.path.join(desk.screenshot_dir, name))


def test_html5_page_screenshot(desk):
    with palette(desk):
        _assert_tabs_fit(desk, 1)
        _screenshot_page(desk, "palette-html5.png", (1200, 700))
        # The hint names the element like the other buttons do.
        left, top, right, bottom = item_rect(desk, *H5_SECTION)
        desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        time.sleep(1.5)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-html5-hint.png"))


def test_html5_page_screenshot_at_150_percent(desk):
    with screen_dpi(desk, 144), palette(desk, WIDE_START):
        _assert_tabs_fit(desk, 1.5)
        _screenshot_page(desk, "palette-150-html5.png", (1200, 790))
        # The section button inserts at this scale too.
        click_item(desk, *H5_SECTION)
        wait_text(desk, SECTION % "")


def test_section_button_inserts_with_the_caret_inside(desk):
    with palette(desk):
        show_page(desk, HTML5_PAGE)
        click_item(desk, *H5_SECTION)
        wait_text(desk, SECTION % "")
        # The caret is on the empty line between the tags.
        assert desk.notepad_selection() == (11, 11), desk.notepad_selection()


def test_section_button_wraps_the_selection_in_sandwich_mode(desk):
    with palette(desk):
        desk.set_notepad_text("abc")
        desk.select_in_notepad(0, 3)
        click_item(desk, *HASAMI_ON)
        show_page(desk, HTML5_PAGE)
        click_item(desk, *H5_SECTION)
        wait_text(desk, SECTION % "abc")


def test_menu_bar_html5_document(desk):
    with palette(desk):
        desk.tool("activate", MAIN)
        time.sleep(0.3)
        # タグ(&T) > HTML5(&5) > HTML5 ドキュメント <!DOCTYPE &html>
        desk.keys("down:ALT", "tap:T", "up:ALT")
        time.sleep(0.5)
        desk.keys("tap:5")
        time.sleep(0.5)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-html5-menu.png"))
        desk.keys("tap:H")
        wait_text(desk, DOCUMENT)


@contextlib.contextmanager
def _template_file(desk, text):
    """Html.dat beside tagsling.exe replaced by `text` for the block."""
    path = os.path.join(desk.build_win, "Html.dat")
    saved = path + ".e2e-saved"
    shutil.copyfile(path, saved)
    try:
        with open(path, "wb") as handle:
            handle.write(text.encode("cp932"))
        yield
    finally:
        shutil.move(saved, path)


def test_old_template_file_gets_the_built_in_html5_templates(desk):
    # A classic file the user edited: no H5 keys but one, left empty.
    old = "[Html]\r\nMoji_B=<b>%SELSTR%</b>\r\nH5_Nav=\r\n"
    with _template_file(desk, old), palette(desk):
        show_page(desk, HTML5_PAGE)
        click_item(desk, *H5_SECTION)
        wait_text(desk, SECTION % "")
        # The file's own texts still win, also an empty one: nothing is pasted.
        show_page(desk, 1)
        click_item(desk, "TabSheet2", 4)
        wait_text(desk, "<section>\r\n<b></b>\r\n</section>")
        show_page(desk, HTML5_PAGE)
        click_item(desk, "TabSheet9", 3)
        time.sleep(1.5)
        assert desk.notepad_text() == "<section>\r\n<b></b>\r\n</section>", desk.notepad_text()


# The grouped buttons at the end of the page "HTML5" (separators count).
H5_TEXT_TAGS = ("TabSheet9", 21)
H5_MORE_TAGS = ("TabSheet9", 22)


def test_grouped_buttons_open_their_menus_and_insert(desk):
    with palette(desk):
        show_page(desk, HTML5_PAGE)
        # テキストの要素 > コード <&code>
        click_item(desk, *H5_TEXT_TAGS)
        time.sleep(0.8)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-html5-text-menu.png"))
        desk.keys("tap:C")
        wait_text(desk, "<code></code>")
        assert desk.notepad_selection() == (6, 6), desk.notepad_selection()
        # ブロック・埋め込み・表・フォーム > 入力欄(&I) > 日付と時刻(&Y)
        desk.set_notepad_text("")
        click_item(desk, *H5_MORE_TAGS)
        time.sleep(0.8)
        desk.keys("tap:I")
        time.sleep(0.5)
        desk.keys("tap:Y")
        wait_text(desk, "<input type=\"datetime-local\" name=\"\">")


def test_grouped_buttons_at_150_percent(desk):
    with screen_dpi(desk, 144), palette(desk, WIDE_START):
        show_page(desk, HTML5_PAGE)
        left, top, right, bottom = item_rect(desk, *H5_MORE_TAGS)
        tabs_right = item_rect(desk, "PageControl1", PAGE_COUNT - 1)[2]
        assert right <= item_rect(desk, "PageControl1", 0)[0] + PALETTE_WIDTH * 1.5, (right, tabs_right)
        click_item(desk, *H5_MORE_TAGS)
        time.sleep(0.8)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-150-html5-more-menu.png"))
        desk.keys("tap:D")  # 区分 <&div>
        wait_text(desk, "<div>\r\n\r\n</div>")


def _tooltip_text(desk):
    """The text of the tooltip on screen, or "" when none shows."""
    try:
        return desk.tool("title", "tooltips_class32").strip()
    except Exception:  # no visible tooltip
        return ""


def test_menu_item_of_an_obsolete_element_shows_the_note(desk):
    with palette(desk):
        desk.tool("activate", MAIN)
        time.sleep(0.3)
        # タグ(&T) > 段落(&P): the pointer stays away, the keyboard selects.
        desk.xdotool("mousemove", 1200, 100)
        desk.keys("down:ALT", "tap:T", "up:ALT")
        time.sleep(0.5)
        desk.keys("tap:P")
        time.sleep(0.5)
        # The first item, 改行 <&BR>, is kept by HTML5: no tip.
        time.sleep(0.5)
        assert _tooltip_text(desk) == "", _tooltip_text(desk)
        # Upwards from the first item: 水平線 <HR> (kept), then 改行禁止 <NOBR>.
        tips = []
        for _ in range(4):
            desk.keys("tap:UP")
            time.sleep(0.5)
            tips.append(_tooltip_text(desk))
            if tips[-1]:
                break
        assert tips[-1] == "改行禁止 <NOBR> (HTML5 では廃止)", tips
        desk.screenshot(os.path.join(desk.screenshot_dir, "menu-obsolete-hint.png"))
        desk.keys("tap:ESCAPE", "tap:ESCAPE", "tap:ESCAPE")
        desk.wait_until(lambda: _tooltip_text(desk) == "", 5, message="the tip stays after the menu closed")


def test_palette_hint_of_the_html4_doctype_says_obsolete(desk):
    with palette(desk):
        show_page(desk, 0)
        # ドキュメントタイプ: the third item of the page "基本" (separators count).
        left, top, right, bottom = item_rect(desk, "TabSheet1", 2)
        desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        desk.wait_until(lambda: _tooltip_text(desk) == "ドキュメントタイプ <HTML> (HTML5 では廃止)", 8,
                        message="the tip reads %r" % _tooltip_text(desk))

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

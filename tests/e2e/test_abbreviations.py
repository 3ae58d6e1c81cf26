"""The abbreviation commands as a user meets them in Notepad: an abbreviation
selected and expanded from the menu bar, with the caret left inside the
first element to fill; two lines wrapped with "ul>li*" typed into the wrap
dialog, which the settings file remembers; a refused abbreviation and a
cancelled dialog leaving the text as it was; the buttons of the palette's
"ツール" page (screenshots at 100 % and 150 %), the two hot keys, the
hot-key tool menu, and the hot-key fields of the options dialog.

Keyboard paths: "ツール(&L)" is Alt+L; in it "略記(&R)" holds
"略記を展開(&E)" and "略記で囲む(&W)"."""

import os
import time

from harness import (DIALOG, OPTIONS, QUICK_START, TOOLS_PAGE, WIDE_START, click, click_item, dialog_tool, menu, palette,
                     read_settings, screen_dpi, settings_with, show_page, wait_text)

LIST = "<ul>\r\n\t<li></li>\r\n\t<li></li>\r\n</ul>"
WRAPPED = "<ul>\r\n\t<li>one</li>\r\n\t<li>two</li>\r\n</ul>"
# Positions on the "ツール" page's toolbar (separators count).
EXPAND_BUTTON = ("TabSheet10", 4)
HOT_KEY_PAGE = 6


def _select_all(desk, text):
    desk.set_notepad_text(text)
    desk.select_in_notepad(0, len(text.encode("utf-16-le")) // 2)


def _wrap_dialog(desk):
    """Runs "略記で囲む(&W)" and waits for its dialog; returns the title."""
    menu(desk, "L", "R", "W")
    desk.tool("wait", DIALOG, "15")
    time.sleep(0.5)
    return desk.tool("title", DIALOG)


def _stays(desk, text, seconds=2.0):
    """Notepad still shows `text` after the command has had time to act."""
    time.sleep(seconds)
    assert desk.notepad_text() == text, "Notepad shows %r, expected %r" % (desk.notepad_text(), text)


def test_expand_from_the_menu_puts_the_caret_in_the_first_item(desk):
    with palette(desk):
        _select_all(desk, "ul>li*2")
        menu(desk, "L", "R", "E")
        wait_text(desk, LIST)
        # "<ul>", CR LF, TAB, "<li>": the caret waits between the first li's tags.
        desk.wait_until(lambda: desk.notepad_selection() == (11, 11), 5,
                        message="the caret is at %r" % (desk.notepad_selection(),))


def test_wrap_two_lines_in_a_list_and_remember_the_abbreviation(desk):
    with palette(desk) as process:
        _select_all(desk, "one\r\ntwo")
        assert _wrap_dialog(desk) == "略記で囲む"
        dialog_tool(desk, "combo", "ul>li*")
        desk.keys("tap:RETURN")
        wait_text(desk, WRAPPED)
        # The next wrap offers the same abbreviation: Enter is enough.
        _select_all(desk, "three\r\nfour")
        _wrap_dialog(desk)
        desk.keys("tap:RETURN")
        wait_text(desk, "<ul>\r\n\t<li>three</li>\r\n\t<li>four</li>\r\n</ul>")
        # Closing saves the history with the other settings.
        desk.tool("close", "TTagslingMain")
        process.wait(timeout=20)
        assert "AbbrevHistory0=ul>li*\r\n" in read_settings(desk), read_settings(desk)


def test_a_bad_abbreviation_or_a_cancelled_wrap_leaves_the_text(desk):
    text = "ul>li*0 \U0001F600"
    with palette(desk, settings_with(HasamiSelStr=0)):
        _select_all(desk, text)
        menu(desk, "L", "R", "E")
        _stays(desk, text)
        # Escape cancels the wrap dialog.
        _select_all(desk, text)
        _wrap_dialog(desk)
        desk.keys("tap:ESCAPE")
        desk.wait_until(lambda: not desk.has_window(DIALOG), 10, message="the wrap dialog stayed")
        _stays(desk, text)


def test_tools_page_button_hot_keys_and_tool_menu(desk):
    keys = "ExpandAbbrevHotKey=Ctrl+F9\r\nWrapAbbrevHotKey=Ctrl+F7\r\nPMHotKey_Tool=Ctrl+F8\r\n"
    ini = QUICK_START.replace("[Option]\r\n", "[Option]\r\n" + keys, 1)
    with palette(desk, ini):
        show_page(desk, TOOLS_PAGE)
        desk.xdotool("mousemove", 1200, 700)
        time.sleep(0.3)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-tools-abbreviations.png"))
        _select_all(desk, "p.note")
        click_item(desk, *EXPAND_BUTTON)
        wait_text(desk, '<p class="note"></p>')
        # The hot key, pressed in Notepad with the pointer over it.
        _select_all(desk, "a")
        desk.tool("activate", "Notepad")
        left, top, right, bottom = [int(v) for v in desk.tool("rect", "Notepad").split()]
        desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        time.sleep(0.3)
        desk.xdotool("key", "ctrl+F9")
        wait_text(desk, '<a href=""></a>')
        # The wrap hot key: its dialog comes to the front, the paste goes back.
        _select_all(desk, "x")
        desk.xdotool("key", "ctrl+F7")
        desk.tool("wait", DIALOG, "15")
        time.sleep(0.5)
        dialog_tool(desk, "combo", "b")
        desk.keys("tap:RETURN")
        wait_text(desk, "<b>x</b>")
        # The hot-key tool menu at the caret: "略記(&R)" > "略記を展開(&E)".
        _select_all(desk, "em")
        desk.xdotool("key", "ctrl+F8")
        time.sleep(0.8)
        desk.keys("tap:R")
        time.sleep(0.4)
        desk.keys("tap:E")
        wait_text(desk, "<em></em>")


def test_tools_page_screenshot_at_150_percent(desk):
    with screen_dpi(desk, 144), palette(desk, WIDE_START):
        show_page(desk, TOOLS_PAGE)
        desk.xdotool("mousemove", 1200, 790)
        time.sleep(0.3)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-150-tools-abbreviations.png"))


def test_hot_key_page_has_the_abbreviation_fields(desk):
    """The options dialog's page "ホットキー1" with its group "略記" below the
    popup-menu keys: a screenshot for review."""
    with palette(desk) as process:
        menu(desk, "L", "S")
        desk.wait_window(OPTIONS, 10)
        time.sleep(0.5)
        left, top, right, bottom = [int(v) for v in desk.tool("itemrect", OPTIONS, "class=SysTabControl32", str(HOT_KEY_PAGE)).split()]
        click(desk, (left + right) // 2, (top + bottom) // 2)
        time.sleep(0.5)
        desk.screenshot(os.path.join(desk.screenshot_dir, "options-hotkeys-abbreviations.png"))
        desk.tool("activate", OPTIONS, check=False)
        desk.keys("tap:ESCAPE")
        desk.wait_until(lambda: not desk.has_window(OPTIONS), 10, message="the options dialog stayed")

"""The palette program as a user meets it: real mouse clicks on palette
buttons and menus insert tags into Notepad; settings from the settings file
beside tagsling.exe are honoured; one instance only; closing saves the window
section or, when resident, only hides the palette. A screenshot of every tab
page is saved for review."""

import os
import threading
import time

from harness import (HASAMI_ON, MAIN, MOJI_B, QUICK_START, TOOLS_PAGE, WIDE_START, click, click_item, dtool, item_rect,
                     palette, screen_dpi, settings_path, show_page, wait_text, with_options)

# Positions of buttons on their toolbars (separators count), as laid out by
# the palette: TabSheet1 is the page "基本".
KIHON_BODY = ("TabSheet1", 5)
HASAMI_OFF = ("ToolBar12", 0)
USER_TAG_BUTTON = ("TabSheet10", 0)
PAGE_COUNT = 10


def click_face(desk, control, index):
    """The face of a split button: the part left of its arrow."""
    left, top, right, bottom = item_rect(desk, control, index)
    click(desk, left + 8, (top + bottom) // 2)


def test_screenshot_of_every_page(desk):
    with palette(desk):
        for index in range(PAGE_COUNT):
            show_page(desk, index)
            desk.xdotool("mousemove", 1200, 700)
            time.sleep(0.3)
            desk.screenshot(os.path.join(desk.screenshot_dir, "palette-page-%d.png" % (index + 1)))
        # The menu bar's tag menu with its pictures: タグ(&T) > 段落(&P).
        desk.tool("activate", MAIN)
        desk.keys("down:ALT", "tap:T", "up:ALT")
        time.sleep(0.4)
        desk.keys("tap:P")
        time.sleep(0.6)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-tag-menu.png"))
        desk.keys("tap:ESCAPE", "tap:ESCAPE", "tap:ESCAPE")


def test_plain_button_inserts(desk):
    with palette(desk):
        show_page(desk, 1)
        click_item(desk, *MOJI_B)
        wait_text(desk, "<B></B>")
        # The caret is back between the tags.
        assert desk.notepad_selection() == (3, 3)


def test_split_button_face_inserts(desk):
    with palette(desk):
        click_face(desk, *KIHON_BODY)
        wait_text(desk, "<BODY>\r\n\r\n</BODY>")


def test_split_button_arrow_menu_item_inserts(desk):
    with palette(desk):
        left, top, right, bottom = item_rect(desk, *KIHON_BODY)
        click(desk, right - 4, (top + bottom) // 2)
        time.sleep(0.8)
        desk.screenshot(os.path.join(desk.screenshot_dir, "palette-attribute-menu.png"))
        # The first item of the attribute menu, at the top of the menu (which
        # opens above the button when there is no room below it).
        desk.wait_until(lambda: desk.has_window("#32768"), 5, message="no attribute menu")
        menu_left, menu_top, _, _ = [int(v) for v in desk.tool("rect", "#32768").split()]
        click(desk, menu_left + 40, menu_top + 12)
        wait_text(desk, ' TEXT=""')


def test_menu_bar_item_inserts(desk):
    with palette(desk):
        desk.tool("activate", MAIN)
        time.sleep(0.3)
        # タグ(&T) > 文字(&M) > 太文字 <&B>
        desk.keys("down:ALT", "tap:T", "up:ALT")
        time.sleep(0.5)
        desk.keys("tap:M")
        time.sleep(0.5)
        desk.keys("tap:B")
        wait_text(desk, "<B></B>")


def test_user_tag_from_settings_inserts(desk):
    ini = QUICK_START + "[UserTag]\r\nItemCount=2\r\nTitle0=-\r\nTag0=\r\nTitle1=&Zebra\r\nTag1=<z>%SELSTR%</z>\r\n"
    with palette(desk, ini):
        show_page(desk, TOOLS_PAGE)
        click_item(desk, *USER_TAG_BUTTON)
        time.sleep(0.8)
        desk.keys("tap:Z")
        wait_text(desk, "<z></z>")


def test_sandwich_mode_from_mode_buttons(desk):
    with palette(desk):
        desk.set_notepad_text("abc")
        desk.select_in_notepad(0, 3)
        click_item(desk, *HASAMI_ON)
        show_page(desk, 1)
        click_item(desk, *MOJI_B)
        wait_text(desk, "<B>abc</B>")
        # PasteHasamiOff (on by default) turned the mode off again: the next
        # tag replaces the selection in normal mode.
        desk.select_in_notepad(0, 10)
        click_item(desk, *MOJI_B)
        wait_text(desk, "<B></B>")
        # The normal-mode button switches a sandwich mode chosen by mistake off.
        desk.set_notepad_text("xy")
        desk.select_in_notepad(0, 2)
        click_item(desk, *HASAMI_ON)
        click_item(desk, *HASAMI_OFF)
        click_item(desk, *MOJI_B)
        wait_text(desk, "<B></B>")


def test_second_start_leaves_one_instance(desk):
    with palette(desk) as first:
        started = time.time()
        second = desk.run(desk.win_exe("tagsling.exe"), timeout=30)
        assert second.returncode == 0
        assert time.time() - started < 20
        assert first.poll() is None
        assert desk.has_window(MAIN)


def test_taskbar_button_shows_with_the_palette_after_the_title_window(desk):
    # The title window keeps the taskbar button away while the palette is
    # made; the palette's first showing brings it back, and the title
    # window is gone.
    with palette(desk, QUICK_START.replace("SplashWindow=0", "SplashWindow=1")):
        desk.wait_until(lambda: desk.has_window("TApplication"), 10, message="no taskbar button")
        desk.wait_until(lambda: not desk.has_window("TSplashForm"), 10, message="the title window stayed")


def test_close_writes_window_section(desk):
    path = settings_path(desk)
    # A file without the window section: closing writes it.
    with palette(desk, "[Option]\r\nSplashWindow=0\r\n") as process:
        desk.tool("close", MAIN)
        process.wait(timeout=20)
        text = open(path, "rb").read().decode("cp932")
    assert "[TTagslingMain]" in text, text
    assert "WindowMax=1" in text, text  # the default: the strip along the top
    with palette(desk) as process:
        desk.tool("close", MAIN)
        process.wait(timeout=20)
        text = open(path, "rb").read().decode("cp932")
    assert "[TTagslingMain]" in text, text
    assert "WindowMax=0" in text, text
    assert "WindowTop=620" in text, text
    assert "WindowWidth=900" in text, text


def test_resident_close_only_hides(desk):
    with palette(desk, QUICK_START + "[Option]\r\nTrayIcon=1\r\n") as process:
        desk.tool("close", MAIN)
        desk.wait_until(lambda: not desk.has_window(MAIN), 10, message="the palette did not hide")
        time.sleep(1)
        assert process.poll() is None, "the resident palette ended"


def _foreground(desk):
    return desk.tool("foreground").strip()


def test_escape_on_the_palette_gives_the_editor_back_the_foreground(desk):
    with palette(desk):
        desk.tool("activate", MAIN)
        desk.wait_until(lambda: _foreground(desk) == MAIN, 5, message="the palette is not in front")
        # The pointer rests on a button: its tooltip is up when Escape comes.
        left, top, right, bottom = item_rect(desk, *KIHON_BODY)
        desk.xdotool("mousemove", left + 8, (top + bottom) // 2)
        desk.wait_until(lambda: desk.has_window("tooltips_class32"), 5, message="no tooltip")
        desk.keys("tap:ESCAPE")
        desk.wait_until(lambda: _foreground(desk) == "Notepad", 5,
                        message="Escape left %r in front" % _foreground(desk))
        assert desk.has_window(MAIN)


def test_escape_hides_a_resident_palette_with_esc_close(desk):
    with palette(desk, with_options("TrayIcon=1\r\nEscClose=1\r\n")) as process:
        desk.tool("activate", MAIN)
        desk.wait_until(lambda: _foreground(desk) == MAIN, 5, message="the palette is not in front")
        desk.keys("tap:ESCAPE")
        desk.wait_until(lambda: not desk.has_window(MAIN), 5, message="Escape did not hide the palette")
        assert process.poll() is None


def test_end_of_session_saves_the_settings(desk):
    """WM_QUERYENDSESSION lets the session end; every WM_ENDSESSION, whatever
    its parameters, writes the settings the menus changed in memory."""
    path = settings_path(desk)
    with palette(desk, with_options("PasteHasamiOff=0\r\nHasamiMode=0\r\n")) as process:
        click_item(desk, *HASAMI_ON)
        time.sleep(0.5)
        assert "HasamiMode=1" not in open(path, "rb").read().decode("cp932")
        assert dtool(desk, "send", MAIN, 0x0011, 0, 0x80000000) != "0", "the palette refused to end the session"
        dtool(desk, "send", MAIN, 0x0016, 0, 0x80000000)  # WM_ENDSESSION: the session goes on
        assert "HasamiMode=1" in open(path, "rb").read().decode("cp932")
        click_item(desk, *HASAMI_OFF)
        time.sleep(0.5)
        dtool(desk, "send", MAIN, 0x0016, 1, 0)  # WM_ENDSESSION: the session ends
        assert "HasamiMode=0" in open(path, "rb").read().decode("cp932")
        assert process.poll() is None


def test_sandwich_mode_from_the_settings_is_cleared_at_start_with_paste_hasami_off(desk):
    for paste_hasami_off, expected in ((1, "<B></B>"), (0, "<B>abc</B>")):
        ini = with_options("HasamiMode=1\r\nPasteHasamiOff=%d\r\n" % paste_hasami_off)
        with palette(desk, ini):
            desk.set_notepad_text("abc")
            desk.select_in_notepad(0, 3)
            show_page(desk, 1)
            click_item(desk, *MOJI_B)
            wait_text(desk, expected)
        desk.set_notepad_text("")


def _report_owner_and_close(desk):
    """The report box's owner and whether the palette was enabled meanwhile."""
    desk.wait_window("#32770", 15)
    time.sleep(0.3)
    owner = dtool(desk, "owner", "#32770")
    enabled = dtool(desk, "enabled", MAIN)
    desk.tool("activate", "#32770", check=False)
    desk.keys("tap:RETURN")
    desk.wait_until(lambda: not desk.has_window("#32770"), 10, message="the report stayed")
    return owner, enabled


def test_reports_are_owned_by_the_palette(desk):
    """A report of the engine (the clipboard is held by another program) and
    one of the text tools (preview without a browser set) belong to the
    palette: it cannot be clicked while they are open, and they stay above
    it even when it is always on top."""
    with palette(desk, with_options("WindowOnTop=1\r\n")):
        assert dtool(desk, "topmost", MAIN) == "1", "the palette is not always on top"
        desk.set_notepad_text("ab")
        holder = threading.Thread(target=lambda: desk.tool("holdclip", "5000", timeout=60))
        holder.start()
        try:
            time.sleep(1.5)
            show_page(desk, 1)
            click_item(desk, *MOJI_B)
            assert _report_owner_and_close(desk) == (MAIN, "0")
        finally:
            holder.join(60)
        assert desk.notepad_text() == "ab"
        assert dtool(desk, "enabled", MAIN) == "1"

        desk.tool("activate", MAIN)
        time.sleep(0.3)
        desk.keys("down:ALT", "tap:W", "up:ALT")  # ウィンドウ(&W) > Internet Explorer(&I)...
        time.sleep(0.4)
        desk.keys("tap:I")
        assert _report_owner_and_close(desk) == (MAIN, "0")


def test_screenshot_at_150_percent(desk):
    """The pictures and the layout scale with the display: the same palette
    at 144 dots per inch."""
    with screen_dpi(desk, 144), palette(desk, WIDE_START):
        for index in (0, 1, 6, 8):
            show_page(desk, index)
            desk.xdotool("mousemove", 1200, 790)
            time.sleep(0.3)
            desk.screenshot(os.path.join(desk.screenshot_dir, "palette-150-page-%d.png" % (index + 1)))
        # A button still inserts at this scale.
        show_page(desk, 1)
        click_item(desk, *MOJI_B)
        wait_text(desk, "<B></B>")

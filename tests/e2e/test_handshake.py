"""The paste handshake under Wine with Notepad: a burst of palette commands
never mixes the keystrokes of two insertions, a held hot key inserts once,
the user's clipboard (text and a private registered format) comes back with
RestoreClipboard, and text that nobody pasted is still on the clipboard after
the program has ended."""

import os
import time

from harness import (MAIN, MOJI_B, OPTIONS, QUICK_START, expect_text, menu_open, open_options, palette, settled_text,
                     pointer_on_notepad, prepare_selection, run_engine, wait_closed, wait_for)

PRIVATE_FORMAT = "Tagsling e2e private"


def _ini(options):
    """The palette's quick-start settings with more lines in "Option"."""
    return QUICK_START.replace("SplashWindow=0\r\n", "SplashWindow=0\r\n" + options, 1)


def test_twenty_commands_back_to_back_leave_only_whole_nested_tags(desk):
    with palette(desk):
        desk.set_notepad_text("")
        desk.focus_notepad()
        command = desk.tool("buttonid", MAIN, MOJI_B[0], str(MOJI_B[1])).strip()
        desk.tool("burst", MAIN, command, "20")
        text = settled_text(desk.notepad_text, "Notepad", seconds=20)
        accepted = text.count("<B>")
        assert accepted >= 1 and text == "<B>" * accepted + "</B>" * accepted, text
        # The caret of every accepted insertion went back inside its tag.
        assert desk.notepad_selection() == (3 * accepted, 3 * accepted), (text, desk.notepad_selection())


def test_a_hot_key_held_down_for_a_second_inserts_once(desk):
    with palette(desk, _ini("PMHotKey_S=Ctrl+F11\r\nPMIti_S=0\r\n")):
        desk.set_notepad_text("")
        desk.focus_notepad()
        pointer_on_notepad(desk)
        desk.xdotool("keydown", "ctrl+F11")
        time.sleep(1.0)
        desk.xdotool("keyup", "ctrl+F11")
        wait_for(desk, lambda: menu_open(desk), message="PopupMenu4 did not open")
        # "文字(&M)" > "太文字 <&B>"
        desk.keys("tap:M")
        time.sleep(0.3)
        desk.keys("tap:B")
        wait_for(desk, lambda: desk.notepad_text() == "<B></B>", message=desk.notepad_text())
        # No second menu and no second tag from the key's repeats.
        time.sleep(1.5)
        assert not menu_open(desk)
        assert desk.notepad_text() == "<B></B>"
        assert desk.notepad_selection() == (3, 3)


def test_restore_clipboard_puts_text_and_a_private_format_back(desk):
    with palette(desk, _ini("RestoreClipboard=1\r\n")):
        desk.set_notepad_text("ab")
        desk.focus_notepad()
        desk.select_in_notepad(1, 1)
        desk.tool("setclipformat", "the user's text", PRIVATE_FORMAT, "private ✓ data")
        command = desk.tool("buttonid", MAIN, MOJI_B[0], str(MOJI_B[1])).strip()
        desk.tool("burst", MAIN, command, "1")
        expect_text(desk, "a<B></B>b", caret=4)
        wait_for(desk, lambda: desk.tool("clip") == "the user's text", seconds=5,
                 message="the clipboard holds %r" % desk.tool("clip"))
        assert desk.tool("clipformat", PRIVATE_FORMAT) == "private ✓ data"


def test_restore_clipboard_after_a_sandwich(desk):
    prepare_selection(desk, "say hello now", 4, 9)
    desk.tool("setclipformat", "kept", PRIVATE_FORMAT, "also kept")
    out = run_engine(desk, "Moji_B", HasamiMode=1, HasamiSelStr=0, RestoreClipboard=1)
    assert out == ["done"], out
    expect_text(desk, "say <B>hello</B> now", caret=16)
    assert desk.tool("clip") == "kept"
    assert desk.tool("clipformat", PRIVATE_FORMAT) == "also kept"


def test_restore_clipboard_puts_a_bitmap_and_a_metafile_back(desk):
    prepare_selection(desk, "ab", 1, 1)
    desk.tool("setclipgraphics", "picture")
    assert desk.tool("clipgraphics") == "bitmap 4 x 3 FF0000, metafile"
    out = run_engine(desk, "Moji_B", RestoreClipboard=1)
    assert out == ["done"], out  # everything was kept: no message
    expect_text(desk, "a<B></B>b", caret=4)
    assert desk.tool("clip") == "picture"
    assert desk.tool("clipgraphics") == "bitmap 4 x 3 FF0000, metafile"


def test_fixed_paste_lag_still_wraps_the_selection(desk):
    prepare_selection(desk, "say hello now", 4, 9)
    run_engine(desk, "Moji_B", HasamiMode=1, AdaptivePasteLag=0)
    expect_text(desk, "say <B>hello</B> now", caret=16)


def test_text_nobody_pasted_is_on_the_clipboard_after_the_program_ends(desk):
    # No key for SendKey_Paste 7: nothing asks for the offered text before
    # enginehost exits, so it is rendered on the way out.
    prepare_selection(desk, "ab", 1, 1)
    out = run_engine(desk, "Moji_B", SendKey_Paste=7)
    assert out == ["done"], out
    expect_text(desk, "ab")
    assert desk.tool("clip") == "<B></B>"


def test_options_page_shows_the_paste_settings(desk):
    """A picture of the page "動作" with the two paste settings, for review."""
    with palette(desk):
        open_options(desk, "L", "S")
        # The tab "動作": the second of the bottom row, right of "全般".
        left, top, right, _ = [int(v) for v in desk.tool("rect", OPTIONS).split()]
        desk.xdotool("mousemove", left + 137, top + 72)
        desk.xdotool("click", 1)
        time.sleep(0.5)
        desk.screenshot(os.path.join(desk.screenshot_dir, "options-page-2.png"))
        desk.keys("tap:ESCAPE")
        wait_closed(desk, OPTIONS)

"""The insertion engine into Wine's Notepad, through enginehost.exe: the real
engine and the real Win32 platform, one tag command per run."""

import threading
import time

from harness import expect_text, prepare_selection, run_engine

CANNOT_OPEN = "クリップボードを開くことができません"


def test_normal_insertion_puts_the_caret_inside_the_tag(desk):
    prepare_selection(desk, "ab", 1, 1)
    out = run_engine(desk, "Moji_B")
    assert out == ["done"], out
    expect_text(desk, "a<B></B>b", caret=4)
    assert desk.tool("clip") == "<B></B>"


def test_paragraph_with_line_breaks(desk):
    prepare_selection(desk, "", 0, 0)
    run_engine(desk, "P_P_P")
    # The line break counts one Left press, so the caret lands on the empty line.
    expect_text(desk, "<P>\r\n\r\n</P>", caret=5)


def test_sandwich_by_cut(desk):
    prepare_selection(desk, "say hello now", 4, 9)
    run_engine(desk, "Moji_B", HasamiMode=1, HasamiSelStr=0)
    expect_text(desk, "say <B>hello</B> now", caret=16)


def test_sandwich_by_copy(desk):
    prepare_selection(desk, "say hello now", 4, 9)
    run_engine(desk, "Moji_B", HasamiMode=1, HasamiSelStr=1)
    expect_text(desk, "say <B>hello</B> now", caret=16)


def test_sandwich_with_nothing_selected_beeps(desk):
    prepare_selection(desk, "abc", 1, 1)
    out = run_engine(desk, "Moji_B", HasamiMode=1)
    assert "beep" in out, out
    expect_text(desk, "abc")


def _engine_holding(desk, keys, key, **options):
    """Runs a command with modifier keys held by injected key events and
    released a moment later; the paste waits for the release."""
    result = {}
    desk.keys(*["down:" + k for k in keys])
    runner = threading.Thread(target=lambda: result.setdefault("out", run_engine(desk, key, **options)))
    runner.start()
    time.sleep(2.0)
    desk.keys(*["up:" + k for k in reversed(keys)])
    runner.join(60)
    assert "out" in result, "enginehost did not finish"
    return result["out"]


def test_ctrl_pastes_the_opening_part(desk):
    prepare_selection(desk, "ab", 1, 1)
    _engine_holding(desk, ["CTRL"], "Moji_B")
    expect_text(desk, "a<B>b", caret=4)


def test_ctrl_shift_pastes_the_closing_part(desk):
    prepare_selection(desk, "ab", 1, 1)
    _engine_holding(desk, ["CTRL", "SHIFT"], "Moji_B")
    expect_text(desk, "a</B>b", caret=5)


def test_message_mode(desk):
    prepare_selection(desk, "say hello now", 4, 9)
    run_engine(desk, "Moji_B", SendMessage=1, HasamiMode=1)
    expect_text(desk, "say <B>hello</B> now", caret=16)
    prepare_selection(desk, "", 0, 0)
    run_engine(desk, "Moji_B", SendMessage=1)
    expect_text(desk, "<B></B>", caret=3)


def test_japanese_text(desk):
    prepare_selection(desk, "前字後", 1, 2)
    run_engine(desk, "Japanese", HasamiMode=1)
    expect_text(desk, "前<B title=\"日本\">字あ</B>後")


def test_emoji_in_the_selection_comes_back_unchanged(desk):
    prepare_selection(desk, "x\U0001F600y", 0, 4)
    run_engine(desk, "Moji_B", HasamiMode=1)
    expect_text(desk, "<B>x\U0001F600y</B>")


def test_clipboard_held_by_another_program(desk):
    prepare_selection(desk, "ab", 1, 1)
    holder = threading.Thread(target=lambda: desk.tool("holdclip", "4000", timeout=60))
    holder.start()
    time.sleep(1.5)
    try:
        out = run_engine(desk, "Moji_B")
    finally:
        holder.join(60)
    assert "message: " + CANNOT_OPEN in out, out
    expect_text(desk, "ab")
    # Once the other program lets go, the next command works.
    desk.focus_notepad()
    desk.select_in_notepad(1, 1)
    run_engine(desk, "Moji_B")
    expect_text(desk, "a<B></B>b", caret=4)

"""The insertion engine into Wine's Notepad, through enginehost.exe: the real
engine and the real Win32 platform, one tag command per run."""

import os
import threading
import time

TEMPLATES = {
    "Moji_B": "<B>%SELSTR%</B>",
    "P_P_P": "<P>%CR%%SELSTR%%CR%</P>",
    "Japanese": "<B title=\"日本\">%SELSTR%あ</B>",
}

CANNOT_OPEN = "クリップボードを開くことができません"


def _write_files(desk, options):
    data = os.path.join(desk.tmp, "Html.dat")
    with open(data, "wb") as f:
        f.write(("[Html]\r\n" + "".join(f"{k}={v}\r\n" for k, v in TEMPLATES.items())).encode("cp932"))
    ini = os.path.join(desk.tmp, "engine.ini")
    lines = ["[Option]"] + [f"{k}={v}" for k, v in options.items()]
    with open(ini, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
    return ini, data


def _engine(desk, key, **options):
    """Runs one tag command; returns enginehost's output lines."""
    ini, data = _write_files(desk, options)
    result = desk.run(desk.win_exe("enginehost.exe"), "--ini", desk.winpath(ini), "--datafile",
                      desk.winpath(data), "--no-boxes", "run", key, timeout=60)
    out = result.stdout.decode("utf-8", "replace").replace("\r", "")
    assert result.returncode == 0, "enginehost exit %d: %s %s" % (result.returncode, out,
                                                                result.stderr.decode("utf-8", "replace"))
    return out.splitlines()


def _expect(desk, text, caret=None):
    try:
        desk.wait_until(lambda: desk.notepad_text() == text, seconds=5)
    except AssertionError:
        raise AssertionError("Notepad holds %r, expected %r" % (desk.notepad_text(), text))
    if caret is not None:
        assert desk.notepad_selection() == (caret, caret), "caret %r, expected %d" % (
            desk.notepad_selection(), caret)


def _prepare(desk, text, start, end):
    desk.set_notepad_text(text)
    desk.focus_notepad()
    desk.select_in_notepad(start, end)


def test_normal_insertion_puts_the_caret_inside_the_tag(desk):
    _prepare(desk, "ab", 1, 1)
    out = _engine(desk, "Moji_B")
    assert out == ["done"], out
    _expect(desk, "a<B></B>b", caret=4)
    assert desk.tool("clip") == "<B></B>"


def test_paragraph_with_line_breaks(desk):
    _prepare(desk, "", 0, 0)
    _engine(desk, "P_P_P")
    # The line break counts one Left press, so the caret lands on the empty line.
    _expect(desk, "<P>\r\n\r\n</P>", caret=5)


def test_sandwich_by_cut(desk):
    _prepare(desk, "say hello now", 4, 9)
    _engine(desk, "Moji_B", HasamiMode=1, HasamiSelStr=0)
    _expect(desk, "say <B>hello</B> now", caret=16)


def test_sandwich_by_copy(desk):
    _prepare(desk, "say hello now", 4, 9)
    _engine(desk, "Moji_B", HasamiMode=1, HasamiSelStr=1)
    _expect(desk, "say <B>hello</B> now", caret=16)


def test_sandwich_with_nothing_selected_beeps(desk):
    _prepare(desk, "abc", 1, 1)
    out = _engine(desk, "Moji_B", HasamiMode=1)
    assert "beep" in out, out
    _expect(desk, "abc")


def _engine_holding(desk, keys, key, **options):
    """Runs a command with modifier keys held by injected key events and
    released a moment later; the paste waits for the release."""
    result = {}
    desk.keys(*["down:" + k for k in keys])
    runner = threading.Thread(target=lambda: result.setdefault("out", _engine(desk, key, **options)))
    runner.start()
    time.sleep(2.0)
    desk.keys(*["up:" + k for k in reversed(keys)])
    runner.join(60)
    assert "out" in result, "enginehost did not finish"
    return result["out"]


def test_ctrl_pastes_the_opening_part(desk):
    _prepare(desk, "ab", 1, 1)
    _engine_holding(desk, ["CTRL"], "Moji_B")
    _expect(desk, "a<B>b", caret=4)


def test_ctrl_shift_pastes_the_closing_part(desk):
    _prepare(desk, "ab", 1, 1)
    _engine_holding(desk, ["CTRL", "SHIFT"], "Moji_B")
    _expect(desk, "a</B>b", caret=5)


def test_message_mode(desk):
    _prepare(desk, "say hello now", 4, 9)
    _engine(desk, "Moji_B", SendMessage=1, HasamiMode=1)
    _expect(desk, "say <B>hello</B> now", caret=16)
    _prepare(desk, "", 0, 0)
    _engine(desk, "Moji_B", SendMessage=1)
    _expect(desk, "<B></B>", caret=3)


def test_japanese_text(desk):
    _prepare(desk, "前字後", 1, 2)
    _engine(desk, "Japanese", HasamiMode=1)
    _expect(desk, "前<B title=\"日本\">字あ</B>後")


def test_emoji_in_the_selection_comes_back_unchanged(desk):
    _prepare(desk, "x\U0001F600y", 0, 4)
    _engine(desk, "Moji_B", HasamiMode=1)
    _expect(desk, "<B>x\U0001F600y</B>")


def test_clipboard_held_by_another_program(desk):
    _prepare(desk, "ab", 1, 1)
    holder = threading.Thread(target=lambda: desk.tool("holdclip", "4000", timeout=60))
    holder.start()
    time.sleep(1.5)
    try:
        out = _engine(desk, "Moji_B")
    finally:
        holder.join(60)
    assert "message: " + CANNOT_OPEN in out, out
    _expect(desk, "ab")
    # Once the other program lets go, the next command works.
    desk.focus_notepad()
    desk.select_in_notepad(1, 1)
    _engine(desk, "Moji_B")
    _expect(desk, "a<B></B>b", caret=4)

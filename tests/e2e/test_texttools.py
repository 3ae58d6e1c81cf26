"""The text-input commands from the palette's menu bar, into Notepad: tag
deletion in its three modes on a selection; file-name input through Wine's
file dialog inserting a path relative to the base folder and, with Ctrl+Shift
held at OK, an IMG tag with the size read from the picture; URL input from an
Internet shortcut; text-file insertion up to the Ctrl+Z byte; the colour
dialog with a colour typed into its Red, Green and Blue fields. Names
that code page 932 cannot hold ("café☕.png") go through as they are.

Keyboard paths: "ツール(&L)" is Alt+L; in it "タグの削除(&D)" opens the
deletion modes (&W outermost, &A all, &O uncomment), and &F, &U, &T, &C are
file-name, URL, text-file and colour input. The files the dialogs open are
written by the tests under desk.tmp; dialogtool.exe types into the dialogs."""

import os
import struct
import time
import zlib

from harness import DIALOG, MAIN, dialog_tool, menu, palette, settings_with, wait_text


def _open_dialog(desk, letter):
    """Runs a command of the Tools menu and waits for its dialog."""
    menu(desk, "L", letter)
    desk.tool("wait", DIALOG, "15")
    time.sleep(1.0)  # the dialog-start keys have been handled
    return desk.tool("title", DIALOG)


def _confirm(desk, *held):
    """Presses Enter in the dialog with `held` keys down (xdotool names),
    released once the command has read them (its paste waits for the
    release). The modifiers are held on the X server itself: Wine takes the
    key state from there again when the focus moves on."""
    if held:
        desk.xdotool("keydown", "+".join(held))
        time.sleep(0.3)
    desk.keys("tap:RETURN")
    time.sleep(1.0)
    if held:
        desk.xdotool("keyup", "+".join(held))


def _choose_file(desk, letter, path, *held):
    title = _open_dialog(desk, letter)
    dialog_tool(desk, "file", desk.winpath(path))
    _confirm(desk, *held)
    return title


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)
    return path


def _png(width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + b"\x80" * (width * 3) for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def _gif(width, height):
    return b"GIF89a" + struct.pack("<HH", width, height) + b"\x00\x00\x00;"


def test_tag_deletion_modes(desk):
    cases = [
        ("W", "x<p><b>t</b></p>y", "x<b>t</b>y"),
        ("A", '<a href="x"><b>t</b></a>\r\n<br>u', "t\r\nu"),
        ("O", "<!--\u3000note -->", "note"),  # an ideographic space after "<!--"
        # Characters outside code page 932 come back as they were.
        ("W", "<b>\U0001F600\u20b9f</b>", "\U0001F600\u20b9f"),
    ]
    with palette(desk):
        for letter, text, expected in cases:
            desk.set_notepad_text(text)
            desk.select_in_notepad(0, len(text.encode("utf-16-le")) // 2)
            menu(desk, "L", "D", letter)
            wait_text(desk, expected)


def test_file_name_input_relative_path_and_img_tag(desk):
    site = os.path.join(desk.tmp, "site")
    gif = _write(os.path.join(site, "img", "logo.gif"), _gif(88, 31))
    # A double-byte folder name: the path crosses code page 932 and back.
    png = _write(os.path.join(site, "画像", "photo.png"), _png(120, 45))
    with palette(desk, settings_with(Public_Dir=desk.winpath(site))):
        title = _choose_file(desk, "F", gif)
        assert title.startswith("ファイル名入力 (Shift=リンク)  画像 (Ctrl=縦横サイズ"), title
        wait_text(desk, "img/logo.gif")
        desk.set_notepad_text("")
        _choose_file(desk, "F", png, "ctrl", "shift")
        wait_text(desk, '<IMG SRC="画像/photo.png" WIDTH="120" HEIGHT="45" ALT="photo.png">')


def test_file_names_outside_code_page_932(desk):
    """A picture named with accents and an emoji, in a folder named so too,
    is measured and inserted as an IMG tag with its real size, its name
    unchanged; a text file named so is read and inserted."""
    site = os.path.join(desk.tmp, "site-wide")
    png = _write(os.path.join(site, "été😀", "café☕.png"), _png(137, 59))
    text = _write(os.path.join(desk.tmp, "texts-wide", "Ünï☕.txt"), "<p>一</p>".encode("cp932"))
    with palette(desk, settings_with(Public_Dir=desk.winpath(site))):
        _choose_file(desk, "F", png, "ctrl", "shift")
        wait_text(desk, '<IMG SRC="été😀/café☕.png" WIDTH="137" HEIGHT="59" ALT="café☕.png">')
        desk.set_notepad_text("")
        _choose_file(desk, "T", text)
        wait_text(desk, "<p>一</p>")


def test_url_input_from_shortcut(desk):
    shortcut = _write(os.path.join(desk.tmp, "links", "Search.url"),
                      b"[InternetShortcut]\r\nURL=http://example.com/find?q=1\r\n")
    with palette(desk):
        title = _choose_file(desk, "U", shortcut)
        assert title == "URL入力 (Shift=リンク)", title
        wait_text(desk, "http://example.com/find?q=1")
        desk.set_notepad_text("")
        _choose_file(desk, "U", shortcut, "shift")
        wait_text(desk, '<A HREF="http://example.com/find?q=1">Search</A>')


def test_text_file_insertion_stops_at_ctrl_z(desk):
    text = _write(os.path.join(desk.tmp, "texts", "part.txt"),
                  "<p>一行目</p>\r\n<p>二行目</p>\r\n".encode("cp932") + b"\x1atail")
    with palette(desk):
        title = _choose_file(desk, "T", text)
        assert title == "テキスト差込入力", title
        wait_text(desk, "<p>一行目</p>\r\n<p>二行目</p>\r\n")


def test_colour_dialog(desk):
    with palette(desk, settings_with(InsTextLower=1)):
        _open_dialog(desk, "C")
        dialog_tool(desk, "colour", "255", "128", "0")
        _confirm(desk)
        wait_text(desk, "#ff8000")
        # The dialog opens with the colour chosen last.
        _open_dialog(desk, "C")
        _confirm(desk)
        wait_text(desk, "#ff8000#ff8000")


def test_clear_base_folder_after_confirmation(desk):
    folder = desk.winpath(desk.tmp)
    with palette(desk, settings_with(Public_Dir=folder)) as process:
        menu(desk, "L", "E", "D")
        desk.tool("wait", DIALOG, "15")
        assert desk.tool("title", DIALOG) == "基本フォルダクリアの確認"
        desk.keys("tap:RETURN")  # Yes
        time.sleep(1.0)
        desk.tool("close", MAIN)
        process.wait(timeout=20)
        with open(os.path.join(desk.build_win, "tagsling.INI"), "rb") as handle:
            text = handle.read().decode("cp932")
    assert "Public_Dir=\r\n" in text, text


def test_base_folder_picker_opens_centred_on_the_screen(desk):
    with palette(desk, settings_with()):
        menu(desk, "L", "E", "B")  # 基本フォルダ(&E) > 基本フォルダを指定(&B)...
        desk.tool("wait", DIALOG, "15")
        time.sleep(1.0)

        def measure(*args):
            return desk.run(desk.win_exe("desktoptool.exe"), *args).stdout.decode("utf-8").split()

        left, top, right, bottom = [int(v) for v in measure("rect", DIALOG)]
        width, height = [int(measure("metric", index)[0]) for index in (0, 1)]
        assert abs((left + right) - width) <= 2 and abs((top + bottom) - height) <= 2, (
            "the folder picker at %r on a %dx%d screen" % ((left, top, right, bottom), width, height))
        desk.keys("tap:ESCAPE")
        desk.wait_until(lambda: not desk.has_window(DIALOG), 10, message="the folder picker stayed")

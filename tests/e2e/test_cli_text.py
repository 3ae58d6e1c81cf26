"""tagsling-cli.exe as a script under Windows calls it: with --utf8 every
character of the arguments and of the output survives, those code page 932
cannot hold too (in abbreviations and in file names), and the text printed
is the text the palette's expand command pastes into Notepad; "abbr --help"
prints the usage."""

import os
import struct
import time
import zlib

from harness import started_with_settings

CLI = "tagsling-cli.exe"
EXPAND_KEY = "ctrl+F9"
SETTINGS = ("[Option]\r\nSplashWindow=0\r\nExpandAbbrevHotKey=Ctrl+F9\r\n"
            "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=620\r\nWindowWidth=900\r\n")


def _cli(desk, *args):
    """Exit status, standard output and standard error (UTF-8, without the
    line break that ends it) of tagsling-cli.exe."""
    result = desk.run(desk.win_exe(CLI), *args)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8").rstrip("\r\n")


def test_utf8_keeps_every_character(desk):
    cases = [
        ("p{😀 é ¥ あ}[title=🎉]", 0, '<p title="🎉">😀 é ¥ あ</p>', ""),
        ("ul>li.𠮷*2", 0, '<ul>\r\n\t<li class="𠮷"></li>\r\n\t<li class="𠮷"></li>\r\n</ul>', ""),
        ("li*0{😀}", 2, "", "abbr: character 3: the repeat count must be from 1 to 1000"),
    ]
    for abbreviation, status, out, err in cases:
        assert _cli(desk, "--utf8", "abbr", abbreviation) == (status, out, err), abbreviation


def _png(width, height):
    """A black RGB PNG picture of the given size."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + b"\x00" * 3 * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def test_utf8_file_names_keep_every_character(desk):
    folder = os.path.join(desk.tmp, "café☕")
    os.makedirs(folder, exist_ok=True)
    picture = os.path.join(folder, "x😀.png")
    with open(picture, "wb") as handle:
        handle.write(_png(7, 5))
    cases = [
        (("imgsize", desk.winpath(picture)), "7 5\n"),
        (("relpath", "C:\\café☕\\", "C:\\café☕\\sub\\x😀.png"), "sub\\x😀.png\n"),
    ]
    for args, out in cases:
        result = _cli(desk, "--utf8", *args)
        assert result == (0, out, ""), (args, result)


def test_abbr_help_prints_the_usage(desk):
    status, out, _ = _cli(desk, "abbr", "--help")
    assert status == 0
    assert out.startswith("usage: tagsling-cli abbr [--wrap] ABBREVIATION"), out


def test_the_cli_prints_what_the_palette_pastes(desk):
    abbreviation = "ul>li.☕*2{😀 $ é}"
    status, printed, _ = _cli(desk, "--utf8", "abbr", abbreviation)
    assert status == 0
    assert "☕" in printed and "😀 2 é" in printed, printed
    with started_with_settings(desk, SETTINGS):
        desk.set_notepad_text(abbreviation)
        desk.select_in_notepad(0, len(abbreviation.encode("utf-16-le")) // 2)
        desk.tool("activate", "Notepad")
        left, top, right, bottom = [int(v) for v in desk.tool("rect", "Notepad").split()]
        desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        time.sleep(0.3)
        desk.xdotool("key", EXPAND_KEY)
        desk.wait_until(lambda: desk.notepad_text() == printed, 15,
                        message="Notepad shows %r, the CLI printed %r" % (desk.notepad_text(), printed))

"""Tag deletion that never eats text, and photo sizes as browsers show them.

Tag deletion runs from the menu bar on a selection in Notepad: "ツール(&L)",
"タグの削除(&D)", then &W (outermost tag) or &A (all tags). Photo sizes are
read by tagsling-cli.exe imgsize, the same reader as the image-file command,
from a phone photo stored sideways with its Exif orientation."""

import os
import struct

from harness import menu, started_with_settings

SETTINGS = "[Option]\r\nSplashWindow=0\r\n"


def _delete(desk, letter, text):
    desk.set_notepad_text(text)
    desk.select_in_notepad(0, len(text.encode("utf-16-le")) // 2)
    menu(desk, "L", "D", letter)


def test_tag_deletion_keeps_text_that_only_looks_like_tags(desk):
    cases = [
        ("A", "\u3088\u308d\u3057\u304f\u304a\u9858\u3044\u3057\u307e\u3059\u3002<(_ _)><b>!</b>",
         "\u3088\u308d\u3057\u304f\u304a\u9858\u3044\u3057\u307e\u3059\u3002<(_ _)>!"),
        ("A", "\u6c7a\u7b97\u5bfe\u7b56<\u2039 \u8cc7\u91d1\u6d3b\u7528\u306e\u63d0\u8a00\uff01>> \u2605<i>x</i>",
         "\u6c7a\u7b97\u5bfe\u7b56<\u2039 \u8cc7\u91d1\u6d3b\u7528\u306e\u63d0\u8a00\uff01>> \u2605x"),
        ("A", "zpipe < foo.txt > foo.txt.z <b>now</b>", "zpipe < foo.txt > foo.txt.z now"),
        ("A", '<img alt="a > b" src="x.png">caption', "caption"),
        ("W", '<a title="<b> & </b>">caption</a>', "caption"),
        ("A", "<!--[if lte IE 11]><div>Old browser.</div><![endif]-->Main", "Main"),
        ("W", "<p>a < b and c > d, x <= 3 && y >= 4, 1 <2 and 3> 0</p>",
         "a < b and c > d, x <= 3 && y >= 4, 1 <2 and 3> 0"),
    ]
    with started_with_settings(desk, SETTINGS):
        for letter, text, expected in cases:
            _delete(desk, letter, text)
            desk.wait_until(lambda: desk.notepad_text() == expected, 10,
                            message="Notepad shows %r, expected %r" % (desk.notepad_text(), expected))


def _exif_photo(width, height, orientation):
    """A JPEG header as phones write it: SOI, an Exif block (little-endian
    TIFF, one directory holding the orientation), a frame header and the
    end of the picture."""
    tiff = b"II" + struct.pack("<HI", 42, 8) + struct.pack("<H", 1)
    tiff += struct.pack("<HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack("<I", 0)
    app1 = b"Exif\x00\x00" + tiff
    frame = b"\x08" + struct.pack(">HH", height, width) + b"\x01\x01\x11\x00"
    return (b"\xff\xd8" + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 +
            b"\xff\xc0" + struct.pack(">H", len(frame) + 2) + frame + b"\xff\xd9")


def test_imgsize_gives_a_turned_photo_its_shown_size(desk):
    folder = os.path.join(desk.tmp, "photos")
    os.makedirs(folder, exist_ok=True)
    for orientation, expected in [(1, "4032 3024"), (6, "3024 4032"), (8, "3024 4032"), (3, "4032 3024")]:
        path = os.path.join(folder, "photo%d.jpg" % orientation)
        with open(path, "wb") as handle:
            handle.write(_exif_photo(4032, 3024, orientation))
        result = desk.run(desk.win_exe("tagsling-cli.exe"), "imgsize", desk.winpath(path))
        assert result.returncode == 0, result.stderr
        assert result.stdout.decode("ascii").strip() == expected, (orientation, result.stdout)

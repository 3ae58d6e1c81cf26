#!/usr/bin/env python3
"""Writes common/Cp932Table.inc, the table that common/SjisLiteral.h converts
the program's UTF-8 texts with while compiling and common/Cp932.cpp converts
file text with at run time: one row per character that code page 932 holds
in two bytes, {code point, bytes}, sorted by code point.
ASCII and the half-width katakana (one byte each) need no table. The private
use area (user-defined characters, lead bytes F0 to F9) is left out: no text
of the program uses it, and a character missing from the table stops the
build instead of giving wrong bytes.

When a character has several codes (the NEC and IBM extensions repeat some),
the row holds the one Windows writes for it, as Python's cp932 codec does;
the other codes go to common/Cp932Duplicates.inc, {bytes, code point} sorted
by bytes, which only reading needs.

Usage: scripts/gen-cp932-table.py           writes the file
       scripts/gen-cp932-table.py --check   exits 1 when the file differs
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET = ROOT / "common" / "Cp932Table.inc"
DUPLICATES = ROOT / "common" / "Cp932Duplicates.inc"


def codes():
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xF0)) + list(range(0xFA, 0xFD)):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            code = bytes([lead, trail])
            try:
                text = code.decode("cp932")
            except UnicodeDecodeError:
                continue
            if len(text) == 1:
                yield lead << 8 | trail, code, text


def rows():
    table = {}
    for value, code, text in codes():
        if text.encode("cp932") == code:
            table[ord(text)] = value
    return sorted(table.items())


def duplicate_rows():
    return sorted((value, ord(text)) for value, code, text in codes() if text.encode("cp932") != code)


def render(header, table):
    lines = ["// Written by scripts/gen-cp932-table.py: do not edit.", header]
    items = ["{0x%04X, 0x%04X}," % row for row in table]
    for start in range(0, len(items), 6):
        lines.append(" ".join(items[start:start + 6]))
    return "\n".join(lines) + "\n"


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        sys.exit("usage: gen-cp932-table.py [--check]")
    files = {
        TARGET: render("// {code point, code page 932 bytes}, sorted by code point.", rows()),
        DUPLICATES: render("// {code page 932 bytes, code point} of the codes Windows never writes, sorted by bytes.",
                           duplicate_rows()),
    }
    for target, text in files.items():
        if check:
            if not target.exists() or target.read_text(encoding="ascii") != text:
                print("common/%s differs from scripts/gen-cp932-table.py (run it)" % target.name)
                sys.exit(1)
        else:
            target.write_text(text, encoding="ascii")


if __name__ == "__main__":
    main()

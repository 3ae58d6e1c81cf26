"""Writes the release zip of a Windows build (see package.sh).

The zip holds one folder, "Tagsling", with the stripped tagsling.exe, the
stripped Tagslingmhook.dll, Html.dat, the help page and README.txt (from
data/README.txt: UTF-8 with a byte-order mark and CR LF line ends, so every
Notepad shows the Japanese text). The version comes from the file VERSION.

The bytes depend only on the files packed: entries are written in a fixed
order, every entry carries the same time stamp (SOURCE_DATE_EPOCH when set,
otherwise the time of the last commit), which is also the time stamp strip
writes into the executables' headers, every entry has the same attributes,
and zlib compresses at one fixed level. Prints the zip's path last."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
STRIP = "x86_64-w64-mingw32-strip"
FOLDER = "Tagsling"
# (name in the zip, file in the build folder, stripped)
CONTENTS = (
    ("tagsling.exe", "tagsling.exe", True),
    ("Tagslingmhook.dll", "Tagslingmhook.dll", True),
    ("Html.dat", "Html.dat", False),
    ("Tagsling.html", "Tagsling.html", False),
)
FILE_ATTRIBUTES = 0x20  # FILE_ATTRIBUTE_ARCHIVE
FOLDER_ATTRIBUTES = 0x10  # FILE_ATTRIBUTE_DIRECTORY


def read_version():
    with open(os.path.join(ROOT, "VERSION"), encoding="ascii") as handle:
        version = handle.read().strip()
    if not re.fullmatch(r"[0-9]+(\.[0-9]+){0,3}", version):
        raise SystemExit("VERSION must hold one to four numbers joined by dots, not %r" % version)
    return version


def source_epoch():
    """Seconds since 1970 that stand for the sources: SOURCE_DATE_EPOCH when
    set, else the time of the last commit, else the first day zip knows."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        try:
            epoch = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True, text=True,
                                   check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            epoch = ""
    return max(int(epoch) if epoch.isdigit() else 0, 315532800)  # 1980-01-01, zip's first day


def user_readme(version):
    with open(os.path.join(ROOT, "data", "README.txt"), encoding="utf-8") as handle:
        text = handle.read().replace("@VERSION@", version)
    return ("\ufeff" + text.replace("\r\n", "\n").replace("\n", "\r\n")).encode("utf-8")


def entry(name, date_time, attributes):
    info = zipfile.ZipInfo(name, date_time)
    info.create_system = 0  # MS-DOS attributes, as Windows writes them
    info.external_attr = attributes
    info.compress_type = zipfile.ZIP_STORED if name.endswith("/") else zipfile.ZIP_DEFLATED
    return info


def package(build_win, dist):
    version = read_version()
    missing = [source for _, source, _ in CONTENTS if not os.path.isfile(os.path.join(build_win, source))]
    if missing:
        raise SystemExit("not built in %s: %s" % (build_win, ", ".join(missing)))
    epoch = source_epoch()
    date_time = time.gmtime(epoch)[:6]
    # strip writes the time of the sources, not its own, into the PE headers.
    strip_env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
    os.makedirs(dist, exist_ok=True)
    target = os.path.join(dist, "tagsling-%s-win64.zip" % version)
    with tempfile.TemporaryDirectory(prefix="tagsling-package-") as work:
        members = []
        for name, source, stripped in CONTENTS:
            path = os.path.join(work, name)
            if stripped:
                subprocess.run([STRIP, "--strip-all", "-o", path, os.path.join(build_win, source)], check=True,
                               env=strip_env)
            else:
                shutil.copyfile(os.path.join(build_win, source), path)
            with open(path, "rb") as handle:
                members.append((name, handle.read()))
        members.append(("README.txt", user_readme(version)))

        partial = target + ".partial"
        with zipfile.ZipFile(partial, "w", compresslevel=9) as archive:
            archive.writestr(entry(FOLDER + "/", date_time, FOLDER_ATTRIBUTES), b"")
            for name, data in members:
                archive.writestr(entry(FOLDER + "/" + name, date_time, FILE_ATTRIBUTES), data, compresslevel=9)
        os.replace(partial, target)
        sizes = dict(members)
    print("%s: %d bytes (tagsling.exe %d bytes stripped)" % (os.path.basename(target), os.path.getsize(target),
                                                            len(sizes["tagsling.exe"])))
    print(target)
    return target


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-win", required=True, help="the Release build folder of tagsling.exe")
    parser.add_argument("--dist", required=True, help="folder the zip is written to")
    args = parser.parse_args()
    package(os.path.abspath(args.build_win), os.path.abspath(args.dist))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Start-up time under Wine: tagsling.exe beside Wine's Notepad.

Copies the program (tagsling.exe, Tagslingmhook.dll, Html.dat) into a fresh
folder, as a user unpacks it, and starts it and Wine's Notepad alternately in
a Wine desktop of its own. e2etool.exe times each start inside Wine, from
just before the process is created until the program's main window
("TTagslingMain", "Notepad") is visible. The first start of each is a
warm-up (it also writes the settings file, as a user's first start does).
Prints every run, both medians and their ratio. With TAGSLING_STARTUP_TRACE
set (a Windows path), tagsling.exe also writes the time of each creation step
to that file; --trace prints the median of each step.

Start-up times under Wine drift with the machine's load by a factor of two
within minutes, so a comparison of two builds is only fair within one run:
--compare-dir starts a second build's tagsling.exe in every round too, and
each program's ratio is also given as the median of its per-round ratios
(each start against the Notepad start of the same round).

    python3 bench/startup.py [--build-win build/win64] [--runs 9] [--trace]
        [--program-dir FOLDER]   (another build's tagsling.exe to time)
        [--compare-dir FOLDER]   (a second build timed in the same rounds, e.g. the one before a change)
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
from winedesk import WineDesktop  # noqa: E402

PROGRAMS = {
    "tagsling": ("TTagslingMain", None),
    "notepad": ("Notepad", "C:\\windows\\system32\\notepad.exe"),
}


def tool(desk, *args, timeout=60, check=True):
    result = desk.run(desk.win_exe("e2etool.exe"), *args, timeout=timeout)
    if check and result.returncode != 0:
        raise RuntimeError("e2etool %s: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace").strip()))
    return result.stdout.decode("utf-8", "replace").strip()


def close_and_wait(desk, window_class):
    tool(desk, "close", window_class, check=False)
    deadline = time.time() + 20
    while time.time() < deadline:
        if tool(desk, "find", window_class, check=False) == "":
            time.sleep(0.5)  # the process ends after its window
            return
        time.sleep(0.2)
    raise RuntimeError(window_class + " did not close")


def read_trace(path):
    steps = {}
    if os.path.exists(path):
        for line in open(path, encoding="utf-8", errors="replace"):
            name, _, ms = line.rstrip("\n").rpartition(" ")
            try:
                steps[name] = float(ms)
            except ValueError:
                pass
        os.remove(path)
    return steps


def copy_program(build_dir):
    """A fresh folder holding the program, as a user unpacks it."""
    folder = tempfile.mkdtemp(prefix="tagsling-startup-")
    for name in ("tagsling.exe", "Tagslingmhook.dll", "Html.dat"):
        shutil.copy(os.path.join(build_dir, name), folder)
    return folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build-win", default=os.path.join(ROOT, "build", "win64"))
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--program-dir", help="the folder of the tagsling.exe to time (default: --build-win)")
    parser.add_argument("--compare-dir", help="the folder of a second tagsling.exe timed in the same rounds")
    parser.add_argument("--trace", action="store_true", help="print the median time of each creation step")
    args = parser.parse_args()

    folders = {"tagsling": copy_program(args.program_dir or args.build_win)}
    if args.compare_dir:
        folders["compared"] = copy_program(args.compare_dir)
    trace_path = os.path.join(folders["tagsling"], "trace.txt")

    desk = WineDesktop(args.build_win).open()
    names = ["notepad"] + list(folders)
    figures = {name: [] for name in names}
    traces = []
    try:
        if args.trace:
            desk.env["TAGSLING_STARTUP_TRACE"] = desk.winpath(trace_path)
        for run in range(args.runs + 1):
            for name in names:
                window_class, command = PROGRAMS["notepad" if name == "notepad" else "tagsling"]
                command = command or desk.winpath(os.path.join(folders[name], "tagsling.exe"))
                ms = float(tool(desk, "starttime", command, window_class, "30"))
                time.sleep(1.0)  # let the program settle before it is closed
                close_and_wait(desk, window_class)
                if name == "tagsling" and args.trace:
                    steps = read_trace(trace_path)
                    if run > 0:
                        traces.append(steps)
                if run > 0:
                    figures[name].append(ms)
                    print("%-8s run %2d: %7.1f ms" % (name, run, ms), flush=True)
    finally:
        desk.close()
        for folder in folders.values():
            shutil.rmtree(folder, ignore_errors=True)

    if traces:
        print("\ncreation steps of tagsling.exe (median ms since the process started):")
        for step in traces[0]:
            values = [trace[step] for trace in traces if step in trace]
            print("  %-34s %7.1f" % (step, statistics.median(values)))
    notepad = statistics.median(figures["notepad"])
    print()
    for name in folders:
        median = statistics.median(figures[name])
        per_round = statistics.median([a / b for a, b in zip(figures[name], figures["notepad"])])
        label = "tagsling.exe" if name == "tagsling" else "compared tagsling.exe"
        print("median start until the main window is visible: %s %.1f ms, notepad.exe %.1f ms, "
              "ratio %.2f (median of per-round ratios %.2f)" % (label, median, notepad, median / notepad, per_round))


if __name__ == "__main__":
    main()

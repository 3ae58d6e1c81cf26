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

    python3 bench/startup.py [--build-win build/win64] [--runs 9] [--trace]
        [--program-dir FOLDER]   (another build's tagsling.exe, e.g. for a before/after)
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build-win", default=os.path.join(ROOT, "build", "win64"))
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--program-dir", help="the folder of the tagsling.exe to time (default: --build-win)")
    parser.add_argument("--trace", action="store_true", help="print the median time of each creation step")
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="tagsling-startup-")
    for name in ("tagsling.exe", "Tagslingmhook.dll", "Html.dat"):
        shutil.copy(os.path.join(args.program_dir or args.build_win, name), folder)
    trace_path = os.path.join(folder, "trace.txt")

    desk = WineDesktop(args.build_win).open()
    figures = {name: [] for name in PROGRAMS}
    traces = []
    try:
        if args.trace:
            desk.env["TAGSLING_STARTUP_TRACE"] = desk.winpath(trace_path)
        for run in range(args.runs + 1):
            for name, (window_class, command) in PROGRAMS.items():
                command = command or desk.winpath(os.path.join(folder, "tagsling.exe"))
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
        shutil.rmtree(folder, ignore_errors=True)

    tagsling, notepad = (statistics.median(figures[name]) for name in ("tagsling", "notepad"))
    if traces:
        print("\ncreation steps of tagsling.exe (median ms since the process started):")
        for step in traces[0]:
            values = [trace[step] for trace in traces if step in trace]
            print("  %-34s %7.1f" % (step, statistics.median(values)))
    print("\nmedian start until the main window is visible: tagsling.exe %.1f ms, notepad.exe %.1f ms, "
          "ratio %.2f" % (tagsling, notepad, tagsling / notepad))


if __name__ == "__main__":
    main()

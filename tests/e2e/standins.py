"""Stand-ins for the other programs of a real Windows desktop that touch the
clipboard (tests/e2e/tools/clipstandin.cpp): clipboard history that reads
every change (polite: not what carries the exclusion format; rude:
everything), a slow editor and a hung clipboard owner. Each is started in the
Wine desktop and stopped when its block ends."""

import contextlib
import os
import tempfile
import time


def _ready(log, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if os.path.exists(log) and open(log, encoding="utf-8").read().startswith("ready"):
            return
        time.sleep(0.1)
    raise AssertionError("the stand-in did not start: %s" % log)


@contextlib.contextmanager
def clipboard_standin(desk, mode, argument):
    """clipstandin.exe MODE ARGUMENT LOG running; yields a function that
    returns the lines it logged after "ready" (for the reader: what it read)."""
    handle, log = tempfile.mkstemp(prefix="clipstandin-", suffix=".log")
    os.close(handle)
    os.remove(log)
    process = desk.start(desk.win_exe("clipstandin.exe"), mode, argument, desk.winpath(log))
    try:
        _ready(log)

        def lines():
            with open(log, encoding="utf-8") as f:
                return f.read().split("\n")[1:-1]
        yield lines
    finally:
        desk.stop(process)
        if os.path.exists(log):
            os.remove(log)


def clipboard_history(desk, polite):
    """A clipboard-history stand-in reading every clipboard change."""
    return clipboard_standin(desk, "reader", "polite" if polite else "rude")

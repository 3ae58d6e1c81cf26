"""The desktop itself: Notepad answers, and tagsling.exe starts as a window
of its own class and stops again."""


def test_notepad_round_trip(desk):
    desk.set_notepad_text("abc 日本語")
    assert desk.notepad_text() == "abc 日本語"
    desk.select_in_notepad(1, 3)
    assert desk.notepad_selection() == (1, 3)


def test_tagsling_starts_and_closes(desk):
    process = desk.start(desk.win_exe("tagsling.exe"))
    try:
        desk.wait_window("TTagslingMain", 20)
        desk.screenshot(desk.screenshot_dir + "/tagsling-start.png")
        desk.tool("close", "TTagslingMain")
        process.wait(timeout=20)
        assert not desk.has_window("TTagslingMain")
    finally:
        desk.stop(process)

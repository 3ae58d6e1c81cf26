"""Hot keys, caret popup menus, docking, auto-activation and the tray icon,
driven as a user would under Wine with Notepad as the editor.

- A hot key opens PopupMenu4 at Notepad's caret; "文字(&M)" > "太文字 <&B>"
  (keys M, B) inserts <B></B> with the caret between the tags.
- The mode-inverted hot key (PMHotKey_Mode) wraps the selection and leaves
  sandwich mode as it was.
- Two settings with the same shortcut give the registration error box once.
- A docked palette is a toolbar across the top of the screen, as thick as the
  docked thickness.
- With auto-activation on, the pointer at the top edge raises the maximized
  palette; inside the left margin it does not (Tagslingmhook.dll sends 0x464).
- A resident palette (TrayIcon, StartNoForm) starts hidden and a left click
  on its icon (callback 0x466 with WM_LBUTTONDOWN) shows it.
Hot keys are sent with xdotool while the pointer rests on Notepad, so the
Wine desktop has the X keyboard focus."""

import time

from harness import (DIALOG, MAIN, MENU, click, dtool, menu_open, palette, pointer_on_notepad, read_settings, rect,
                     started_with_settings, wait_for)

QUICK = "[Option]\r\nSplashWindow=0\r\n"


def press_hot_key(desk, combo):
    desk.focus_notepad()
    pointer_on_notepad(desk)
    desk.xdotool("key", combo)


def started(desk, ini_text):
    """tagsling.exe with `ini_text` as its settings, not waiting for its window."""
    return started_with_settings(desk, ini_text, wait=False)


def test_hot_key_menu_opens_at_the_caret_and_inserts(desk):
    with palette(desk, QUICK + "PMHotKey_S=Ctrl+F11\r\nPMIti_S=0\r\n"):
        desk.set_notepad_text("abc")
        desk.focus_notepad()
        desk.select_in_notepad(3, 3)
        caret_x, caret_y = [int(v) for v in dtool(desk, "caret", "Notepad").split()]
        press_hot_key(desk, "ctrl+F11")
        wait_for(desk, lambda: menu_open(desk), message="PopupMenu4 did not open")
        left, top, _, _ = rect(desk, MENU)
        assert abs(left - caret_x) <= 40 and abs(top - caret_y) <= 40, (left, top, caret_x, caret_y)
        desk.keys("tap:M")
        time.sleep(0.3)
        desk.keys("tap:B")
        wait_for(desk, lambda: desk.notepad_text() == "abc<B></B>", message=desk.notepad_text())
        wait_for(desk, lambda: desk.notepad_selection() == (6, 6), message=str(desk.notepad_selection()))
        assert desk.tool("foreground").strip() == "Notepad"


def test_mode_inverted_hot_key_wraps_and_restores_the_mode(desk):
    ini = QUICK + "PMHotKey_Mode=^F10\r\nPasteHasamiOff=0\r\nHasamiMode=0\r\n"
    with palette(desk, ini) as process:
        desk.set_notepad_text("abc")
        desk.select_in_notepad(0, 3)
        press_hot_key(desk, "ctrl+F10")
        wait_for(desk, lambda: menu_open(desk), message="PopupMenu4 did not open")
        desk.keys("tap:M")
        time.sleep(0.3)
        desk.keys("tap:B")
        wait_for(desk, lambda: desk.notepad_text() == "<B>abc</B>", message=desk.notepad_text())
        desk.tool("close", MAIN)
        process.wait(timeout=10)
        ini_text = read_settings(desk)
        assert "HasamiMode=0" in ini_text, ini_text


def test_same_hot_key_twice_shows_the_error_box_once(desk):
    with started(desk, QUICK + "PMHotKey=Ctrl+F9\r\nActiveHotKey=ctrl+f9\r\n"):
        desk.wait_window(DIALOG, 30)
        title = desk.tool("title", DIALOG).strip()
        assert title == "ホットキーの登録 - Tagsling", title
        desk.tool("activate", DIALOG, check=False)
        desk.keys("tap:RETURN")
        desk.wait_window(MAIN, 30)
        time.sleep(1)
        assert not desk.has_window(DIALOG)


def test_docked_palette_sits_at_the_top(desk):
    with started(desk, QUICK + "Appbar=1\r\nNoMenuBar=0\r\n"):
        desk.wait_window(MAIN, 30)
        time.sleep(1)
        thickness = int(dtool(desk, "metric", 15)) + 2 * int(dtool(desk, "metric", 46)) + 55  # SM_CYMENU, SM_CYEDGE
        screen_width = int(dtool(desk, "metric", 0))
        assert rect(desk, MAIN) == [0, 0, screen_width, thickness], (rect(desk, MAIN), thickness)
        # Always on top: an editor brought to the front stays below it.
        desk.focus_notepad()
        time.sleep(0.3)
        assert dtool(desk, "topmost", MAIN) == "1", "the docked palette is not always on top"


def test_pointer_at_the_top_edge_raises_the_maximized_palette(desk):
    ini = QUICK + "AutoActive_OnTop=1\r\nAutoActive_Margin=100\r\n[TTagslingMain]\r\nWindowMax=1\r\n"
    with palette(desk, ini):
        desk.focus_notepad()
        pointer_on_notepad(desk)
        assert desk.tool("foreground").strip() == "Notepad"
        desk.xdotool("mousemove", 50, 0)  # inside the left margin
        time.sleep(1)
        assert desk.tool("foreground").strip() == "Notepad"
        desk.xdotool("mousemove", 300, 1)
        wait_for(desk, lambda: desk.tool("foreground").strip() == MAIN, message="the palette was not raised")


def test_tray_icon_click_shows_the_hidden_palette(desk):
    with started(desk, QUICK + "TrayIcon=1\r\nStartNoForm=1\r\n"):
        wait_for(desk, lambda: dtool(desk, "visible", "TNotifyWindow", check=False) != "", seconds=30,
                 message="no notification window")
        time.sleep(1)
        assert not desk.has_window(DIALOG), "the icon was not registered"
        assert dtool(desk, "visible", MAIN) == "0"
        dtool(desk, "post", "TNotifyWindow", 0x466, 1, 0x201)  # icon 1, WM_LBUTTONDOWN
        wait_for(desk, lambda: dtool(desk, "visible", MAIN) == "1", message="the palette stayed hidden")


def test_tray_menu_item_chosen_with_the_right_button(desk):
    """A right-click on the icon of a resident palette opens PopupMenu2; its
    last item, "Tagsling の終了(&X)", ends the program (a plain close would
    only hide it)."""
    with started(desk, QUICK + "TrayIcon=1\r\nStartNoForm=1\r\n") as process:
        wait_for(desk, lambda: dtool(desk, "visible", "TNotifyWindow", check=False) != "", seconds=30,
                 message="no notification window")
        time.sleep(1)
        dtool(desk, "post", "TNotifyWindow", 0x466, 1, 0x204)  # icon 1, WM_RBUTTONDOWN
        wait_for(desk, lambda: menu_open(desk), message="the tray menu did not open")
        time.sleep(0.3)
        left, top, right, bottom = rect(desk, MENU)
        click(desk, left + 40, bottom - 10)
        process.wait(timeout=20)


def test_docked_palette_without_menu_bar_reaches_the_tag_menu_through_its_button(desk):
    with started(desk, QUICK + "Appbar=1\r\nNoMenuBar=1\r\n"):
        desk.wait_window(MAIN, 30)
        time.sleep(1)
        # Notepad, in front before the palette started, is the target.
        left, top, right, bottom = [int(v) for v in desk.tool("itemrect", MAIN, "ToolBar1", "0").split()]
        click(desk, (left + right) // 2, (top + bottom) // 2)
        wait_for(desk, lambda: menu_open(desk), message="the tag menu did not open")
        desk.keys("tap:M")  # 文字(&M)
        time.sleep(0.3)
        desk.keys("tap:B")  # 太文字 <&B>
        wait_for(desk, lambda: desk.notepad_text() == "<B></B>", message=desk.notepad_text())


def test_user_tag_submenus_of_the_hot_key_menus_come_back_with_the_first_user_tag(desk):
    """Without user tags PopupMenu1 and PopupMenu4 hide "登録タグ(&U)"; the
    first user tag added in the options dialog brings it back in both."""
    ini = QUICK + "PMHotKey=Ctrl+F11\r\nPMHotKey_S=Ctrl+F12\r\nTrayIcon=0\r\n"
    with palette(desk, ini):
        desk.tool("activate", MAIN)
        desk.keys("down:ALT", "tap:U", "up:ALT")  # 登録タグ(&U) > 登録タグの編集(&E)...
        time.sleep(0.3)
        desk.keys("tap:E")
        desk.wait_window("TTagslingOptionForm", 10)
        time.sleep(0.5)
        desk.keys("tap:TAB", "tap:SPACE")  # "追加"
        desk.wait_window(DIALOG, 10)
        desk.keys("tap:T", "tap:A", "tap:G", "tap:TAB", "tap:Q")
        desk.keys("tap:RETURN")
        wait_for(desk, lambda: not desk.has_window(DIALOG), message="the tag editor stayed")
        desk.keys(*["tap:TAB"] * 5, "tap:RETURN")  # on to the tab strip, where Enter is OK
        wait_for(desk, lambda: not desk.has_window("TTagslingOptionForm"), message="the options dialog stayed")
        for combo, expected in (("ctrl+F11", "q"), ("ctrl+F12", "qq")):
            press_hot_key(desk, combo)
            wait_for(desk, lambda: menu_open(desk), message="no menu for " + combo)
            time.sleep(0.3)
            desk.keys("tap:U")  # 登録タグ(&U), its first item selected
            time.sleep(0.3)
            desk.keys("tap:RETURN")
            wait_for(desk, lambda: desk.notepad_text() == expected, message="%s: %r" % (combo, desk.notepad_text()))


def test_hot_key_menu_delivers_to_the_control_it_opened_at(desk):
    """A hot-key menu opened in a window the target search passes over (its
    class is on the pass-through list) still delivers there: in message mode
    WM_PASTE goes to the control that had the focus when the menu opened."""
    ini = (QUICK + "PMHotKey_S=Ctrl+F11\r\nSendMessage=1\r\n"
           "[ThroughWindow]\r\nItemCount=1\r\nClassName0=Notepad\r\n")
    with palette(desk, ini):
        desk.set_notepad_text("abc")
        desk.focus_notepad()
        desk.select_in_notepad(3, 3)
        press_hot_key(desk, "ctrl+F11")
        wait_for(desk, lambda: menu_open(desk), message="PopupMenu4 did not open")
        desk.keys("tap:M")
        time.sleep(0.3)
        desk.keys("tap:B")
        wait_for(desk, lambda: desk.notepad_text() == "abc<B></B>", message=desk.notepad_text())

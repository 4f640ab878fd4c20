#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""Keyboard focus of the built program under a real window manager, with real key events.

Run by tests/common/with_window_manager.sh, which gives it an X server and a window manager.
Types into the main window as soon as it appears, after a message box and after the About
window close, and reads over AT-SPI which text box the keys landed in. Then presses Alt+P and
Alt+O in quick succession on a half-filled record: the form under the message box must not be
cleared. Last, Alt with a letter that is no access key, and AltGr on two keyboard layouts.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, check, poll, run, text_of  # noqa: E402

PROGRAM = sys.argv[1]


def keys(*args):
    """Real key events, through the X server's test extension."""
    subprocess.run(["xdotool", *args], check=True)


def window_id(title):
    found = subprocess.run(["xdotool", "search", "--name", f"^{title}$"], capture_output=True,
                           text=True, check=False).stdout.split()
    return int(found[0]) if found else None


def transient_for(title):
    """The X window that the window with this title is transient for, if any."""
    listing = subprocess.run(["xprop", "-id", str(window_id(title)), "WM_TRANSIENT_FOR"],
                             capture_output=True, text=True, check=False).stdout
    return int(listing.rsplit("#", 1)[1], 16) if "#" in listing else None


def settled(accessible, expected, seconds=5.0):
    """The text of accessible once it reads expected, or as it is after seconds."""
    try:
        return poll(f"{accessible.name} to read {expected!r}",
                    lambda: text_of(accessible) == expected and expected, seconds)
    except AssertionError:
        return text_of(accessible)


def main():
    session = Program(PROGRAM, "xcb")
    pyatspi, app, frame = session.pyatspi, session.app, session.frame
    find, window, box_text = session.find, session.window, session.box_text

    def about():
        # Hidden, it stays in the tree.
        found = window(pyatspi.ROLE_DIALOG, "About Quorlant")
        return found if found and found.getState().contains(pyatspi.STATE_SHOWING) else None

    def click(accessible):
        """Clicks into accessible, which makes its window the active one."""
        x, y, width, height = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        keys("mousemove", str(x + width // 2), str(y + height // 2), "click", "1")
        poll("the window to be active",
             lambda: frame.getState().contains(pyatspi.STATE_ACTIVE), 5)

    def units_asked_for(what, reading=0.0):
        """The Error box asks for the units; read for a while, it is dismissed by Enter."""
        try:
            error = poll("the Error box", lambda: window(pyatspi.ROLE_ALERT, "Error"), 5)
            check(f"{what}: the Error box asks for the units", box_text(error),
                  "Enter Number of Units")
            time.sleep(reading)
            keys("key", "Return")
            poll("the Error box to close", lambda: window(pyatspi.ROLE_ALERT, "Error") is None, 5)
        except AssertionError as error:
            check(f"{what}: the Error box", str(error), "the box")

    name = find(frame, pyatspi.ROLE_TEXT, "Name")
    units = find(frame, pyatspi.ROLE_TEXT, "Units Completed")
    poll("the window on the screen",
         lambda: frame.getState().contains(pyatspi.STATE_SHOWING))
    # A window manager may take a moment to hand a new window the focus; a missing focus
    # shows in the text read back below, so the wait is not a check of its own.
    try:
        poll("the window to be active",
             lambda: frame.getState().contains(pyatspi.STATE_ACTIVE), 3)
    except AssertionError:
        pass

    # 1. Keys typed at once land in the name box, where the window starts.
    keys("type", "--delay", "20", "Ann Lee")
    check("typed at start: the text lands in the name box", settled(name, "Ann Lee"), "Ann Lee")

    # 2. Print with no units: the box, and after Enter the focus is back in the units box.
    # Each step sets its entries and clicks where its keys go, so that it holds apart from the
    # steps before it.
    name.queryEditableText().setTextContents("Ann Lee")
    click(name)
    keys("key", "alt+p")
    units_asked_for("Alt+P with no units")
    keys("type", "--delay", "20", "42")
    check("after the box closes: digits land in the units box", settled(units, "42"), "42")

    # 3. Help, About by keys (Alt alone to the menu bar, since Alt+H picks Sophomore); Alt+K
    # hides it, and the focus is back where it was.
    units.queryEditableText().setTextContents("42")
    click(units)
    keys("key", "alt")
    keys("key", "h")
    keys("key", "a")
    try:
        poll("the About window", about, 5)
        # Transient for the window it blocks, which tiling window managers float it over.
        check("the About window is transient for the main window",
              transient_for("About Quorlant"), window_id("Quorlant"))
        keys("key", "alt+k")
        poll("the About window to close", lambda: not about(), 5)
        keys("type", "--delay", "20", "7")
        check("after About closes: digits land in the units box again", settled(units, "427"),
              "427")
    except AssertionError as error:
        check("Alt, H, A opens the About window and Alt+K closes it", str(error), "")

    # 4. Alt+P and at once Alt+O on a half-filled record: Print's box comes up and the record
    # under it stays.
    name.queryEditableText().setTextContents("Bo Park")
    units.queryEditableText().setTextContents("")
    click(name)
    keys("key", "--delay", "30", "alt+p", "alt+o")
    # Read long enough for a click still pending from Alt+O to run under the box, as it would
    # for a user who reads the box before dismissing it.
    units_asked_for("quick Alt+P, Alt+O", reading=0.5)
    check("quick Alt+P, Alt+O: the name is still there", text_of(name), "Bo Park")

    # 5. Alt with a letter that is no access key types nothing; AltGr on a German and on a
    # Polish keyboard still types its characters.
    name.queryEditableText().setTextContents("")
    click(name)
    keys("key", "alt+m")
    for layout, key in (("de", "q"), ("pl", "a")):
        subprocess.run(["setxkbmap", layout], check=True)
        keys("key", "ISO_Level3_Shift+" + key)
    subprocess.run(["setxkbmap", "us"], check=True)
    check("Alt+M types nothing, AltGr types @ and \u0105", settled(name, "@\u0105"), "@\u0105")
    return 0


if __name__ == "__main__":
    run(main)

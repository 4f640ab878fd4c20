#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""The summary box's Ctrl+C, and Ctrl+Z after a clear, with real key and mouse events.

Run by tests/common/with_window_manager.sh, which gives it an X server and a window manager.
Fills the form over AT-SPI and prints; Ctrl+C in the box puts the summary on the clipboard as
the box shows it, lines joined by LF alone (read with xclip). Then the record is cleared, once
with Esc and once with a click on OK, and each time Ctrl+Z brings it back: Print shows the
same summary again.
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, act, check, poll, run, text_of  # noqa: E402

PROGRAM = sys.argv[1]

# With the deans line "No", the summary ends in a line break, shown as an empty last line.
SHOWN = ("Student Name: Cy Moss\n\nUnits Completed: 12\nMajor: Marketing\nSchool: Midtown\n"
         "Grade Level: Senior\nDeans List: No\n")


def clipboard():
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            text=True, timeout=10, check=False)
    return result.stdout if result.returncode == 0 else None


def main():
    session = Program(PROGRAM, "xcb")
    pyatspi, frame = session.pyatspi, session.frame
    find, window, box_text = session.find, session.window, session.box_text

    school = find(frame, pyatspi.ROLE_COMBO_BOX, "School")
    for within, name, text in [(frame, "Name", "Cy Moss"), (frame, "Units Completed", "12"),
                               (school, "", "Midtown")]:
        find(within, pyatspi.ROLE_TEXT, name).queryEditableText().setTextContents(text)
    act(find(frame, pyatspi.ROLE_RADIO_BUTTON, "Senior"))
    marketing = find(find(frame, pyatspi.ROLE_LIST, "Major"), pyatspi.ROLE_LIST_ITEM, "Marketing")
    act(marketing)
    poll("Marketing picked", lambda: marketing.getState().contains(pyatspi.STATE_SELECTED))

    def summary(what):
        subprocess.run(["xdotool", "key", "alt+p"], check=True)
        box = poll("the summary box", lambda: window(pyatspi.ROLE_ALERT, "Quorlant"))
        check(what, box_text(box), SHOWN)
        return box

    def close(box):
        poll("the box to be active", lambda: box.getState().contains(pyatspi.STATE_ACTIVE), 5)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        poll("the box to close", lambda: window(pyatspi.ROLE_ALERT, "Quorlant") is None, 5)

    name = find(frame, pyatspi.ROLE_TEXT, "Name")
    box = summary("the box shows the summary")
    # The key must reach the box, not the window under it.
    poll("the box to be active", lambda: box.getState().contains(pyatspi.STATE_ACTIVE), 5)
    subprocess.run(["xdotool", "key", "ctrl+c"], check=True)
    try:
        copied = poll("the summary on the clipboard", lambda: clipboard() == SHOWN and SHOWN, 5)
    except AssertionError:
        copied = clipboard()
    check("Ctrl+C copies the summary, its lines joined by LF", copied, SHOWN)
    close(box)

    ok = find(frame, pyatspi.ROLE_PUSH_BUTTON, "OK").queryComponent()
    x, y, width, height = ok.getExtents(pyatspi.DESKTOP_COORDS)
    clears = [("Esc", ["xdotool", "key", "Escape"]),
              ("a click on OK", ["xdotool", "mousemove", str(x + width // 2),
                                 str(y + height // 2), "click", "1"])]
    for how, keys in clears:
        subprocess.run(keys, check=True)
        poll(f"the record cleared by {how}", lambda: text_of(name) == "", 5)
        subprocess.run(["xdotool", "key", "ctrl+z"], check=True)
        poll(f"the name back after {how}", lambda: text_of(name) == "Cy Moss", 5)
        close(summary(f"after {how}, Ctrl+Z brings the whole record back"))
    return 0


if __name__ == "__main__":
    run(main)

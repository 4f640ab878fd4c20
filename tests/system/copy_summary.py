#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""Ctrl+C in the summary box puts the summary on the clipboard as shown.

Run by tests/common/with_window_manager.sh, which gives it an X server and a window manager.
Fills the form over AT-SPI, prints, presses Ctrl+C in the box with a real key event, and reads
the clipboard with xclip: the lines as the box shows them, joined by LF alone.
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, act, check, poll, run  # noqa: E402

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

    for name, text in [("Name", "Cy Moss"), ("Units Completed", "12"), ("School", "Midtown")]:
        find(frame, pyatspi.ROLE_TEXT, name).queryEditableText().setTextContents(text)
    act(find(frame, pyatspi.ROLE_RADIO_BUTTON, "Senior"))
    marketing = find(find(frame, pyatspi.ROLE_LIST, "Major"), pyatspi.ROLE_LIST_ITEM, "Marketing")
    act(marketing)
    poll("Marketing picked", lambda: marketing.getState().contains(pyatspi.STATE_SELECTED))

    act(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Print"))
    box = poll("the summary box", lambda: window(pyatspi.ROLE_ALERT, "Quorlant"))
    check("the box shows the summary", box_text(box), SHOWN)
    # The key must reach the box, not the window under it.
    poll("the box to be active", lambda: box.getState().contains(pyatspi.STATE_ACTIVE), 5)
    subprocess.run(["xdotool", "key", "ctrl+c"], check=True)
    try:
        copied = poll("the summary on the clipboard", lambda: clipboard() == SHOWN and SHOWN, 5)
    except AssertionError:
        copied = clipboard()
    check("Ctrl+C copies the summary, its lines joined by LF", copied, SHOWN)
    subprocess.run(["xdotool", "key", "Return"], check=True)
    poll("the box to close", lambda: window(pyatspi.ROLE_ALERT, "Quorlant") is None, 5)
    return 0


if __name__ == "__main__":
    run(main)

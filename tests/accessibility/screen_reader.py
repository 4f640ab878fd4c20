#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""Drives the built program as a screen reader would, through AT-SPI only.

Starts a private session bus, the accessibility bus launcher (with its own bus), the AT-SPI
registry and the program, each ended by its PID. Finds the "Quorlant" window, fills every
entry through the accessibility interfaces, presses Print, reads the summary from the message
box byte for byte and line by line, dismisses it, checks what the focus in the school box
shows, and ends the program by File, Exit. Needs
DISPLAY (an X server), at-spi2-core and python3-pyatspi.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, act, check, poll, run  # noqa: E402

PROGRAM = sys.argv[1]

SUMMARY = ("Student Name: A. Sample\r\n\r\nUnits Completed: 30\r\nMajor: Business\r\n"
           "School: Lincoln\r\nGrade Level: Sophomore\r\nDeans List: Yes")


def main():
    session = Program(PROGRAM, "xcb")
    pyatspi, frame = session.pyatspi, session.frame
    find, window = session.find, session.window

    def has(accessible, state):
        return accessible.getState().contains(state)

    def write(role, name, text, within=frame):
        field = poll(f"the {name} field", lambda: find(within, role, name))
        field.queryEditableText().setTextContents(text)
        poll(f"{name} to read {text!r}", lambda: field.queryText().getText(0, -1) == text)

    # Every entry, through the interfaces a screen reader uses.
    write(pyatspi.ROLE_TEXT, "Name", "A. Sample")
    write(pyatspi.ROLE_TEXT, "Units Completed", "30")
    grade = find(frame, pyatspi.ROLE_PANEL, "Grade Level") or find(
        frame, pyatspi.ROLE_GROUPING, "Grade Level")
    check("grade group is named Grade Level", grade is not None, True)
    sophomore = find(frame, pyatspi.ROLE_RADIO_BUTTON, "Sophomore")
    act(sophomore)
    poll("Sophomore chosen", lambda: has(sophomore, pyatspi.STATE_CHECKED))
    major = find(frame, pyatspi.ROLE_LIST, "Major")
    check("majors listed", [item.name for item in major],
          ["Accounting", "Business", "Computer Information Systems", "Marketing"])
    business = major[1]
    act(business)
    poll("Business picked", lambda: has(business, pyatspi.STATE_SELECTED))
    school = find(frame, pyatspi.ROLE_COMBO_BOX, "School")
    check("school is a combo box named School", school is not None, True)
    # The box's field has no name of its own, so the box's is read once.
    write(pyatspi.ROLE_TEXT, "", "Lincoln", within=school)
    deans = find(frame, pyatspi.ROLE_CHECK_BOX, "Deans List")
    act(deans)
    poll("Deans List ticked", lambda: has(deans, pyatspi.STATE_CHECKED))

    act(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Print"))
    box = poll("the summary box", lambda: window(pyatspi.ROLE_ALERT, "Quorlant"))
    check("the box describes itself with the whole summary", box.description, SUMMARY)
    read = session.box_text_view(box).queryText()
    check("its text is the summary as shown", read.getText(0, -1), SUMMARY.replace("\r\n", "\n"))
    lines = {}  # by the offset each starts at
    offset = 0
    while offset < read.characterCount:
        line, begin, end = read.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
        lines.setdefault(begin, line.rstrip("\n"))
        offset = max(end, offset + 1)
    check("read line by line", [lines[begin] for begin in sorted(lines)], SUMMARY.split("\r\n"))

    act(find(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    poll("the box to close", lambda: window(pyatspi.ROLE_ALERT, "Quorlant") is None)
    schools = find(frame, pyatspi.ROLE_LIST, "School")
    check("the typed school is listed at its place", [item.name for item in schools],
          ["Franklin", "Highland", "Lincoln", "Midtown", "West Highland"])

    # In the school box the focus is on the box itself, which a screen reader announces once,
    # as a combo box with its text; the field inside holds the text whole.
    school.queryComponent().grabFocus()
    focused = poll("the focus in the school box", lambda: pyatspi.utils.findDescendant(
        frame, lambda a: a is not None and a.getState().contains(pyatspi.STATE_FOCUSED)
        and a.getRole() != pyatspi.ROLE_TEXT))
    check("the focused object is the combo box named School",
          (focused.getRole(), focused.name), (pyatspi.ROLE_COMBO_BOX, "School"))
    check("its text is the picked school, whole",
          find(focused, pyatspi.ROLE_TEXT, "").queryText().getText(0, -1), "Lincoln")

    check("File, Exit ends the program", session.exit_status(), 0)
    return 0


if __name__ == "__main__":
    run(main)

#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""The built program on Wayland, under weston's headless backend, started and ended here.

With no X server in reach, the program comes up on a Wayland compositor; over AT-SPI its
window appears, Print with nothing entered brings up the Error box (and pressing Print again
under it opens no second one), the box is dismissed, and
File, Exit ends the program with status 0, having printed nothing on stderr. Needs weston and
qt6-wayland, besides at-spi2-core and python3-pyatspi.
"""

import atexit
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, act, adopt_children, check, poll, run, start  # noqa: E402

PROGRAM = sys.argv[1]
SOCKET = "tessaly-test"


def main():
    if not shutil.which("weston"):
        print("FAIL: weston is not installed")
        return 1
    # Nothing here may reach an X server, the test run's included.
    os.environ.pop("DISPLAY", None)
    runtime = tempfile.mkdtemp(prefix="tessaly-wayland-")
    atexit.register(shutil.rmtree, runtime, True)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    os.environ["WAYLAND_DISPLAY"] = SOCKET

    weston_log = open(os.path.join(runtime, "weston.log"), "w", encoding="utf-8")
    weston = start(["weston", "--backend=headless-backend.so", f"--socket={SOCKET}",
                    "--idle-time=0", "--no-config"], stdout=weston_log, stderr=subprocess.STDOUT)

    def weston_up():
        if weston.poll() is not None:
            raise SystemExit(f"FAIL: weston exited with {weston.returncode}")
        return os.path.exists(os.path.join(runtime, SOCKET))

    try:
        poll("weston's socket", weston_up)
        return drive()
    finally:
        # The shell's clients that weston started, ended after it by their PIDs.
        adopt_children(weston.pid)


def drive():
    stderr_path = os.path.join(os.environ["XDG_RUNTIME_DIR"], "program.stderr")
    with open(stderr_path, "w", encoding="utf-8") as stderr:
        session = Program(PROGRAM, "wayland", stderr=stderr)
    pyatspi, app, frame = session.pyatspi, session.app, session.frame
    find, window = session.find, session.window
    poll("the window on the screen", lambda: frame.getState().contains(pyatspi.STATE_SHOWING))

    print_button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Print")
    act(print_button)
    box = poll("the Error box", lambda: window(pyatspi.ROLE_ALERT, "Error"))
    check("Print with nothing entered asks for the name", session.box_text(box),
          "Please Enter Your Name")
    # An assistive technology can press a button of the window the box blocks; while Print's
    # box is up, that Print is dropped rather than run inside it.
    act(print_button)
    boxes = [w for w in app if w and w.getRole() == pyatspi.ROLE_ALERT]
    check("Print pressed again under its box opens no second box", len(boxes), 1)
    act(find(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    poll("the Error box to close", lambda: window(pyatspi.ROLE_ALERT, "Error") is None)

    check("File, Exit ends the program with status 0", session.exit_status(), 0)
    with open(stderr_path, encoding="utf-8", errors="replace") as stderr:
        check("nothing on stderr", stderr.read(), "")
    return 0


if __name__ == "__main__":
    run(main)

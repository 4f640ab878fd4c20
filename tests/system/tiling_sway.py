#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""The About window on a tiling Wayland compositor: sway, headless, started and ended here.

A tiling compositor tiles an ordinary window beside the others; the About window must instead
float over the main window it blocks, and there must be one of it. Opens it over AT-SPI and
reads sway's tree. sway will not run as root, so as root it runs as nobody. Needs sway and
qt6-wayland, besides at-spi2-core and python3-pyatspi.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from atspi_session import Program, act, check, poll, run, start  # noqa: E402

PROGRAM = sys.argv[1]
NOBODY = 65534


def main():
    if not shutil.which("sway"):
        print("FAIL: sway is not installed")
        return 1
    os.environ.pop("DISPLAY", None)
    # The compositor's own runtime directory, which must belong to whoever runs it.
    compositor_dir = tempfile.mkdtemp(prefix="tessaly-sway-")
    as_user = []
    if os.geteuid() == 0:
        os.chown(compositor_dir, NOBODY, NOBODY)
        as_user = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups"]
    config = os.path.join(compositor_dir, "config")
    with open(config, "w", encoding="utf-8") as file:
        file.write("output HEADLESS-1 resolution 1280x1024\n")
    os.chmod(config, 0o644)
    environment = dict(os.environ, HOME=compositor_dir, XDG_RUNTIME_DIR=compositor_dir,
                       WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                       WLR_RENDERER="pixman")
    try:
        log = open(os.path.join(compositor_dir, "sway.log"), "w", encoding="utf-8")
        sway = start(as_user + ["sway", "-c", config], env=environment, stdout=log,
                     stderr=subprocess.STDOUT)

        def socket(prefix):
            if sway.poll() is not None:
                raise SystemExit(f"FAIL: sway exited with {sway.returncode}")
            return next((os.path.join(compositor_dir, name) for name in os.listdir(compositor_dir)
                         if name.startswith(prefix) and not name.endswith(".lock")), None)

        os.environ["WAYLAND_DISPLAY"] = poll("sway's Wayland socket", lambda: socket("wayland-"))
        ipc = poll("sway's IPC socket", lambda: socket("sway-ipc."))
        # The program's own runtime directory; the display is named by its full path.
        os.environ["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="tessaly-runtime-")
        return drive(ipc)
    finally:
        shutil.rmtree(compositor_dir, True)


def windows(ipc):
    """sway's windows as (name, floating), in stacking order, bottom first."""
    tree = json.loads(subprocess.run(["swaymsg", "-s", ipc, "-r", "-t", "get_tree"],
                                     capture_output=True, text=True, check=True).stdout)
    found = []

    def walk(node, floating):
        if node.get("type") in ("con", "floating_con") and node.get("name"):
            found.append((node["name"], floating))
        for child in node.get("nodes", []):
            walk(child, floating)
        for child in node.get("floating_nodes", []):
            walk(child, True)

    walk(tree, False)
    return found


def drive(ipc):
    session = Program(PROGRAM, "wayland")
    pyatspi = session.pyatspi
    about = session.find(session.frame, pyatspi.ROLE_MENU_ITEM, "About Quorlant")
    # The About window is modal: the action's reply comes only once it is closed, so the
    # call is not waited for.
    pyatspi.setTimeout(500, 500)
    try:
        act(about)
    except Exception:  # the reply's time-out
        pass
    shown = poll("the About window in sway's tree",
                 lambda: [w for w in windows(ipc) if w[0] == "About Quorlant"], 10)
    check("one About window, floating", shown, [("About Quorlant", True)])
    names = [name for name, _ in windows(ipc)]
    check("the About window is stacked over the main window",
          names.index("About Quorlant") > names.index("Quorlant"), True)
    return 0


if __name__ == "__main__":
    run(main)

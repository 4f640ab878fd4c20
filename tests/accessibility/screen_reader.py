#!/usr/bin/env python3
"""Drives the built program as a screen reader would, through AT-SPI only.

Starts a private session bus, the accessibility bus launcher (with its own bus), the AT-SPI
registry and the program, each ended by its PID. Finds the "Quorlant" window, fills every
entry through the accessibility interfaces, presses Print, reads the summary from the message
box byte for byte and line by line, dismisses it, and ends the program by File, Exit. Needs
DISPLAY (an X server), at-spi2-core and python3-pyatspi.
"""

import os
import signal
import subprocess
import sys
import time

from gi.repository import Gio, GLib

PROGRAM = sys.argv[1]
LIBEXEC = ["/usr/libexec", "/usr/lib/at-spi2-core"]

SUMMARY = ("Student Name: A. Sample\r\n\r\nUnits Completed: 30\r\nMajor: Business\r\n"
           "School: Lincoln\r\nGrade Level: Sophomore\r\nDeans List: Yes")

processes = []  # started here, ended here by PID, newest first


def start(args, **kwargs):
    process = subprocess.Popen(args, **kwargs)
    processes.insert(0, process)
    return process


class Child:
    """A process started by another one of ours, ended by its PID after its parent."""

    def __init__(self, pid):
        self.pid = pid

    def poll(self):
        try:
            with open(f"/proc/{self.pid}/stat", encoding="ascii") as stat:
                ended = stat.read().rsplit(")", 1)[1].split()[0] == "Z"
        except OSError:
            ended = True
        return 0 if ended else None

    def terminate(self):
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass

    def kill(self):
        try:
            os.kill(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

    def wait(self, timeout=None):
        deadline = time.monotonic() + (timeout or 5)
        while self.poll() is None and time.monotonic() < deadline:
            time.sleep(0.05)
        if self.poll() is None:
            raise subprocess.TimeoutExpired(str(self.pid), timeout)


def stop_all():
    for process in processes:
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()


def poll(what, condition, seconds=20.0):
    """Returns condition()'s first true value, polling; fails after seconds."""
    deadline = time.monotonic() + seconds
    while True:
        # The client library learns of new windows and applications from bus signals,
        # which only its main loop takes in.
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        try:
            value = condition()
        except Exception:  # the tree changes under us while the program works
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


def a11y_bus_address():
    """Asks our bus launcher where the accessibility bus is; never starts another one."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                              GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NO_AUTO_START,
                              2000, None)
    return reply.unpack()[0]


def registry_pid(address):
    """The PID of whoever holds the registry's name on the accessibility bus, if anyone."""
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    try:
        def ask(method, argument):
            return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                 "org.freedesktop.DBus", method, GLib.Variant("(s)", (argument,)),
                                 None, Gio.DBusCallFlags.NO_AUTO_START, 2000, None).unpack()[0]
        return ask("GetConnectionUnixProcessID", ask("GetNameOwner", "org.a11y.atspi.Registry"))
    finally:
        bus.close_sync(None)


def children(pid):
    """The PIDs of pid's child processes."""
    try:
        with open(f"/proc/{pid}/task/{pid}/children", encoding="ascii") as listing:
            return [int(child) for child in listing.read().split()]
    except OSError:
        return []


failures = 0


def check(what, actual, expected):
    global failures
    if actual == expected:
        print(f"PASS: {what}")
    else:
        failures += 1
        print(f"FAIL: {what}\n   actual:   {actual!r}\n   expected: {expected!r}")


def main():
    if not os.environ.get("DISPLAY"):
        print("FAIL: needs an X server in DISPLAY")
        return 1
    tools = {}
    for tool in ["at-spi-bus-launcher", "at-spi2-registryd"]:
        tools[tool] = next((f"{d}/{tool}" for d in LIBEXEC if os.access(f"{d}/{tool}", os.X_OK)),
                           None)
        if tools[tool] is None:
            print(f"FAIL: no {tool}; install at-spi2-core")
            return 1

    bus = start(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                stdout=subprocess.PIPE, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        print("FAIL: the private bus did not start")
        return 1
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    launcher = start([tools["at-spi-bus-launcher"], "--launch-immediately"])
    os.environ["AT_SPI_BUS_ADDRESS"] = poll("the accessibility bus", a11y_bus_address)
    # The launcher's bus goes with it; should it not, it is ended here by its PID.
    for pid in children(launcher.pid):
        processes.append(Child(pid))
    # Up before any client asks for it, so that the bus does not start one of its own.
    registry = start([tools["at-spi2-registryd"]])
    poll("the registry", lambda: registry_pid(os.environ["AT_SPI_BUS_ADDRESS"]) == registry.pid)

    import pyatspi  # reads the bus addresses set above when it first connects

    desktop = pyatspi.Registry.getDesktop(0)
    # The program finds the accessibility bus through the launcher, as on a desktop.
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    del environment["AT_SPI_BUS_ADDRESS"]
    program = start([PROGRAM], env=environment)

    def application():
        if program.poll() is not None:
            raise SystemExit(f"FAIL: the program exited with {program.returncode}")
        desktop.clearCache()
        return next((app for app in desktop if app and app.name == "Tessaly"), None)

    app = poll("the program on the accessibility bus", application)

    def find(root, role, name):
        return pyatspi.utils.findDescendant(
            root, lambda a: a is not None and a.getRole() == role and a.name == name)

    def window(role, name):
        return next((w for w in app if w and w.getRole() == role and w.name == name), None)

    frame = poll("the Quorlant window", lambda: window(pyatspi.ROLE_FRAME, "Quorlant"))

    def act(accessible, action=None):
        actions = accessible.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        actions.doAction(names.index(action) if action else 0)

    def has(accessible, state):
        return accessible.getState().contains(state)

    def write(role, name, text):
        field = poll(f"the {name} field", lambda: find(frame, role, name))
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
    write(pyatspi.ROLE_TEXT, "School", "Lincoln")
    check("combo box's field is named School",
          find(school, pyatspi.ROLE_TEXT, "School") is not None, True)
    deans = find(frame, pyatspi.ROLE_CHECK_BOX, "Deans List")
    act(deans)
    poll("Deans List ticked", lambda: has(deans, pyatspi.STATE_CHECKED))

    act(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Print"))
    box = poll("the summary box", lambda: window(pyatspi.ROLE_ALERT, "Quorlant"))
    check("the box describes itself with the whole summary", box.description, SUMMARY)
    text = pyatspi.utils.findDescendant(box, lambda a: a is not None and a.getRole() in (
        pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
    read = text.queryText()
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

    exit_item = find(frame, pyatspi.ROLE_MENU_ITEM, "Exit")
    act(exit_item)
    try:
        program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        pass
    check("File, Exit ends the program", program.poll(), 0)
    return 1 if failures else 0


if __name__ == "__main__":
    try:
        status = main()
    except AssertionError as error:
        print(f"FAIL: {error}")
        status = 1
    except SystemExit as error:
        print(error)
        status = 1
    except Exception as error:  # a control missing from the tree, say
        print(f"FAIL: {type(error).__name__}: {error}")
        status = 1
    finally:
        stop_all()
    sys.exit(status)

# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

"""Shared by the tests that drive the built program over AT-SPI.

start_accessibility() starts a private session bus, the accessibility bus launcher (with its own
bus) and the AT-SPI registry, and returns the pyatspi module connected to them. Every process
started here is ended by its PID in stop_all(), newest first, which the caller runs in a finally
block. Needs at-spi2-core and python3-pyatspi.
"""

import ctypes.util
import os
import signal
import subprocess
import time

from gi.repository import Gio, GLib

LIBEXEC = ["/usr/libexec", "/usr/lib/at-spi2-core"]

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

    def send_signal(self, number):
        try:
            os.kill(self.pid, number)
        except ProcessLookupError:
            pass

    def terminate(self):
        self.send_signal(signal.SIGTERM)

    def kill(self):
        self.send_signal(signal.SIGKILL)

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


def adopt_children(pid):
    """Takes pid's child processes in, to be ended by their PIDs after it should they outlive it."""
    try:
        with open(f"/proc/{pid}/task/{pid}/children", encoding="ascii") as listing:
            processes.extend(Child(int(child)) for child in listing.read().split())
    except OSError:
        pass


def start_accessibility():
    """Starts the buses and the registry, sets their addresses in os.environ, returns pyatspi."""
    tools = {}
    for tool in ["at-spi-bus-launcher", "at-spi2-registryd"]:
        tools[tool] = next((f"{d}/{tool}" for d in LIBEXEC if os.access(f"{d}/{tool}", os.X_OK)),
                           None)
        if tools[tool] is None:
            raise AssertionError(f"no {tool}; install at-spi2-core")

    bus = start(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                stdout=subprocess.PIPE, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        raise AssertionError("the private bus did not start")
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    launcher = start([tools["at-spi-bus-launcher"], "--launch-immediately"])
    os.environ["AT_SPI_BUS_ADDRESS"] = poll("the accessibility bus", a11y_bus_address)
    adopt_children(launcher.pid)  # its bus
    # Up before any client asks for it, so that the bus does not start one of its own.
    registry = start([tools["at-spi2-registryd"]])
    poll("the registry", lambda: registry_pid(os.environ["AT_SPI_BUS_ADDRESS"]) == registry.pid)

    import pyatspi  # reads the bus addresses set above when it first connects
    return pyatspi


def program_environment(platform):
    """The environment to start the program in: it finds the accessibility bus through the
    launcher, as on a desktop."""
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM=platform)
    environment.pop("AT_SPI_BUS_ADDRESS", None)
    if platform == "wayland":
        # Qt's Wayland windows start EGL, whose driver keeps some memory for good and is
        # unloaded at exit before LeakSanitizer reports; loaded from the start, it stays mapped
        # so the report can name it and the driver's suppression applies.
        driver = ctypes.util.find_library("EGL_mesa")
        if driver:
            environment["LD_PRELOAD"] = driver
    return environment


class Program:
    """The built program, started on platform (xcb or wayland) with the registry to find it by,
    and its main window found."""

    def __init__(self, path, platform, **kwargs):
        if platform == "xcb" and not os.environ.get("DISPLAY"):
            raise SystemExit("FAIL: needs an X server in DISPLAY")
        self.pyatspi = start_accessibility()
        self.process = start([path], env=program_environment(platform), **kwargs)
        desktop = self.pyatspi.Registry.getDesktop(0)

        def application():
            if self.process.poll() is not None:
                raise SystemExit(f"FAIL: the program exited with {self.process.returncode}")
            desktop.clearCache()
            return next((app for app in desktop if app and app.name == "Tessaly"), None)

        self.app = poll("the program on the accessibility bus", application)
        self.frame = poll("the Quorlant window",
                          lambda: self.window(self.pyatspi.ROLE_FRAME, "Quorlant"))

    def find(self, root, role, name):
        return self.pyatspi.utils.findDescendant(
            root, lambda a: a is not None and a.getRole() == role and a.name == name)

    def window(self, role, name):
        """The program's top-level window with this role and name, if it is there."""
        return next((w for w in self.app if w and w.getRole() == role and w.name == name), None)

    def box_text_view(self, box):
        """The view of the text a message box shows."""
        roles = (self.pyatspi.ROLE_TEXT, self.pyatspi.ROLE_ENTRY)
        return self.pyatspi.utils.findDescendant(box, lambda a: a is not None and a.getRole() in roles)

    def box_text(self, box):
        return text_of(self.box_text_view(box))

    def exit_status(self):
        """Chooses File, Exit; the program's exit status, or None if it runs 20 s later."""
        act(self.find(self.frame, self.pyatspi.ROLE_MENU_ITEM, "Exit"))
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
        return self.process.poll()


def act(accessible, action=None):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index(action) if action else 0)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


passed = failures = 0


def check(what, actual, expected):
    global passed, failures
    if actual == expected:
        passed += 1
        print(f"PASS: {what}")
    else:
        failures += 1
        print(f"FAIL: {what}\n   actual:   {actual!r}\n   expected: {expected!r}")


def run(main):
    """Runs a test's main(), reports what stopped it, ends every process, and exits 1 on any
    failure."""
    import sys

    def terminated(number, frame):
        raise SystemExit(f"FAIL: stopped by signal {number}")

    # A test run that times out ends the test with SIGTERM; the processes still go with it.
    signal.signal(signal.SIGTERM, terminated)
    global failures
    status = 1
    try:
        status = main()
    except SystemExit as error:  # its message says what failed
        print(error)
        failures += 1
    except Exception as error:  # a wait that timed out, or a control missing from the tree, say
        kind = "" if isinstance(error, AssertionError) else f"{type(error).__name__}: "
        print(f"FAIL: {kind}{error}")
        failures += 1
    finally:
        stop_all()
    print(f"{passed} passed, {failures} failed")
    sys.exit(1 if status or failures else 0)

#!/usr/bin/env bash
# The built program where no session bus is named: it finds the bus in the user's runtime
# directory, it still runs a dbus-launch that is installed, and where there is neither it starts
# no child process to look for one.
set -euo pipefail
program=$1
[ -n "${DISPLAY:-}" ] || { echo "FAIL: needs an X server in DISPLAY"; exit 1; }

# shellcheck source=../common/checks.sh
source "$(dirname "$0")/../common/checks.sh"
# shellcheck source=../common/xwindows.sh
source "$(dirname "$0")/../common/xwindows.sh"

work=$(mktemp -d)
pid=
bus_pid=
stop() {
    [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
    pid=
}
cleanup() {
    stop
    [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -m 700 "$work/runtime" "$work/bin" "$work/launcher"

# Starts the program with no bus named, the given PATH and runtime directory (none if empty),
# and waits for its window.
start() {
    stop
    local runtime=(XDG_RUNTIME_DIR="${2-$work/runtime}")
    [ -n "${2-$work/runtime}" ] || runtime=(-u XDG_RUNTIME_DIR)
    env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS "${runtime[@]}" PATH="$1" \
        "$program" 2>>"$work/stderr" &
    pid=$!
    find_window Quorlant "$pid" >/dev/null
}

# The minor page faults of the children the program has waited for (the ninth field after the
# command's name in /proc/PID/stat): none if it never started one, more than none if it did.
# Read once the window is there: Qt's accessibility bridge asks for the session bus, and waits
# for the answer, while the window is built, so any launch has been tried and waited for by
# then. Case 2 shows that this count does see such a child.
children_faults() { sed 's/^.*) //' "/proc/$pid/stat" | cut -d' ' -f9; }
no_children() { [ "$(children_faults)" -eq 0 ]; }
some_children() { [ "$(children_faults)" -gt 0 ]; }

# Polls for up to 10 s for a command to succeed.
eventually() {
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

if [ -x /usr/bin/dbus-launch ] || [ -x /bin/dbus-launch ]; then
    # D-Bus would run that one before any on the PATH, and start a real bus.
    echo "SKIP: no bus and no dbus-launch, and a dbus-launch on the PATH (dbus-launch is installed)"
else
    # 1. Neither a bus nor dbus-launch, with a runtime directory and without one: the window
    # still comes, and no child was forked to try.
    check "no bus, no dbus-launch: the window appears" start "$work/bin"
    check "no bus, no dbus-launch: no child process was started" no_children
    check "no runtime directory either: the window appears" start "$work/bin" ""
    check "no runtime directory either: no child process was started" no_children

    # 2. A dbus-launch on the PATH: it is run, as D-Bus runs it, to start a bus.
    cat >"$work/launcher/dbus-launch" <<EOF
#!/bin/sh
echo "\$@" >"$work/launched"
exit 1
EOF
    chmod +x "$work/launcher/dbus-launch"
    check "a dbus-launch on the PATH: the window appears" start "$work/launcher"
    check "a dbus-launch on the PATH: it is run to start a bus" \
        eventually grep -q -- '--autolaunch' "$work/launched"
    check "a dbus-launch on the PATH: its process was waited for" eventually some_children
fi

# 3. A bus in the runtime directory only: the program connects to it, with no child either.
if ! command -v dbus-daemon >/dev/null || ! command -v dbus-send >/dev/null; then
    check "dbus-daemon and dbus-send are installed" false
else
    bus_pid=$(dbus-daemon --session --address="unix:path=$work/runtime/bus" --fork --print-pid=1)
    bus=(dbus-send --bus="unix:path=$work/runtime/bus" --print-reply --dest=org.freedesktop.DBus
        /org/freedesktop/DBus)
    connected() {
        local name
        for name in $("${bus[@]}" org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
            [ "$("${bus[@]}" org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" |
                awk '/uint32/ { print $2 }')" = "$pid" ] && return 0
        done
        return 1
    }
    check "a bus in the runtime directory: the window appears" start "$work/bin"
    check "a bus in the runtime directory: the program is connected to it" eventually connected
    check "a bus in the runtime directory: no child process was started" no_children
fi

stop
if [ "$failed" -gt 0 ] && [ -s "$work/stderr" ]; then
    sed 's/^/  stderr: /' "$work/stderr" | tail -20
fi
finish

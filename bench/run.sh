#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Builds and runs every benchmark: start-up against the plain Qt window, then the commands.
# Installs what is missing with apt (sudo when not root). Starts its own X servers, window
# manager, session bus and accessibility bus launcher, and ends each by its PID.
#
#   bash bench/run.sh                 everything (a few minutes)
#   bash bench/run.sh startup         start-up only
#   bash bench/run.sh commands        in-process command timings only
#   bash bench/run.sh input           input to box, with a window manager and a session bus
#
# STARTUP_RUNS (default 300) sets the number of start-up pairs; STARTUP_PROGRAM runs another
# build of the program against the baseline instead of the installed one. INPUT_RUNS (default
# 40) sets the runs of each input case. Results are also written to build/bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
case "$what" in
all | startup | commands | input) ;;
*)
    echo "usage: bash bench/run.sh [all|startup|commands|input]" >&2
    exit 2
    ;;
esac

# shellcheck source=../packages.sh
source packages.sh
install_missing "${build_packages[@]}" "${bench_packages[@]}"

build=build/bench
results=$build/results
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSALY_BENCH=ON -DTESSALY_TESTS=OFF \
    -DTESSALY_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
    --target Tessaly startup_probe baseline_window command_bench input_latency
# The program as users run it: installed, with its install-time library path.
cmake --install "$build" --prefix "$build/stage" >/dev/null
mkdir -p "$results"

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "Load average now: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine disturbs timings)"

# Our own processes, each ended by its PID.
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

# Ends the given processes by their PIDs, and forgets them.
end_processes() {
    local pid ended kept=() gone
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do
        # Our own children can be waited for; the forked bus daemons are polled.
        wait "$pid" 2>/dev/null || true
        for _ in $(seq 50); do [ -e "/proc/$pid" ] || break; sleep 0.1; done
    done
    for pid in "${pids[@]}"; do
        gone=0
        for ended in "$@"; do [ "$pid" = "$ended" ] && gone=1; done
        [ "$gone" = 1 ] || kept+=("$pid")
    done
    pids=("${kept[@]}")
}

a11y_get() {
    dbus-send --session --print-reply=literal --reply-timeout=2000 --dest=org.a11y.Bus \
        /org/a11y/bus "$@" 2>/dev/null
}

probe() {
    "$build/bench/startup_probe" --runs "$runs" "$@" Tessaly="$program" \
        baseline="$build/bench/baseline_window"
}

if [ "$what" = all ] || [ "$what" = startup ]; then
    # shellcheck source=../tests/common/xserver.sh
    source tests/common/xserver.sh
    runs=${STARTUP_RUNS:-300}
    program=${STARTUP_PROGRAM:-$build/stage/bin/Tessaly}

    # The headline: a session as a desktop user has one. A window manager frames the window,
    # a session bus runs with the accessibility bus launcher on it, and accessibility is left
    # as the launcher has it (not forced on): what Qt's accessibility bridge meets at start.
    start_x_server "$results/xvfb-desktop.log" || exit 1
    desktop=("$x_server_pid")
    bus_info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    desktop+=("$(sed -n 2p <<<"$bus_info")")
    pids+=("${desktop[@]}")
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_info")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$results/at-spi-bus-launcher.log" 2>&1 &
    launcher_pid=$!
    desktop+=("$launcher_pid")
    pids+=("$launcher_pid")
    for _ in $(seq 100); do a11y_get org.a11y.Bus.GetAddress >/dev/null && break; sleep 0.1; done
    a11y_address=$(a11y_get org.a11y.Bus.GetAddress | xargs) || {
        echo "The accessibility bus launcher does not answer on the session bus" >&2
        exit 1
    }
    # The launcher's own bus daemon, for ending it by its PID too.
    read -r -a children < <(cat /proc/"$launcher_pid"/task/*/children 2>/dev/null) || true
    desktop+=("${children[@]}")
    pids+=("${children[@]}")
    openbox --sm-disable >"$results/openbox.log" 2>&1 &
    desktop+=("$!")
    pids+=("$!")

    echo
    echo "== Start-up: exec to the main window mapped, desktop-like session (the headline)"
    echo "   window manager, session bus, accessibility bus at $a11y_address,"
    echo "   accessibility enabled: $(a11y_get org.freedesktop.DBus.Properties.Get \
        string:org.a11y.Status string:IsEnabled | xargs)"
    (
        unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY
        probe --window-manager
    ) | tee "$results/startup-desktop.txt"
    end_processes "${desktop[@]}"
    unset DBUS_SESSION_BUS_ADDRESS

    # The program alone on an X server: no window manager, no session bus.
    start_x_server "$results/xvfb-bare.log" || exit 1
    pids+=("$x_server_pid")
    echo
    echo "== Start-up: exec to the main window mapped, bare X server, no session bus"
    probe | tee "$results/startup-bare.txt"
fi

if [ "$what" = all ] || [ "$what" = commands ]; then
    echo
    echo "== Commands, in process, offscreen"
    QT_QPA_PLATFORM=offscreen "$build/bench/command_bench" \
        --benchmark_out="$results/commands.json" --benchmark_out_format=json |
        tee "$results/commands.txt"
fi

if [ "$what" = all ] || [ "$what" = input ]; then
    # As on a desktop: a window manager, which frames the boxes, and a session bus. A server
    # of its own, as the start-up runs need one with no window manager.
    # shellcheck source=../tests/common/xserver.sh
    source tests/common/xserver.sh
    start_x_server "$results/xvfb-input.log" || exit 1
    pids+=("$x_server_pid")
    openbox --sm-disable >"$results/openbox.log" 2>&1 &
    pids+=("$!")
    bus_info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    pids+=("$(sed -n 2p <<<"$bus_info")")
    echo
    echo "== Input to box: a key or click sent (XTEST) until its box is mapped, under openbox"
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_info") "$build/bench/input_latency" \
        --runs "${INPUT_RUNS:-40}" "$build/stage/bin/Tessaly" |
        tee "$results/input.txt"
fi

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Builds and runs the benchmarks; bench/README.md says what each measures and what sets the
# repetitions. Its own X server, buses and window manager are each ended by their PID.
#
#   bash bench/run.sh [all|startup|input|commands]
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
case "$what" in
all | startup | input | commands) ;;
*)
    echo "usage: bash bench/run.sh [all|startup|input|commands]" >&2
    exit 2
    ;;
esac
want() { [ "$what" = all ] || [ "$what" = "$1" ]; }

# shellcheck source=../packages.sh
source packages.sh
install_missing "${build_packages[@]}" "${bench_packages[@]}"

build=build/bench
results=$build/results
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSALY_BENCH=ON -DTESSALY_TESTS=OFF \
    -DTESSALY_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)" \
    --target Tessaly debian_docs startup_probe baseline_window command_bench input_latency
# The program as users run it: installed, with its install-time library path.
cmake --install "$build" --prefix "$build/stage" >/dev/null
program=$build/stage/bin/Tessaly
mkdir -p "$results"
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

a11y_get() {
    dbus-send --session --print-reply=literal --reply-timeout=2000 --dest=org.a11y.Bus \
        /org/a11y/bus "$@" 2>/dev/null
}

# What a desktop user's program starts into: a window manager that frames its windows, and a
# private session bus with the accessibility bus launcher on it. Accessibility is left as the
# launcher has it, as on a desktop with no screen reader running.
if want startup || want input; then
    # shellcheck source=../tests/common/xserver.sh
    source tests/common/xserver.sh
    start_x_server "$results/xvfb.log" || exit 1
    pids+=("$x_server_pid")
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    pids+=("$(sed -n 2p <<<"$bus")")
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$results/at-spi-bus-launcher.log" 2>&1 &
    launcher=$!
    pids+=("$launcher")
    for _ in $(seq 100); do a11y_get org.a11y.Bus.GetAddress >/dev/null && break; sleep 0.1; done
    a11y_get org.a11y.Bus.GetAddress >/dev/null || {
        echo "The accessibility bus launcher does not answer on the session bus" >&2
        exit 1
    }
    # The launcher's own bus daemon, to be ended by its PID too.
    read -r -a children < <(cat /proc/"$launcher"/task/*/children 2>/dev/null) || true
    pids+=("${children[@]}")
    openbox --sm-disable >"$results/openbox.log" 2>&1 &
    pids+=("$!")
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY
    echo "Session: openbox, a session bus, the accessibility bus (enabled: $(a11y_get \
        org.freedesktop.DBus.Properties.Get string:org.a11y.Status string:IsEnabled | xargs))"
fi

if want startup; then
    echo
    echo "== Start-up: exec to the main window viewable, against the plain Qt window"
    "$build/bench/startup_probe" --runs "${STARTUP_RUNS:-300}" Tessaly="$program" \
        baseline="$build/bench/baseline_window" | tee "$results/startup.txt"
fi

if want input; then
    echo
    echo "== Input to box: a key or click sent (XTEST) until its box is viewable"
    "$build/bench/input_latency" --runs "${INPUT_RUNS:-40}" "$program" | tee "$results/input.txt"
fi

if want commands; then
    echo
    echo "== Commands, in process, offscreen"
    QT_QPA_PLATFORM=offscreen "$build/bench/command_bench" \
        --benchmark_out="$results/commands.json" --benchmark_out_format=json |
        tee "$results/commands.txt"
fi

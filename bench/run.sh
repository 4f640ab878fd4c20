#!/usr/bin/env bash
# Builds and runs every benchmark: start-up against the plain Qt window, then the commands.
# Installs what is missing with apt (sudo when not root), starts its own X server and ends it.
#
#   bash bench/run.sh                 everything (a few minutes)
#   bash bench/run.sh startup         start-up only
#   bash bench/run.sh commands        in-process command timings only
#   bash bench/run.sh input           input to box, with a window manager and a session bus
#
# STARTUP_RUNS (default 300) sets the number of start-up pairs. INPUT_RUNS (default 40) sets the
# runs of each input case; INPUT_FULL=1 also fills the school list to 32,767 (many minutes).
# Results are also written to build/bench/results/.
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

packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libxcb1-dev libfontconfig-dev libgl-dev
    fonts-dejavu-core libbenchmark-dev xvfb xauth dbus-daemon libxcb-xtest0-dev openbox)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

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

if [ "$what" = all ] || [ "$what" = startup ]; then
    # shellcheck source=../tests/common/xserver.sh
    source tests/common/xserver.sh
    start_x_server "$results/xvfb.log" || exit 1
    pids+=("$x_server_pid")
    runs=${STARTUP_RUNS:-300}

    echo
    echo "== Start-up: exec to the main window mapped, bare X server, no session bus"
    env -u DBUS_SESSION_BUS_ADDRESS "$build/bench/startup_probe" --runs "$runs" \
        Tessaly="$build/stage/bin/Tessaly" baseline="$build/bench/baseline_window" |
        tee "$results/startup-no-bus.txt"

    # A desktop session always has a session bus; Qt's accessibility bridge connects to it
    # before the first window maps, so measure that case too, with a private bus.
    bus_info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    pids+=("$(sed -n 2p <<<"$bus_info")")
    echo
    echo "== Start-up: the same, with a session bus as on a desktop"
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_info") "$build/bench/startup_probe" \
        --runs "$runs" Tessaly="$build/stage/bin/Tessaly" \
        baseline="$build/bench/baseline_window" | tee "$results/startup-session-bus.txt"
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
    full=()
    [ "${INPUT_FULL:-0}" = 0 ] || full=(--full)
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_info") "$build/bench/input_latency" \
        --runs "${INPUT_RUNS:-40}" "${full[@]}" "$build/stage/bin/Tessaly" |
        tee "$results/input.txt"
fi

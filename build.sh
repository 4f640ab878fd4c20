#!/usr/bin/env bash
# Installs what is missing, builds, and then either launches Tessaly or runs every test.
#
#   bash build.sh run    build and open the program (needs a desktop session)
#   bash build.sh test   build and run the whole test suite (starts its own X server)
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac

# Debian/Ubuntu packages the build needs, and the ones only the tests need.
build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libxcb1-dev
    libfontconfig-dev libgl-dev fonts-dejavu-core)
test_packages=(xvfb xauth x11-utils xdotool python3 desktop-file-utils appstream dpkg-dev file
    dbus at-spi2-core python3-pyatspi valgrind clang libclang-rt-dev)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

if [ "$mode" = run ]; then
    install_missing "${build_packages[@]}"
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTESSALY_TESTS=OFF >/dev/null
    cmake --build build/release -j "$jobs"
    exec build/release/Tessaly
fi

install_missing "${build_packages[@]}" "${test_packages[@]}"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DTESSALY_WERROR=ON >/dev/null
cmake --build build/test -j "$jobs"

# A private X server for the tests that need a real window; ended by its PID.
x_server_pid=
trap '[ -z "$x_server_pid" ] || kill "$x_server_pid" 2>/dev/null || true' EXIT
# shellcheck source=tests/common/xserver.sh
source tests/common/xserver.sh
start_x_server build/test/xvfb.log || exit 1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

ctest --test-dir build/test --output-on-failure -j "$jobs"

# The whole suite again, built with clang under AddressSanitizer (LeakSanitizer on) and
# UndefinedBehaviorSanitizer, with a bounded fuzzing run of Val.
CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSALY_WERROR=ON \
    -DTESSALY_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

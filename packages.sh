# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# The Debian/Ubuntu packages Tessaly needs, in one place, and the function that installs what
# is missing of them (with sudo when not run as root). Sourced by build.sh and bench/run.sh.

# To build and run the program; qt6-wayland lets it run natively on a Wayland desktop, and
# libicu-dev gives the sorted lists their collation order.
build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-wayland libxcb1-dev
    libgl-dev libicu-dev fonts-dejavu-core)
# To run the test suite: llvm's symbolizer names the frames of a sanitizer's report, and
# qt6-base-private-dev lets a test resize the offscreen platform's screen through its hook.
test_packages=(xvfb xauth x11-utils x11-xkb-utils xdotool xclip openbox icewm weston sway python3
    desktop-file-utils appstream dpkg-dev file lintian dbus at-spi2-core python3-pyatspi valgrind
    clang libclang-rt-dev llvm qt6-base-private-dev)
# To run the benchmarks.
bench_packages=(libbenchmark-dev libxcb-xtest0-dev xvfb xauth x11-utils dbus-daemon dbus-bin at-spi2-core
    openbox)

install_missing() {
    local missing=() package
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

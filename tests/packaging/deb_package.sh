#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Builds the .deb the way a release would, reads its control fields and contents, asks apt
# whether it could be installed here, then unpacks it and starts the packaged binary on the X
# server in DISPLAY to prove the shipped file runs and opens its main window.
#
#   deb_package.sh <cpack> <build dir> <project version> <app id>
set -uo pipefail
cpack=$1 build_dir=$2 version=$3 app_id=$4

tmp=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

# shellcheck source=../common/checks.sh
source "$(dirname "$0")/../common/checks.sh"
# shellcheck source=../common/xwindows.sh
source "$(dirname "$0")/../common/xwindows.sh"

arch=$(dpkg --print-architecture)
deb=$tmp/tessaly_${version}_$arch.deb
if ! "$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    check "cpack builds a .deb" false
    finish
fi
check "cpack names the package the Debian way ($(basename "$deb"))" test -f "$deb"
[ -f "$deb" ] || { ls "$tmp"; finish; }

field() { dpkg-deb -f "$deb" "$1"; }
check "Package is tessaly" test "$(field Package)" = tessaly
check "Version is $version" test "$(field Version)" = "$version"
check "Architecture is $arch" test "$(field Architecture)" = "$arch"
check "Maintainer is set" grep -q '^[^<]\+ <[^@>]\+@[^>]\+>$' <<<"$(field Maintainer)"
check "Section is set" test -n "$(field Section)"
check "Description has a summary and a long part" test "$(field Description | wc -l)" -gt 1

# Bare package names, one a line: "libc6 (>= 2.34), a | b" gives libc6, a and b.
depends=$(field Depends)
names=$(tr ',|' '\n' <<<"$depends" | sed 's/(.*)//; s/^ *//; s/ *$//' | grep -v '^$')
for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-dejavu-core qt6-wayland; do
    check "Depends on $package" grep -qx "$package" <<<"$names"
done
[ "$failed" -eq 0 ] || echo "Depends: $depends"

# "-rwxr-xr-x root/root 173280 2026-12-08 05:25 ./usr/bin/Tessaly" -> mode, owner, path.
contents=$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')
for path in usr/bin/Tessaly "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" "usr/share/icons/hicolor/16x16/apps/$app_id.png" \
    "usr/share/icons/hicolor/32x32/apps/$app_id.png"; do
    check "ships /$path" grep -q " \./$path\$" <<<"$contents"
done
check "the binary is executable by everyone" grep -q '^-rwxr-xr-x .* \./usr/bin/Tessaly$' <<<"$contents"
check "every file belongs to root" test -z "$(awk '$2 != "root/root"' <<<"$contents")"
check "nothing outside /usr" test -z "$(awk '$3 !~ /^\.\/(usr\/.*)?$/' <<<"$contents")"

# Debian's own checker: no error and no warning (its informational notes are left aside).
check "lintian finds no error or warning" quietly lintian --fail-on error,warning "$deb"

# Simulation needs no root and changes nothing, but resolves Depends like a real install.
if out=$(apt-get install --simulate --reinstall --no-install-recommends "$deb" 2>&1) &&
    grep -q '^Inst tessaly ' <<<"$out"; then
    check "apt can resolve the dependencies" true
else
    echo "$out"
    check "apt can resolve the dependencies" false
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/Tessaly
stripped() { file -b "$1" | grep -q ', stripped$'; }
check "the packaged binary is stripped" stripped "$program"

if [ -z "${DISPLAY:-}" ]; then
    check "an X server is in DISPLAY" false
    finish
fi
"$program" >"$tmp/program.log" 2>&1 &
pid=$!
window=$(find_window Quorlant "$pid")
check "the packaged binary opens a window titled Quorlant" test -n "$window"
if [ -n "$window" ]; then
    # Launchers and taskbars match the running window to its desktop entry by class.
    wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    startup_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$app_id.desktop")
    check "window class ($wm_class) matches StartupWMClass ($startup_class)" \
        test -n "$wm_class" -a "$wm_class" = "$startup_class"
fi
check "the program was still running when ended" kill "$pid"
wait "$pid" 2>/dev/null
pid=
[ "$failed" -eq 0 ] || cat "$tmp/program.log"

finish

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Installs the build into a scratch prefix and checks what a desktop would find there:
# exactly the expected files, icons of the sizes their folders claim, and a launcher,
# software-centre entry and icon that all refer to each other by the installed names.
#
#   install_tree.sh <cmake> <build dir> <project version> <app id>
set -uo pipefail
cmake=$1 build_dir=$2 version=$3 app_id=$4

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The /usr level lets appstreamcli treat the scratch directory as a system root.
prefix=$tmp/usr

# shellcheck source=../common/checks.sh
source "$(dirname "$0")/../common/checks.sh"

if ! "$cmake" --install "$build_dir" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    check "cmake --install succeeds" false
    finish
fi
check "cmake --install succeeds" true

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml

expected=$(printf '%s\n' bin/Tessaly "share/applications/$app_id.desktop" \
    "share/metainfo/$app_id.metainfo.xml" "share/icons/hicolor/16x16/apps/$app_id.png" \
    "share/icons/hicolor/32x32/apps/$app_id.png" share/doc/tessaly/copyright \
    share/doc/tessaly/changelog.gz share/man/man1/Tessaly.1.gz | sort)
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
check "exactly the expected files are installed" test "$actual" = "$expected"
[ "$actual" = "$expected" ] || diff <(echo "$expected") <(echo "$actual")

# First bytes of a file as bare hex, e.g. "7f454c46".
hex() { od -An -tx1 -j "$2" -N "$3" "$1" 2>/dev/null | tr -d ' \n'; }

check "bin/Tessaly is executable" test -x "$prefix/bin/Tessaly"
check "bin/Tessaly is an ELF binary" test "$(hex "$prefix/bin/Tessaly" 0 4)" = 7f454c46
# It finds its libraries where the system keeps them, not in the install's own folders first.
check "bin/Tessaly carries no library search path" \
    bash -c '! readelf -d "$1" | grep -Eq "\((RPATH|RUNPATH)\)"' _ "$prefix/bin/Tessaly"

# The hicolor theme trusts the folder name, so a 32 px image in the 16x16 folder would be
# scaled wrongly rather than rejected.
for size in 16 32; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    check "${size}x${size} icon is a PNG" test "$(hex "$png" 0 8)" = 89504e470d0a1a0a
    # IHDR: width and height as big-endian 32-bit words at 16 and 20, colour type at 25.
    width=$(hex "$png" 16 4) height=$(hex "$png" 20 4)
    check "${size}x${size} icon measures $((16#${width:-0})) by $((16#${height:-0}))" \
        test "$width$height" = "$(printf '%08x%08x' "$size" "$size")"
    check "${size}x${size} icon has an alpha channel" test "$(hex "$png" 25 1)" = 06
done

entry() { sed -n "s/^$1=//p" "$desktop"; }
icon=$(entry Icon)
check "desktop Icon= ($icon) is the app id" test "$icon" = "$app_id"
for size in 16 32; do
    check "desktop Icon= resolves at ${size}x${size}" \
        test -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
done
exec_cmd=$(entry Exec)
check "desktop Exec= ($exec_cmd) names the installed binary" test -x "$prefix/bin/${exec_cmd%% *}"
check "desktop entry is an application" test "$(entry Type)" = Application

# Tolerates attributes and surrounding whitespace, which is all this file ever varies in.
element() { sed -n "s|.*<$1[^>]*>[[:space:]]*\([^<]*[^<[:space:]]\)[[:space:]]*</$1>.*|\1|p" "$metainfo"; }
launchable=$(element launchable)
check "metainfo launchable ($launchable) is the installed desktop file" \
    test "$launchable" = "$(basename "$desktop")"
check "metainfo id matches the desktop file" test "$(element id)" = "$app_id"
binary=$(element binary)
check "metainfo provides the installed binary ($binary)" test -x "$prefix/bin/$binary"
release=$(sed -n 's|.*<release[^>]*version="\([^"]*\)".*|\1|p' "$metainfo" | head -n1)
check "newest metainfo release ($release) is the project version $version" test "$release" = "$version"

check "desktop-file-validate is silent" silently desktop-file-validate "$desktop"
check "appstreamcli validate passes" quietly appstreamcli validate --no-net --explain "$metainfo"
# Checks the metainfo against the rest of the tree: launchable, icon lookup and binaries.
check "appstreamcli validate-tree passes" quietly appstreamcli validate-tree --no-net --explain "$tmp"

finish

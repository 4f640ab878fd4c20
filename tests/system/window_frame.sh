#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Starts the built program in a real X window and reads what it tells the window manager:
# its title, no taskbar button, a fixed size, no minimize or maximize, and its icon.
set -euo pipefail
program=$1
[ -n "${DISPLAY:-}" ] || { echo "FAIL: needs an X server in DISPLAY"; exit 1; }

# shellcheck source=../common/checks.sh
source "$(dirname "$0")/../common/checks.sh"
# shellcheck source=../common/xwindows.sh
source "$(dirname "$0")/../common/xwindows.sh"

# The program takes no command line: what Qt would read as its options changes nothing.
"$program" -qwindowtitle Hijacked &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

window=$(find_window Quorlant "$pid") || { echo "FAIL: no window titled Quorlant appeared"; exit 1; }

props=$(xprop -id "$window")
check "title is Quorlant" grep -q '^_NET_WM_NAME(UTF8_STRING) = "Quorlant"$' <<<"$props"
check "no taskbar button" grep -q '^_NET_WM_STATE(ATOM) = .*_NET_WM_STATE_SKIP_TASKBAR' <<<"$props"

min=$(sed -n 's/.*program specified minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$props")
max=$(sed -n 's/.*program specified maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$props")
check "minimum size is set ($min)" test -n "$min"
check "minimum size equals maximum size ($max)" test "$min" = "$max"
height=${min##* by }
check "client area 346 wide below a menu bar ($min)" test "${min%% by *}" = 346 -a "$height" -gt 245

# _MOTIF_WM_HINTS = flags, functions, decorations, input mode, status.
read -r flags functions decorations _ < <(sed -n 's/^_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = //p' <<<"$props" | tr -d ',')
check "window manager hints are set" test -n "${flags:-}"
check "functions and decorations are given" test $((flags & 3)) -eq 3
check "no minimize or maximize function" test $((functions & (8 | 16))) -eq 0
check "no minimize or maximize button" test $((decorations & (32 | 64))) -eq 0
check "a close function" test $((functions & 32)) -ne 0

# The icon follows the window's first frame, so it may take a moment.
has_icons() { # the icon property holds both sizes of the program's picture
    local icon
    icon=$(xprop -id "$window" _NET_WM_ICON)
    grep -q 'Icon (16 x 16)' <<<"$icon" && grep -q 'Icon (32 x 32)' <<<"$icon"
}
for _ in $(seq 200); do
    has_icons && break
    sleep 0.05
done
check "the icon, at 16 and 32 pixels, reaches the window manager" has_icons

finish

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# The X server that CTest's tests of real windows share: "start STATE" starts a private Xvfb
# and writes its display and PID to STATE; "stop STATE" ends it by that PID.
set -euo pipefail
action=$1 state=$2
case "$action" in
start)
    # shellcheck source=xserver.sh
    source "$(dirname "$0")/xserver.sh"
    # Detached from CTest's output pipes, which it would otherwise hold open.
    start_x_server "$state.log" </dev/null || exit 1
    printf '%s %s\n' "$DISPLAY" "$x_server_pid" >"$state"
    ;;
stop)
    [ -f "$state" ] || exit 0
    read -r _ pid <"$state"
    kill "$pid" 2>/dev/null || true
    rm -f "$state"
    ;;
esac

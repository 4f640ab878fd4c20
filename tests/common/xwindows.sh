# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Shared by the shell-script tests that look at the program's windows on a real X server.

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Prints the id of the shown top-level window with this title, polling for up to 20 s. With a
# PID, only a window that names that process as its owner counts (another test may have its own
# window of that title open on the display), and it gives up as soon as the process has ended.
find_window() {
    local title=$1 pid=${2:-} id
    for _ in $(seq 400); do
        for id in $(xwininfo -root -tree 2>/dev/null |
            awk -v t="\"$title\":" '$2 " " $3 ~ t || $2 == t { print $1 }'); do
            viewable "$id" || continue
            [ -z "$pid" ] || xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$" || continue
            echo "$id"
            return 0
        done
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

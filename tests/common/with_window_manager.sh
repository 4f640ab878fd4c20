#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Runs a test script under a private X server and a real window manager, started here and ended
# by their PIDs however the script ends:
#
#   with_window_manager.sh openbox|icewm|none SCRIPT ARGS...
#
# The script is run with Debian's python3 when it ends in .py (the AT-SPI client library is
# Debian's), else with bash.
set -euo pipefail
window_manager=$1 script=$2
shift 2

# shellcheck source=xserver.sh
source "$(dirname "$0")/xserver.sh"

work=$(mktemp -d)
x_server_pid= wm_pid=
cleanup() {
    [ -z "$wm_pid" ] || { kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null || true; }
    [ -z "$x_server_pid" ] || { kill "$x_server_pid" 2>/dev/null; wait "$x_server_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

case $window_manager in
openbox) wm=(openbox --sm-disable) ;;
icewm) wm=(icewm) ;;
none) wm=(true) ;; # a bare X server, where nobody but the program hands out the focus
*) echo "FAIL: unknown window manager $window_manager"; exit 1 ;;
esac
for tool in "${wm[0]}" Xvfb xprop xdotool; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

start_x_server "$work/xvfb.log"
if [ "$window_manager" != none ]; then
# An empty home, so that no settings of the user's change what is tested.
HOME=$work "${wm[@]}" >"$work/wm.log" 2>&1 &
wm_pid=$!
# The window manager is running once it names its check window on the root window.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 200); do
    wm_running && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
done
wm_running || { echo "FAIL: $window_manager did not start"; cat "$work/wm.log"; exit 1; }
fi

case $script in
*.py) /usr/bin/python3 "$script" "$@" ;;
*) bash "$script" "$@" ;;
esac

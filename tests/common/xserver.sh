# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# A private X server, for the test run and the benchmarks: started on a free display number,
# which it picks itself, and exported as DISPLAY. Its PID is left in x_server_pid, for the
# caller to end it by.
#
# Without -noreset the server resets whenever its last client leaves, and refuses a program
# that connects meanwhile: one test's program ending as the next one's starts.
start_x_server() {
    local log=$1 display_fd display_number
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
    x_server_pid=$!
    read -r -t 30 display_number <&"$display_fd" || {
        echo "Xvfb did not start; see $log" >&2
        return 1
    }
    exec {display_fd}<&-
    export DISPLAY=":$display_number"
}

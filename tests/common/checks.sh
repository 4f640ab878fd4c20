# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Shared by the shell-script tests: count named checks and close with the line CTest reads.
passed=0 failed=0
check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        echo "PASS: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}
# For check: runs a command with what it prints held back, and shown only when it fails.
quietly() {
    local out
    out=$("$@" 2>&1) && return 0
    echo "$out"
    return 1
}
# The same, for a command that must also print nothing.
silently() {
    local out
    out=$("$@" 2>&1) && [ -z "$out" ] && return 0
    echo "$out"
    return 1
}
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

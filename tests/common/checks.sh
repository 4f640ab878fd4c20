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
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Runs test programs that drive the real windows offscreen under valgrind's memcheck: any
# invalid read or write, use of an uninitialised value, or block definitely lost fails.
# Usage: memcheck.sh TEST-PROGRAM...
set -uo pipefail
failures=0
for program in "$@"; do
    log=$(mktemp)
    # QRegularExpression compiles to machine code at run time, which memcheck cannot follow.
    if QT_QPA_PLATFORM=offscreen QT_ENABLE_REGEXP_JIT=0 valgrind --tool=memcheck --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite --error-exitcode=99 \
        --num-callers=30 --suppressions="$(dirname "$0")/memcheck.supp" "$program" >"$log" 2>&1; then
        echo "PASS: $(basename "$program"): $(grep -o 'ERROR SUMMARY: [0-9]* errors' "$log")"
    else
        echo "FAIL: $(basename "$program"):"
        grep -E '==[0-9]+== ' "$log" | head -80
        grep -E '^(FAIL|Totals)' "$log"
        failures=$((failures + 1))
    fi
    rm -f "$log"
done
[ "$failures" -eq 0 ]

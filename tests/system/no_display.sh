#!/usr/bin/env bash
# Started where no window can be opened, the program says why in one line on stderr and exits
# with status 1: not a paragraph, not an abort with a core dump.
set -uo pipefail
program=$1
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# description, expected start of the line, then the environment changes to run the program with
check() {
    local what=$1 expected=$2
    shift 2
    local status=0
    (cd "$work" && ulimit -c unlimited && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" \
        "$program" >"$work/out" 2>"$work/err") || status=$?
    local lines
    lines=$(wc -l <"$work/err")
    if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && [ ! -s "$work/out" ] &&
        grep -q "^$expected" "$work/err" && [ -z "$(ls "$work" | grep -v '^out$\|^err$')" ]; then
        echo "PASS: $what: $(cat "$work/err")"
    else
        echo "FAIL: $what: status $status, $lines lines on stderr:"
        sed 's/^/    /' "$work/err"
        failures=$((failures + 1))
    fi
    rm -f "$work"/*
}

check "no DISPLAY" "Tessaly: cannot start its windows: no display is set" -u DISPLAY
check "an empty DISPLAY" "Tessaly: cannot start its windows: no display is set" DISPLAY=
check "a display nobody serves" \
    "Tessaly: cannot start its windows: could not connect to display :4711" DISPLAY=:4711
check "a window system that is not there" \
    "Tessaly: cannot start its windows: Could not find the Qt platform plugin \"none\"" \
    QT_QPA_PLATFORM=none

[ "$failures" -eq 0 ]

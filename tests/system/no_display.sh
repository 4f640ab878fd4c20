#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Started where no window can be opened, the program says why in one line on stderr and exits
# with status 1: not a paragraph, not an abort with a core dump.
set -uo pipefail
program=$1
# shellcheck source=../common/checks.sh
source "$(dirname "$0")/../common/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the program with the environment changes given after the expected start of its one
# line, in an empty folder where a core dump would show; says what it saw when that differs.
says_one_line() {
    local expected=$1
    shift
    local status=0
    (cd "$work" && ulimit -c unlimited && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" \
        "$program" >"$work/out" 2>"$work/err") || status=$?
    local lines
    lines=$(wc -l <"$work/err")
    local ok=0
    [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && [ ! -s "$work/out" ] &&
        grep -q "^$expected" "$work/err" && [ -z "$(ls "$work" | grep -v '^out$\|^err$')" ] || ok=1
    if [ "$ok" -eq 0 ]; then
        echo "    $(cat "$work/err")"
    else
        echo "    status $status, $lines lines on stderr:"
        sed 's/^/    /' "$work/err"
    fi
    rm -f "$work"/*
    return "$ok"
}

check "no DISPLAY" says_one_line "Tessaly: cannot start its windows: no display is set" -u DISPLAY
check "an empty DISPLAY" says_one_line "Tessaly: cannot start its windows: no display is set" DISPLAY=
check "a display nobody serves" says_one_line \
    "Tessaly: cannot start its windows: could not connect to display :4711" DISPLAY=:4711
check "a window system that is not there" says_one_line \
    "Tessaly: cannot start its windows: Could not find the Qt platform plugin \"none\"" \
    QT_QPA_PLATFORM=none
finish

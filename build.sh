#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Installs what is missing, builds, and then either launches Tessaly or runs every test.
#
#   bash build.sh run    build and open the program (needs a desktop session)
#   bash build.sh test   build and run the whole test suite (it starts its own X server)
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac

# shellcheck source=packages.sh
source packages.sh
jobs=$(nproc 2>/dev/null || echo 2)

if [ "$mode" = run ]; then
    install_missing "${build_packages[@]}"
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$jobs"
    exec build/release/Tessaly
fi

install_missing "${build_packages[@]}" "${test_packages[@]}"
cmake --preset test >/dev/null
cmake --build --preset test -j "$jobs"
ctest --preset test -j "$jobs"

# The whole suite again, built with clang under AddressSanitizer (LeakSanitizer on) and
# UndefinedBehaviorSanitizer, with a bounded fuzzing run of Val.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

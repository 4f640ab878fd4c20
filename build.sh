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
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTESSALY_TESTS=OFF >/dev/null
    cmake --build build/release -j "$jobs"
    exec build/release/Tessaly
fi

install_missing "${build_packages[@]}" "${test_packages[@]}"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DTESSALY_WERROR=ON >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

# The whole suite again, built with clang under AddressSanitizer (LeakSanitizer on) and
# UndefinedBehaviorSanitizer, with a bounded fuzzing run of Val.
CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSALY_WERROR=ON \
    -DTESSALY_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

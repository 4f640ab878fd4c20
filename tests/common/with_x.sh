#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelmora developers
# SPDX-License-Identifier: MIT

# Runs a command on the shared X server of tests/common/xfixture.sh: with_x.sh STATE COMMAND...
set -euo pipefail
state=$1
shift
read -r display _ <"$state"
export DISPLAY=$display QT_QPA_PLATFORM=xcb
exec "$@"

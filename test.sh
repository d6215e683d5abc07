#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs the whole test suite headless.
#   ./test.sh              the normal build
#   ./test.sh --sanitize   everything built with AddressSanitizer and UBSan (build-sanitize)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="$ROOT/build"
if [ "${1:-}" = "--sanitize" ]; then
    "$ROOT/scripts/setup.sh" Debug --sanitize
    BUILD_DIR="$ROOT/build-sanitize"
    # Qt and the fonts keep caches for the whole run; leaks are not what this run looks for.
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
    "$ROOT/scripts/setup.sh" Release
fi
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"

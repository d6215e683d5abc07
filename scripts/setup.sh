#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Morvane needs (only the missing ones) and builds it.
# Usage: scripts/setup.sh [Release|Debug] [--sanitize]   (called by run.sh and test.sh)
# With --sanitize the build goes to build-sanitize, with AddressSanitizer and UBSan.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_TYPE="${1:-Release}"
BUILD_DIR="$ROOT/build"
OPTIONS=()
if [ "${2:-}" = "--sanitize" ]; then
    BUILD_DIR="$ROOT/build-sanitize"
    OPTIONS+=(-DMORVANE_SANITIZE=ON)
fi

# The second line makes and loads the translations; the third is for the install check: the
# package and the tools that judge it.
PACKAGES=(cmake g++ make qt6-base-dev libqscintilla2-qt6-dev libgl-dev fonts-liberation libqt6svg6
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          desktop-file-utils dpkg-dev file man-db lintian devscripts appstream reuse)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" "${OPTIONS[@]}" >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

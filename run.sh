#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds a Release and starts Morvane.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$ROOT/scripts/setup.sh" Release
exec "$ROOT/build/bin/morvane" "$@"

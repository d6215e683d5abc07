#!/usr/bin/env bash
# Installs what is missing, builds a Release and starts Morvane.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$ROOT/scripts/setup.sh" Release
exec "$ROOT/build/bin/morvane" "$@"

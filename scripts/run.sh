#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it.
# Arguments go to the game, e.g. scripts/run.sh --device tablet
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >&2
exec "${KESTRUNE_BUILD_DIR:-$root/build}/src/app/kestrune" "$@"

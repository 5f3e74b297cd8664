#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs the tests headless.
# Arguments go to ctest, e.g. scripts/test.sh -R game
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KESTRUNE_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 "$@"

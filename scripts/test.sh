#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs the tests headless.
# Arguments go to ctest, e.g. scripts/test.sh -R game
# With CI=true (as CI services set it) every warning is an error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KESTRUNE_BUILD_DIR:-$root/build}
werror=OFF
if [ "${CI:-}" = true ]; then werror=ON; fi
"$root/scripts/setup.sh" -DKESTRUNE_WERROR=$werror
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"${KESTRUNE_JOBS:-$(nproc)}" "$@"

#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs the tests headless.
# Arguments go to ctest, e.g. scripts/test.sh -R game
# With CI=true (as CI services set it) every warning is an error.
# With KESTRUNE_SANITIZE=address,undefined (or thread) it builds in a folder
# of its own (build-address-undefined, ...) with the sanitizers, without the
# benchmarks, and the first report fails the test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=${KESTRUNE_SANITIZE:-}
if [ -n "$sanitize" ]; then
    export KESTRUNE_BUILD_DIR=${KESTRUNE_BUILD_DIR:-$root/build-${sanitize//,/-}}
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_stack_use_after_return=1:strict_init_order=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$root/tests/tsan.supp}
fi
build=${KESTRUNE_BUILD_DIR:-$root/build}
werror=OFF
if [ "${CI:-}" = true ]; then werror=ON; fi
if [ -n "$sanitize" ]; then
    # Warnings are the plain build's to fail on: the sanitizers change the code
    # the compiler reasons about and add some of their own.
    "$root/scripts/setup.sh" -DKESTRUNE_WERROR=OFF -DKESTRUNE_SANITIZE="$sanitize" -DKESTRUNE_BUILD_BENCH=OFF
else
    "$root/scripts/setup.sh" -DKESTRUNE_WERROR=$werror
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"${KESTRUNE_JOBS:-$(nproc)}" "$@"

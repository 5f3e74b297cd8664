#!/usr/bin/env bash
# Installs what the build needs (when missing), configures and builds.
# Usage: scripts/setup.sh [extra cmake arguments]
# KESTRUNE_BUILD_DIR chooses the build folder (default: build), KESTRUNE_JOBS
# the number of parallel jobs (default: the machine's core count).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KESTRUNE_BUILD_DIR:-$root/build}

mapfile -t packages < <(grep -v '^\s*\(#\|$\)' "$root/scripts/packages.txt")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "setup.sh: not root and no sudo; install as root: apt-get install ${missing[*]}" >&2
            exit 1
        fi
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${KESTRUNE_BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$build" -j"${KESTRUNE_JOBS:-$(nproc)}"

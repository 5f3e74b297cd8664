#!/usr/bin/env bash
# Builds the Debian packages (kestrune, kestrune-server) from a build folder,
# lints them, and tries them: as root it installs them with dpkg, runs the
# installed programs, purges them and checks that nothing of theirs is left;
# otherwise it unpacks them into a temporary root and runs them from there.
# Usage: scripts/package-check.sh [BUILD_FOLDER]   (default: build, or
# KESTRUNE_BUILD_DIR). The folder is configured for the packages' layout
# (prefix /usr, the game in /usr/games); only the packaged targets are built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-${KESTRUNE_BUILD_DIR:-$root/build}}")
jobs=${KESTRUNE_JOBS:-$(nproc)}

say() { printf 'package-check: %s\n' "$*"; }
fail() {
    printf 'package-check: FAILED: %s\n' "$*" >&2
    exit 1
}
for tool in cmake cpack lintian dpkg-deb dpkg-shlibdeps file gzip; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/packages.txt lists what to install)"
done

# --- Build ------------------------------------------------------------------
configure=(-DCMAKE_INSTALL_PREFIX=/usr -DKESTRUNE_INSTALL_GAMEDIR=games)
if [ ! -f "$build/CMakeCache.txt" ]; then
    configure+=(-G Ninja -DCMAKE_BUILD_TYPE="${KESTRUNE_BUILD_TYPE:-RelWithDebInfo}")
fi
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" 2>/dev/null; }
if [ "$(cache CMAKE_INSTALL_PREFIX)" != /usr ] || [ "$(cache KESTRUNE_INSTALL_GAMEDIR)" != games ]; then
    say "configuring $build for the packages: prefix /usr, the game in games/ (was: $(cache CMAKE_INSTALL_PREFIX) $(cache KESTRUNE_INSTALL_GAMEDIR))"
fi
cmake -S "$root" -B "$build" "${configure[@]}" >/dev/null
targets=(kestrune kestrune_http_curl)
expected=(kestrune)
if [ "$(cache KESTRUNE_BUILD_SERVER)" = ON ]; then
    targets+=(kestrune-server)
    expected+=(kestrune-server)
fi
cmake --build "$build" -j"$jobs" --target "${targets[@]}"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack -G DEB"
version=$(cache CMAKE_PROJECT_VERSION)
arch=$(dpkg --print-architecture)
debs=()
for package in "${expected[@]}"; do
    deb="$build/packages/${package}_${version}_${arch}.deb"
    [ -f "$deb" ] || fail "cpack made no $(basename "$deb")"
    debs+=("$deb")
done
say "built ${debs[*]#"$build/"}"

# --- What is in them ----------------------------------------------------------
for deb in "${debs[@]}"; do
    name=$(basename "$deb")
    # Root owns everything; programs 0755, every other file 0644, folders 0755.
    bad=$(dpkg-deb -c "$deb" | awk '
        $2 != "root/root" { print "owner " $2 ": " $6; next }
        $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "mode " $1 ": " $6; next }
        $1 ~ /^-/ && $6 ~ /^\.\/usr\/(bin|games)\// && $1 != "-rwxr-xr-x" { print "mode " $1 ": " $6; next }
        $1 ~ /^-/ && $6 !~ /^\.\/usr\/(bin|games)\// && $1 != "-rw-r--r--" { print "mode " $1 ": " $6 }')
    [ -z "$bad" ] || fail "$name: $bad"
    # No run path: the libraries are found where the system keeps them.
    scratch=$(mktemp -d)
    dpkg-deb -x "$deb" "$scratch"
    while IFS= read -r -d '' elf; do
        file -b "$elf" | grep -q '^ELF' || continue
        file -b "$elf" | grep -q ', stripped' || fail "$name: ${elf#"$scratch"} is not stripped"
        if readelf -d "$elf" | grep -qE '\((RPATH|RUNPATH)\)'; then fail "$name: ${elf#"$scratch"} has a run path"; fi
    done < <(find "$scratch" -type f -print0)
    rm -rf "$scratch"
    # Every dependency dpkg-shlibdeps found is installed, so that dpkg -i
    # needs no apt-get install -f (scripts/packages.txt pulls them in).
    missing=()
    IFS=',' read -ra depends <<<"$(dpkg-deb -f "$deb" Depends)"
    for alternatives in "${depends[@]}"; do
        met=no
        IFS='|' read -ra choices <<<"$alternatives"
        for choice in "${choices[@]}"; do
            dependency=$(awk '{ print $1 }' <<<"$choice")
            if dpkg-query -W -f='${Status}' "$dependency" 2>/dev/null | grep -q 'install ok installed'; then met=yes; fi
        done
        [ $met = yes ] || missing+=("$(xargs <<<"$alternatives")")
    done
    ((${#missing[@]} == 0)) || fail "$name depends on what is not installed: ${missing[*]}"
done
say "owners, modes, stripped binaries without run path, dependencies installed: fine"

# --- Lint -----------------------------------------------------------------------
lint=$(lintian --pedantic --display-info "${debs[@]}" 2>&1 | grep -v '^running with root privileges' || true)
[ -z "$lint" ] || printf '%s\n' "$lint"
if grep -q '^E: ' <<<"$lint"; then fail "lintian reports errors"; fi
say "lintian: no errors"

# --- Run --------------------------------------------------------------------------
work=$(mktemp -d)
cleanup() {
    [ -z "${server_pid:-}" ] || kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Runs the game and the server found below $1 (/ when installed).
try_programs() {
    local top=$1 game="$1/usr/games/kestrune" server="$1/usr/bin/kestrune-server"
    [ "$top" != / ] || { game=/usr/games/kestrune server=/usr/bin/kestrune-server; }
    local home="$work/home"
    mkdir -p "$home"
    mkdir -p "$home/runtime"
    chmod 0700 "$home/runtime"
    export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime"
    unset KESTRUNE_HTTP_MODULE

    local answer
    answer=$("$game" --version) || fail "$game --version"
    [ "$answer" = "Kestrune $version" ] || fail "$game --version said '$answer', not 'Kestrune $version'"
    # The installed module, found from where the program lies.
    "$game" --check-network-module || fail "$game does not load its network module"
    local png="$work/menu.png"
    QT_QPA_PLATFORM=offscreen "$game" --data-folder "$(mktemp -d -p "$work")" --render "$png" 2>"$work/render.log" ||
        fail "$game --render: $(cat "$work/render.log")"
    local size
    size=$(file -b "$png" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1 \2/p')
    read -r width height <<<"${size:-0 0}"
    ((width >= 200 && height >= 300)) || fail "$png is not a screen-sized PNG: $(file -b "$png")"
    (($(stat -c %s "$png") > 10000)) || fail "$png is nearly empty ($(stat -c %s "$png") bytes)"
    say "$game: --version, --check-network-module and --render (${width}x${height}) fine"

    [ -x "$server" ] || return 0
    answer=$("$server" --version) || fail "$server --version"
    [ "$answer" = "kestrune-server $version" ] || fail "$server --version said '$answer'"
    # A real start on a free port, asked for its health.
    "$server" --listen 127.0.0.1:0 --database "sqlite:$work/server.db" >/dev/null 2>"$work/server.log" &
    server_pid=$!
    local port=""
    for _ in $(seq 100); do
        port=$(sed -n 's/.*listening on 127.0.0.1 port \([0-9]*\).*/\1/p' "$work/server.log")
        [ -z "$port" ] || break
        kill -0 "$server_pid" 2>/dev/null || fail "$server stopped: $(cat "$work/server.log")"
        sleep 0.1
    done
    [ -n "$port" ] || fail "$server did not start listening: $(cat "$work/server.log")"
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'GET /healthz HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' >&3
    read -r status <&3 || true
    exec 3<&-
    kill -TERM "$server_pid"
    wait "$server_pid" || fail "$server did not exit 0 on SIGTERM: $(cat "$work/server.log")"
    server_pid=""
    [[ $status == "HTTP/1.1 200"* ]] || fail "$server answered /healthz with '$status'"
    say "$server: --version and /healthz fine"
}

if [ "$(id -u)" -ne 0 ]; then
    unpacked="$work/root"
    for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$unpacked"; done
    try_programs "$unpacked"
    say "not root: the packages were unpacked into a temporary root and run there; install and removal were skipped"
    exit 0
fi

for package in "${expected[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'installed'; then
        fail "$package is installed already; purge it first (dpkg --purge $package)"
    fi
done
# What existed before the packages may stay after their purge (/usr,
# /usr/share/doc, ...); nothing else they listed may.
for deb in "${debs[@]}"; do dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\.||; s|/$||'; done |
    grep -v '^$' | sort -u >"$work/contents"
while read -r path; do if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi; done <"$work/contents" >"$work/before"
unit_link=/etc/systemd/system/multi-user.target.wants/kestrune-server.service
state=/var/lib/kestrune-server
extra=()
for path in "$unit_link" "$state" /var/lib/private/kestrune-server; do
    [ -e "$path" ] || [ -L "$path" ] || extra+=("$path")
done
made=()
for folder in /etc/systemd/system/multi-user.target.wants /var/lib/private; do
    [ -d "$folder" ] || made+=("$folder")
done

dpkg -i "${debs[@]}" || fail "dpkg -i (the dependencies are in scripts/packages.txt)"
dpkg -L "${expected[@]}" | sort -u >"$work/listed"
try_programs /
emulated=no
if [ -f /usr/lib/systemd/system/kestrune-server.service ] && ((${#extra[@]} == 3)); then
    # What an admin's `systemctl enable --now kestrune-server` leaves: the
    # purge must take the link and the database.
    mkdir -p "$(dirname "$unit_link")" /var/lib/private/kestrune-server
    ln -s /usr/lib/systemd/system/kestrune-server.service "$unit_link"
    touch /var/lib/private/kestrune-server/kestrune.db
    ln -s private/kestrune-server "$state"
    emulated=yes
    # An upgrade (here: the same version again) keeps the admin's choice.
    dpkg -i "${debs[@]}" >/dev/null || fail "dpkg -i over the installed packages"
    [ -L "$unit_link" ] || fail "installing again dropped the admin's $unit_link"
fi
dpkg --purge "${expected[@]}" || fail "dpkg --purge"
# The folders systemd would own, when this check made them.
for folder in "${made[@]}"; do rmdir "$folder" 2>/dev/null || true; done

left=()
while read -r path; do
    if { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$work/before"; then left+=("$path"); fi
done <"$work/listed"
for path in "${extra[@]}"; do
    if [ -e "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done
((${#left[@]} == 0)) || fail "left after the purge: ${left[*]}"
for package in "${expected[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -qv 'not-installed'; then
        fail "dpkg still knows $package: $(dpkg-query -W -f='${Status}' "$package")"
    fi
done
[ $emulated = no ] || say "an upgrade kept an admin's enablement link; the purge removed it and the unit's database"
say "installed with dpkg -i, ran, purged: nothing of theirs is left"

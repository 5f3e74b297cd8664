#!/usr/bin/env bash
# Builds the game and kestrune-server (installing what they need), starts a
# server on this machine over SQLite, and the game on it. The server stops
# when the game does; its data stays in the folder given by
# KESTRUNE_SERVER_DATA (default ~/.local/share/kestrune-server-local), and
# it listens on 127.0.0.1 at KESTRUNE_SERVER_PORT (default 47800): one
# address, so that the account the game keeps for it holds from run to run.
# Arguments go to the game, e.g. scripts/play-online.sh --device tablet
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KESTRUNE_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" >&2
data=${KESTRUNE_SERVER_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/kestrune-server-local}
mkdir -p "$data"
port=${KESTRUNE_SERVER_PORT:-47800}
errors=$(mktemp)
"$build/src/gameservice/server/app/kestrune-server" --listen "127.0.0.1:$port" \
    --database "sqlite:$data/kestrune.sqlite" >>"$data/requests.log" 2>"$errors" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$errors"' EXIT
# The server says when it listens; a port in use ends it with a reason.
for _ in $(seq 100); do
    grep -q ' port ' "$errors" && break
    if ! kill -0 "$server" 2>/dev/null; then
        echo "play-online: kestrune-server did not start:" >&2
        cat "$errors" >&2
        exit 1
    fi
    sleep 0.1
done
grep -q ' port ' "$errors" || { echo "play-online: kestrune-server did not start in 10 s" >&2; exit 1; }
echo "play-online: kestrune-server on http://127.0.0.1:$port, data in $data" >&2
"$build/src/app/kestrune" --service "http://127.0.0.1:$port" "$@"

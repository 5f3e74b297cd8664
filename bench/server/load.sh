#!/usr/bin/env bash
# Load on kestrune-server beside nginx, in the same run on the same machine:
# nginx serves a static JSON file as large as a top-50 answer, then the
# server answers top-50 reads and takes score reports (SQLite, and
# PostgreSQL when its binaries are there), each with wrk at 64 connections.
# Prints one table (requests/s, p50, p99) and the ratios the budgets name:
# top-50 reads at least half of nginx's rate, reports at least 5,000/s on
# SQLite with a p99 under 20 ms.
#
#   bench/server/load.sh [--seconds N] [--connections N] SERVER_PROGRAM
#
# Everything listens on 127.0.0.1 on free ports in a temporary folder that
# is removed at the end. Needs wrk, nginx and curl.

set -euo pipefail

seconds=10
connections=64
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --connections) connections="$2"; shift 2 ;;
    -*) echo "usage: $0 [--seconds N] [--connections N] SERVER_PROGRAM" >&2; exit 2 ;;
    *) break ;;
    esac
done
[ $# -eq 1 ] || { echo "usage: $0 [--seconds N] [--connections N] SERVER_PROGRAM" >&2; exit 2; }
server="$(readlink -f "$1")"
for tool in wrk nginx curl python3; do
    command -v "$tool" >/dev/null || { echo "load: $tool is missing" >&2; exit 77; }
done

tmp="$(mktemp -d)"
chmod 755 "$tmp"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -f "$tmp/nginx.pid" ] && kill -QUIT "$(cat "$tmp/nginx.pid")" 2>/dev/null || true
    [ -n "${cluster:-}" ] && "$pgbin/pg_ctl" -D "$cluster" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$tmp"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

wait_for() {
    local url="$1" deadline=$((SECONDS + 30))
    until curl -fsS -o /dev/null "$url" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || { echo "load: $url did not answer" >&2; exit 1; }
        sleep 0.2
    done
}

# One wrk run: prints "requests/s p50_ms p99_ms".
measure() {
    local out
    out="$(wrk -t2 -c"$connections" -d"${seconds}s" --latency "$@")"
    local rps p50 p99
    rps="$(awk '/^Requests\/sec:/ { print $2 }' <<<"$out")"
    p50="$(awk '$1 == "50%" { print $2 }' <<<"$out")"
    p99="$(awk '$1 == "99%" { print $2 }' <<<"$out")"
    if grep -q "Non-2xx" <<<"$out"; then
        echo "load: some answers were not 2xx:" >&2
        grep "Non-2xx" <<<"$out" >&2
    fi
    echo "$rps $(to_ms "$p50") $(to_ms "$p99")"
}
to_ms() { awk -v v="$1" 'BEGIN { n = v + 0; if (v ~ /us$/) n /= 1000; else if (v ~ /ms$/) n += 0; else if (v ~ /s$/) n *= 1000; printf "%.2f", n }'; }

# Accounts and scores for a run against one database; then the two loads.
run_server() {
    local name="$1" database="$2" port
    port="$(free_port)"
    "$server" --listen "127.0.0.1:$port" --database "$database" --rate-limit 0 \
        --max-connections 1024 >"$tmp/$name.log" 2>&1 &
    pids+=($!)
    local base="http://127.0.0.1:$port"
    wait_for "$base/healthz"
    # 64 players with a score each, so the board has rows to rank.
    : >"$tmp/$name.tokens"
    for i in $(seq 1 64); do
        local token
        token="$(curl -fsS -H 'Content-Type: application/json' -d "{\"displayName\":\"Player $i\"}" \
            "$base/v1/accounts" | python3 -c 'import json,sys; print(json.load(sys.stdin)["token"])')"
        echo "$token" >>"$tmp/$name.tokens"
        curl -fsS -o /dev/null -H 'Content-Type: application/json' -H "Authorization: Bearer $token" \
            -d "{\"score\":$((i * 15))}" "$base/v1/leaderboards/sp_leaderboard/scores"
    done
    curl -fsS -o "$tmp/$name.top.json" "$base/v1/leaderboards/sp_leaderboard/top?scope=all&limit=50"
    cat >"$tmp/$name.report.lua" <<LUA
local tokens = {}
for line in io.lines("$tmp/$name.tokens") do tokens[#tokens + 1] = line end
local n = 0
request = function()
    n = n + 1
    local body = '{"score":' .. (n % 1001) .. '}'
    return wrk.format("POST", "/v1/leaderboards/sp_leaderboard/scores",
        {["Content-Type"] = "application/json", ["Authorization"] = "Bearer " .. tokens[(n % #tokens) + 1]}, body)
end
LUA
    read -r top_rps top_p50 top_p99 < <(measure "$base/v1/leaderboards/sp_leaderboard/top?scope=all&limit=50")
    read -r rep_rps rep_p50 rep_p99 < <(measure -s "$tmp/$name.report.lua" "$base")
    printf '| %-28s | %10s | %8s | %8s |\n' "$name: top 50" "$top_rps" "$top_p50" "$top_p99" >>"$tmp/table"
    printf '| %-28s | %10s | %8s | %8s |\n' "$name: score reports" "$rep_rps" "$rep_p50" "$rep_p99" >>"$tmp/table"
    eval "${name}_top=$top_rps ${name}_reports=$rep_rps ${name}_p99=$rep_p99"
}

# nginx with a file as large as the server's top-50 answer (known after the
# SQLite run has seeded its board).
printf '| %-28s | %10s | %8s | %8s |\n|---|---:|---:|---:|\n' "What" "requests/s" "p50 ms" "p99 ms" >"$tmp/table"
run_server sqlite "sqlite:$tmp/kestrune.db"

mkdir -p "$tmp/www"
cp "$tmp/sqlite.top.json" "$tmp/www/top.json"
nginx_port="$(free_port)"
cat >"$tmp/nginx.conf" <<CONF
daemon on;
worker_processes auto;
pid $tmp/nginx.pid;
error_log $tmp/nginx-error.log;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path $tmp/nginx-body;
    proxy_temp_path $tmp/nginx-proxy;
    fastcgi_temp_path $tmp/nginx-fastcgi;
    uwsgi_temp_path $tmp/nginx-uwsgi;
    scgi_temp_path $tmp/nginx-scgi;
    server {
        listen 127.0.0.1:$nginx_port;
        location / { root $tmp/www; default_type application/json; }
    }
}
CONF
nginx -c "$tmp/nginx.conf" -p "$tmp"
wait_for "http://127.0.0.1:$nginx_port/top.json"
read -r nginx_rps nginx_p50 nginx_p99 < <(measure "http://127.0.0.1:$nginx_port/top.json")
printf '| %-28s | %10s | %8s | %8s |\n' "nginx: static top.json ($(stat -c %s "$tmp/www/top.json") B)" "$nginx_rps" "$nginx_p50" "$nginx_p99" >>"$tmp/table"

pgbin="$(pg_config --bindir 2>/dev/null || true)"
[ -x "$pgbin/initdb" ] || pgbin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | tail -n1)"
if [ -x "$pgbin/initdb" ]; then
    cluster="$tmp/pg"
    as=()
    if [ "$(id -u)" = 0 ]; then
        mkdir -p "$cluster"; chown nobody "$cluster" "$tmp"
        as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    pgport="$(free_port)"
    "${as[@]}" "$pgbin/initdb" -D "$cluster" -A trust -U kestrune >/dev/null
    "${as[@]}" "$pgbin/pg_ctl" -D "$cluster" -w -l "$cluster/log" \
        -o "-p $pgport -k $cluster -c listen_addresses=''" start >/dev/null
    "${as[@]}" "$pgbin/createdb" -h "$cluster" -p "$pgport" -U kestrune kestrune
    run_server postgresql "postgresql:///kestrune?host=$cluster&port=$pgport&user=kestrune"
fi

echo
cat "$tmp/table"
echo
awk -v t="$sqlite_top" -v n="$nginx_rps" -v r="$sqlite_reports" -v p="$sqlite_p99" 'BEGIN {
    printf "top 50 on SQLite: %.2f x nginx (at least 0.5)\n", t / n
    printf "reports on SQLite: %d/s (at least 5000), p99 %.1f ms (under 20)\n", r, p
    exit !(t / n >= 0.5 && r >= 5000 && p < 20)
}'

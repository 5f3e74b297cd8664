#!/usr/bin/env bash
# Plays Kestrune as a player would, on a virtual display of its own, and fails
# when the program reports a GUI-thread stall (KESTRUNE_STALL_MS) anywhere on
# the route, when its memory peaks above RATIO (1.4) times a bare Qt window's
# (with --floor, the bare window on the same display at each run's window
# size), or when the route was not really played.
#
#   scripts/playthrough.sh [--allow REGEX]... [--keep] [--strict] [--stall-ms MS]
#                          [--floor BARE_WINDOW [--max-rss RATIO]] PROGRAM
#
# The route, on a phone and then, in a second run on the same data folder, on
# a tablet: the menu and its ring; one player with the tutorial, three hints
# and a win; the result screen; the statistics; a match against the hard
# computer (strength chosen with the bar's item); two players with hand-overs;
# on the tablet two players face to face. Input is the keyboard where the game
# takes it, clicks where it does not.
#
# Needs Xvfb, openbox, xdotool and xwd; exits with 77 when one is missing.
# --allow REGEX lets stall lines that match through (for trying a branch that
# still has known ones); --keep keeps the temporary folder and its pictures.
# A wait while painting the window is a round trip to the X server (libxcb
# waits for the reply the toolkit's reader thread takes in), which a loaded
# machine delays however little the program does. So is a wait in the window's
# own resize or move, which the toolkit answers by asking the server for the
# window manager's frame around it. So, too, is a wait that only ran long
# because the processors were taken ("queued": the event's CPU time and its
# sleeps together within the limit, the rest spent ready to run while Xvfb,
# the window manager or the script had both processors). Such waits are
# listed and counted apart, and fail only with --strict. Every other wait
# fails (a lock, a future, the settings' sync), and so does every event that
# is busy too long.
# Each step waits for what it can observe (the window, its size, its picture
# settling, the analytics log, the settings file), boundedly: a lost step
# fails.

set -euo pipefail

usage() {
    echo "usage: $0 [--allow REGEX]... [--keep] [--strict] [--stall-ms MS] [--floor BARE_WINDOW [--max-rss RATIO]] PROGRAM" >&2
    exit 2
}

allow=()
keep=0
strict=0
stall_ms=8
floor=""
# The most memory the program may hold at its peak, against a bare Qt window.
max_rss_ratio=1.4
while [ $# -gt 0 ]; do
    case "$1" in
    --allow) [ $# -ge 2 ] || usage; allow+=("$2"); shift 2 ;;
    --keep) keep=1; shift ;;
    --strict) strict=1; shift ;;
    --stall-ms) [ $# -ge 2 ] || usage; stall_ms="$2"; shift 2 ;;
    --floor) [ $# -ge 2 ] || usage; floor="$(readlink -f "$2" || true)"; shift 2 ;;
    --max-rss) [ $# -ge 2 ] || usage; max_rss_ratio="$2"; shift 2 ;;
    -h | --help) usage ;;
    -*) usage ;;
    *) break ;;
    esac
done
[ $# -eq 1 ] || usage

for tool in Xvfb openbox xdotool xwd timeout md5sum nice od readlink; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "playthrough: skipped, $tool is missing (Debian: xvfb, openbox, xdotool, x11-apps)"
        exit 77
    fi
done
program="$(readlink -f "$1" || true)"
[ -x "$program" ] || { echo "playthrough: $1 is not an executable" >&2; exit 2; }

# Generous bounds: a slow, loaded machine takes its time, a lost step fails.
step_timeout="${KESTRUNE_PLAYTHROUGH_STEP_TIMEOUT:-40}"
# The secret of every match; the hard computer, which plays the same code and
# always opens the same way, does not break it in two rounds.
code=9513

started=$SECONDS
tmp="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-playthrough.XXXXXX")"
xvfb_pid=""
wm_pid=""
app_pid=""
window=""
checkpoints=()

cleanup() {
    local status=$?
    for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    if [ "$keep" = 1 ]; then
        echo "playthrough: kept $tmp"
    else
        rm -rf "$tmp"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

say() { printf 'playthrough [%3ds] %s\n' "$((SECONDS - started))" "$*"; }

fail() {
    say "FAILED: $*"
    if [ -n "$window" ] && capture 2>/dev/null; then
        cp "$tmp/shot.xwd" "$tmp/failed.xwd" 2>/dev/null || true
        say "the window as it was: $tmp/failed.xwd (kept with --keep)"
    fi
    if grep -q -v -e '^kestrune: stall' -e '^playthrough: ' "$tmp/stderr.log"; then
        say "program's stderr (without the stall reports):"
        grep -v -e '^kestrune: stall' -e '^playthrough: ' "$tmp/stderr.log" | sed 's/^/    /'
    fi
    exit 1
}

# Noted in the program's stderr too, so that each stall shows where it was.
checkpoint() {
    checkpoints+=("$((SECONDS - started))s $*")
    echo "playthrough: reached $*" >>"$tmp/stderr.log"
    say "reached: $*"
}

x() { timeout 20 env DISPLAY="$display" "$@"; }
# The script's own looking, at the lowest priority: on two cores a capture
# and its checksum would otherwise keep the X server from the processor
# while the program waits for its reply.
low() { nice -n 19 "$@"; }

# --- the display -----------------------------------------------------------

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" \
        >"$tmp/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local deadline=$((SECONDS + step_timeout))
    until grep -q '^[0-9][0-9]*$' "$tmp/display" 2>/dev/null; do
        kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; fail "Xvfb did not start"; }
        [ $SECONDS -lt $deadline ] || fail "Xvfb named no display"
        sleep 0.1
    done
    display=":$(head -n1 "$tmp/display")"
    (cd "$tmp" && exec env DISPLAY="$display" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" \
        openbox --sm-disable >"$tmp/openbox.log" 2>&1) &
    wm_pid=$!
    deadline=$((SECONDS + step_timeout))
    # The window manager is there once the root window names a desktop.
    until x xdotool get_desktop >/dev/null 2>&1; do
        kill -0 "$wm_pid" 2>/dev/null || { cat "$tmp/openbox.log" >&2; fail "openbox did not start"; }
        [ $SECONDS -lt $deadline ] || fail "openbox did not take the display"
        sleep 0.1
    done
    say "display $display with openbox"
}

# --- the program -----------------------------------------------------------

data="$tmp/data"
mkdir -p "$data" "$tmp/home" "$tmp/config" "$tmp/share" "$tmp/cache" "$tmp/runtime"
chmod 700 "$tmp/runtime"
: >"$tmp/stderr.log"

start_program() {
    local device="$1"
    if [ "$device" = tablet ]; then result_button_x=350 result_button_y=906; else result_button_x=250 result_button_y=912; fi
    echo "playthrough: run started" >>"$tmp/stderr.log"
    (cd "$tmp" && exec env -u DBUS_SESSION_BUS_ADDRESS -u QT_QPA_PLATFORM -u SESSION_MANAGER \
        DISPLAY="$display" HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
        XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/share" XDG_CACHE_HOME="$tmp/cache" \
        QT_QPA_PLATFORM=xcb ${KESTRUNE_PLAYTHROUGH_ENV:-} KESTRUNE_STALL_MS="$stall_ms" KESTRUNE_UITEST_CODES="$code" \
        "$program" --device "$device" --data-folder "$data" UITest 2>>"$tmp/stderr.log") &
    app_pid=$!
    local deadline=$((SECONDS + step_timeout)) id
    window=""
    while [ -z "$window" ]; do
        kill -0 "$app_pid" 2>/dev/null || fail "the program ended at start"
        [ $SECONDS -lt $deadline ] || fail "no window appeared"
        id="$(x xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1 || true)"
        [ -n "$id" ] && window="$id"
        sleep 0.1
    done
    x xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    x xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
    settle
}

# The peak resident memory of a running process, in kB.
peak_rss() { sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status" 2>/dev/null || echo 0; }
program_peak=0
# Each run's window size and peak, so that each is held against a bare window
# of its own size: the window's backing store alone grows with its area.
run_sizes=()
run_peaks=()

# Ends the program as a logout would: it writes what waits and says 0.
stop_program() {
    local peak
    peak="$(peak_rss "$app_pid")"
    [ "${peak:-0}" -gt "$program_peak" ] && program_peak="$peak"
    if measure; then run_sizes+=("${width}x${height}"); else run_sizes+=(""); fi
    run_peaks+=("${peak:-0}")
    kill -TERM "$app_pid"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    window=""
    [ "$status" = 0 ] || fail "the program ended with status $status"
}

alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program is gone (crashed?)"; }

# --- looking at the window ---------------------------------------------------

# The window's picture in $tmp/shot.xwd, its size in $width x $height.
capture() {
    low timeout 20 env DISPLAY="$display" xwd -silent -id "$window" -out "$tmp/shot.xwd" || return 1
    # The header's numbers are big-endian 32-bit words.
    local -a h
    read -r -a h <<<"$(od -An -v -tu1 -N100 "$tmp/shot.xwd" | tr -s ' \n' ' ')"
    word() { echo $(((h[$1] << 24) | (h[$1 + 1] << 16) | (h[$1 + 2] << 8) | h[$1 + 3])); }
    header_size=$(word 0)
    width=$(word 16)
    height=$(word 20)
    byte_order=$(word 28)
    bits_per_pixel=$(word 44)
    bytes_per_line=$(word 48)
    ncolors=$(word 76)
    [ "$bits_per_pixel" = 32 ] || fail "xwd gave $bits_per_pixel bits a pixel; 32 expected"
}

# The colour at (x, y) of the last capture, given in thousandths of the
# window's width and height, as "r g b".
pixel() {
    local px=$(($1 * width / 1000)) py=$(($2 * height / 1000))
    local offset=$((header_size + ncolors * 12 + py * bytes_per_line + px * 4))
    local -a b
    read -r -a b <<<"$(od -An -v -tu1 -j "$offset" -N4 "$tmp/shot.xwd")"
    if [ "$byte_order" = 0 ]; then echo "${b[2]} ${b[1]} ${b[0]}"; else echo "${b[1]} ${b[2]} ${b[3]}"; fi
}

is_dark() { local r g b; read -r r g b <<<"$(pixel "$1" "$2")"; [ "$r" -lt 90 ] && [ "$g" -lt 90 ] && [ "$b" -lt 90 ]; }
is_white() { local r g b; read -r r g b <<<"$(pixel "$1" "$2")"; [ "$r" -ge 250 ] && [ "$g" -ge 250 ] && [ "$b" -ge 250 ]; }

# The picture below the bar, whose clock ticks every second.
digest() {
    capture || return 1
    low tail -c +$((header_size + ncolors * 12 + height * 8 / 100 * bytes_per_line + 1)) "$tmp/shot.xwd" | low md5sum | cut -d' ' -f1
}

# Waits until the picture stands still for a while: animations are over.
settle() {
    local deadline=$((SECONDS + step_timeout)) last="" now same=0
    while [ $same -lt 3 ]; do
        alive
        [ $SECONDS -lt $deadline ] || fail "the window never stood still"
        now="$(digest)" || fail "cannot capture the window"
        if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; last="$now"; fi
        sleep 0.1
    done
    settled="$last"
}

# Waits until the picture differs from the last settled one, then settles.
change() {
    local deadline=$((SECONDS + step_timeout)) before="$settled"
    while [ "$(digest)" = "$before" ]; do
        alive
        [ $SECONDS -lt $deadline ] || fail "nothing changed on the screen after: $1"
        sleep 0.1
    done
    settle
}

# The window's size alone, in $width x $height: one light request, where a
# capture has the X server copy the whole picture, so the script can poll it
# while the program's own timers run (at the lowest priority, like the
# captures: each poll starts a process).
measure() {
    local geometry
    geometry="$(x nice -n 19 xdotool getwindowgeometry "$window" 2>/dev/null |
        sed -n 's/.*Geometry: *\([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
    [ -n "$geometry" ] || return 1
    read -r width height <<<"$geometry"
}

# Waits until the predicate holds on a fresh look at the window: `look` is
# capture (the picture and size) or measure (the size alone).
until_looked() {
    local look="$1" what="$2"; shift 2
    local deadline=$((SECONDS + step_timeout))
    until "$look" && "$@"; do
        alive
        [ $SECONDS -lt $deadline ] || fail "never saw $what"
        sleep 0.1
    done
}
until_seen() { until_looked capture "$@"; }
until_shaped() { until_looked measure "$@"; }

# Waits until the data folder's analytics log has `count` lines matching.
until_logged() {
    local pattern="$1" count="$2" deadline=$((SECONDS + step_timeout))
    until [ "$(grep -c -E "$pattern" "$data/analytics.jsonl" 2>/dev/null || true)" -ge "$count" ]; do
        alive
        [ $SECONDS -lt $deadline ] || fail "the analytics log never got $count of: $pattern"
        sleep 0.1
    done
}

# --- input ------------------------------------------------------------------

keys() { alive; x xdotool key --delay 60 "$@"; }

# A click at thousandths of the window's size (or pixels with "px").
click() {
    alive
    capture || fail "cannot capture the window"
    local px=$(($1 * width / 1000)) py=$(($2 * height / 1000))
    [ "${3:-}" = px ] && { px=$1; py=$2; }
    x xdotool mousemove --window "$window" "$px" "$py" click 1
    sleep 0.1
}

shoot() { keys "${@}" Return; }

# The keypad's first key is white while it takes digits and grey while the
# game waits (a shot on its way, the computer thinking).
keypad_ready() { is_white 30 735; }
toast_shown() { is_dark 500 500; }
toast_gone() { ! is_dark 500 500; }
keypad_full() { ! is_white 30 735; }
# The result's "Play again" is the one wide blue button at the bottom.
result_shown() {
    local r g b
    read -r r g b <<<"$(pixel "$result_button_x" "$result_button_y")"
    [ "$r" -lt 120 ] && [ "$g" -ge 90 ] && [ "$g" -lt 170 ] && [ "$b" -ge 200 ]
}
# Where its left part is, on a phone; start_program sets the tablet's.
result_button_x=250
result_button_y=912
# The tutorial's red "Next" button.
tutorial_shown() {
    local r g b
    read -r r g b <<<"$(pixel 250 807)"
    [ "$r" -ge 200 ] && [ "$g" -lt 110 ] && [ "$b" -lt 110 ]
}

# The ring: the play button is the second stop of the menu's Tab chain (the
# statistics button is the first; the service's button hides in UITest).
open_mode() {
    local steps="$1" name="$2"
    keys Tab Tab Return
    change "opening the ring"
    checkpoint "ring open"
    [ "$steps" -gt 0 ] && keys $(printf 'Right %.0s' $(seq "$steps"))
    keys Return
    change "choosing $name"
}

back_to_menu() {
    keys Escape
    change "leaving the result"
    checkpoint "menu"
}

# --- the route ----------------------------------------------------------------

single_player() {
    open_mode 0 "one player"
    until_logged '"start_game".*"Single player"' 1
    checkpoint "one player's game screen"
    # The tutorial opens by itself a second after the first game screen and
    # notes so in the settings.
    local deadline=$((SECONDS + step_timeout))
    until grep -q '^hasLaunchedOnce=true' "$data/settings.conf" 2>/dev/null; do
        alive
        [ $SECONDS -lt $deadline ] || fail "the tutorial never opened"
        sleep 0.1
    done
    until_seen "the tutorial" tutorial_shown
    settle
    checkpoint "tutorial"
    keys Escape
    change "closing the tutorial"

    shoot 5 6 7 8
    until_seen "the keypad ready after the first shot" keypad_ready
    # The first H asks; Return takes the hint.
    keys h
    change "asking for a hint"
    keys Return
    until_logged '"hint"' 1
    until_seen "the first hint typed" keypad_full
    checkpoint "hint 1"
    keys BackSpace BackSpace BackSpace BackSpace
    shoot 9 8 7 6
    until_seen "the keypad ready after the shot" keypad_ready
    keys h
    until_logged '"hint"' 2
    until_seen "the second hint typed" keypad_full
    checkpoint "hint 2"
    keys BackSpace BackSpace BackSpace BackSpace
    shoot 6 7 8 9
    until_seen "the keypad ready after the shot" keypad_ready
    keys h
    until_logged '"hint"' 3
    until_seen "the third hint typed" keypad_full
    checkpoint "hint 3"
    keys BackSpace BackSpace BackSpace BackSpace
    shoot ${code:0:1} ${code:1:1} ${code:2:1} ${code:3:1}
    until_logged '"won_game"' 1
    checkpoint "one player's win"
    until_seen "the result screen" result_shown
    settle
    checkpoint "result"
    back_to_menu
}

statistics() {
    keys Tab Return
    change "opening the statistics"
    checkpoint "statistics"
    # Its back item is the bar's first, at the top left.
    click 25 22 px
    change "leaving the statistics"
    checkpoint "menu"
}

hard_computer() {
    open_mode 2 "against the computer"
    # Asked once: the default (normal) first, then the bar's item changes it.
    checkpoint "computer's strength asked"
    keys Return
    until_logged '"start_game".*"Computer"' 1
    change "the strength's choice"
    click 880 33
    change "opening the strength item"
    keys Tab Return
    until_logged '"start_game".*"hard"' 1
    change "choosing hard"
    checkpoint "hard computer's game screen"
    shoot 1 2 3 4
    # The computer answers after a pause; the keypad waits meanwhile.
    sleep 0.3
    until_seen "the keypad ready after the computer's turn" keypad_ready
    checkpoint "computer's first turn"
    shoot ${code:0:1} ${code:1:1} ${code:2:1} ${code:3:1}
    until_logged '"won_game"' 2
    until_seen "the result screen" result_shown
    settle
    checkpoint "result of the computer match"
    back_to_menu
}

# One shot of a two-player match on the phone: the player waits for the last
# card to go, shoots, and sees the card for the other player come.
pass_shot() {
    local shot="$1" to="$2"
    until_seen "the hand-over card gone" toast_gone
    shoot ${shot:0:1} ${shot:1:1} ${shot:2:1} ${shot:3:1}
    [ -n "$to" ] || return 0
    until_seen "the hand-over to player $to" toast_shown
    until_seen "player $to's keypad ready" keypad_ready
    checkpoint "hand-over to player $to"
}

two_players() {
    local wins_before="$1"
    open_mode 1 "two players"
    checkpoint "two players' game screen"
    pass_shot 1234 2
    pass_shot 5678 1
    pass_shot "$code" 2
    until_logged '"won_game"' $((wins_before + 1))
    # Player 2 has the round's last shot and misses.
    pass_shot 4567 ""
    until_seen "the result screen" result_shown
    settle
    checkpoint "result of the two players' match"
    back_to_menu
}

# A digit (or s, the shoot key) on a keypad of the face-to-face window: the
# second player's at the right, the first player's the same turned over at the
# left (thousandths of a landscape window).
face_key() {
    local side="$1" key="$2" fx fy
    if [ "$key" = s ]; then
        fx=938; fy=926
    else
        fx=$((563 + 125 * ((key - 1) % 3))); fy=$((814 + 74 * ((key - 1) / 3)))
    fi
    [ "$side" = left ] && { fx=$((1000 - fx)); fy=$((1000 - fy)); }
    click "$fx" "$fy"
}

face_shot() {
    local side="$1" shot="$2" i
    for i in 0 1 2 3; do face_key "$side" "${shot:i:1}"; done
    face_key "$side" s
}

landscape() { [ "$width" -gt "$height" ]; }
portrait() { [ "$height" -gt "$width" ]; }

face_to_face() {
    local wins_before="$1"
    open_mode 1 "two players"
    checkpoint "tablet two players' game screen"
    # The bar's second item turns the window for face-to-face play.
    click 70 22 px
    until_shaped "the window turned to landscape" landscape
    settle
    checkpoint "face to face"
    face_shot left 1234
    face_shot right 5678
    settle
    face_shot left "$code"
    until_logged '"won_game"' $((wins_before + 1))
    settle
    face_shot right 4567
    until_shaped "the window turned back for the result" portrait
    until_seen "the result screen" result_shown
    settle
    checkpoint "result of the face-to-face match"
    back_to_menu
}

# --- checks ---------------------------------------------------------------------

count() { grep -c -E "$1" "$2" 2>/dev/null || true; }
setting() { sed -n "s/^$1=//p" "$data/settings.conf" | head -n1; }

check_route() {
    local log="$data/analytics.jsonl" problems=()
    [ "$(count '"start_game".*"Single player"' "$log")" -ge 1 ] || problems+=("no one-player game")
    [ "$(count '"hint"' "$log")" -eq 3 ] || problems+=("$(count '"hint"' "$log") hints, not 3")
    [ "$(count '"start_game".*"Strength":"hard"' "$log")" -ge 1 ] || problems+=("no match against the hard computer")
    [ "$(count '"start_game".*"Two players"' "$log")" -ge 2 ] || problems+=("fewer than two two-player matches")
    [ "$(count '"won_game"' "$log")" -ge 4 ] || problems+=("$(count '"won_game"' "$log") wins, not 4")
    [ "$(setting games)" = 1 ] || problems+=("statistics: games=$(setting games), not 1")
    [ "$(setting wins)" = 1 ] || problems+=("statistics: wins=$(setting wins), not 1")
    [ "$(setting computerHardWins)" = 1 ] || problems+=("statistics: computerHardWins=$(setting computerHardWins), not 1")
    if [ ${#problems[@]} -gt 0 ]; then
        printf '  %s\n' "${problems[@]}"
        fail "the route was not played as written"
    fi
}

# Painting the window (its update requests and exposures, and the queued
# repaints of the tablet's graphics scene), and the window's resizes and moves
# as the window manager reports them.
display_wait='^kestrune: stall \(waited\): [^:]*: (QWidgetWindow [^,]*, (UpdateRequest|Expose|Paint|Resize|Move)|kestrune::[A-Za-z]+ [^,]*, (UpdateRequest|Paint)|QGraphicsScene[^,]*, MetaCall|kestrune::UpsideDownView [^,]*, MetaCall)$'

# The CPU milliseconds of the first Expose line read, or 0.
first_frame_cpu() {
    sed -n 's/^kestrune: stall ([a-z]*): [0-9.]* ms wall, \([0-9.]*\) ms cpu,.*, Expose$/\1/p' | head -n1 | grep . || echo 0
}

allowed() {
    local line="$1" pattern
    for pattern in ${allow[@]+"${allow[@]}"}; do
        [[ "$line" =~ $pattern ]] && return 0
    done
    return 1
}

# --- main ---------------------------------------------------------------------------

start_display

start_program phone
checkpoint "phone: menu"
single_player
statistics
hard_computer
two_players 2
stop_program
checkpoint "phone run ended"

start_program tablet
checkpoint "tablet: menu"
face_to_face 3
stop_program
checkpoint "tablet run ended"

check_route

# The bare window's peak and the CPU time of its first frame, on the same
# display and at each run's size, once it has drawn itself. Without a floor
# its first frame counts as free of stalls.
floor_peaks=()
floor_frames=()
if [ -n "$floor" ]; then
    for size in "${run_sizes[@]}"; do
        : >"$tmp/floor.log"
        (exec env DISPLAY="$display" QT_QPA_PLATFORM=xcb HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
            KESTRUNE_STALL_MS="$stall_ms" "$floor" --size "$size" 2>>"$tmp/floor.log") &
        app_pid=$!
        deadline=$((SECONDS + step_timeout))
        until [ -n "$(x xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1 || true)" ]; do
            [ $SECONDS -lt $deadline ] || fail "the bare window did not appear"
            sleep 0.1
        done
        sleep 1
        floor_peaks+=("$(peak_rss "$app_pid")")
        kill -TERM "$app_pid"; wait "$app_pid" || true
        app_pid=""
        floor_frames+=("$(first_frame_cpu <"$tmp/floor.log")")
    done
fi

stalls=()
display_waits=()
queued_waits=()
first_frames=()
allowed_count=0
step="start"
run=-1
starting=0
while IFS= read -r line; do
    case "$line" in
    "playthrough: run started") run=$((run + 1)); starting=1 ;;
    "playthrough: reached "*) step="${line#playthrough: reached }"; starting=0 ;;
    "kestrune: stall"*)
        # The window's first frame, while the run starts, costs what a bare
        # window's first frame of its size costs: that is the toolkit's.
        cpu="$(first_frame_cpu <<<"$line")"
        floor_frame="${floor_frames[$run]:-0}"
        first=0
        if [ "$starting" = 1 ] && [ "$cpu" != 0 ]; then
            starting=0
            awk -v c="$cpu" -v f="$floor_frame" 'BEGIN { exit !(c <= f) }' && first=1
        fi
        if [ "$first" = 1 ]; then
            first_frames+=("$line   [bare window: $floor_frame ms cpu]")
        elif allowed "$line"; then
            allowed_count=$((allowed_count + 1))
        elif [ "$strict" = 0 ] && [[ "$line" =~ $display_wait ]]; then
            display_waits+=("$line   [after: $step]")
        elif [ "$strict" = 0 ] && [[ "$line" == "kestrune: stall (queued)"* ]]; then
            queued_waits+=("$line   [after: $step]")
        else
            stalls+=("$line   [after: $step]")
        fi ;;
    esac
done <"$tmp/stderr.log"

echo
say "route played in $((SECONDS - started)) s:"
printf '    %s\n' "${checkpoints[@]}"
say "stall reports: $((${#stalls[@]} + ${#display_waits[@]} + ${#queued_waits[@]} + ${#first_frames[@]} + allowed_count))" \
    "(over $stall_ms ms): ${#first_frames[@]} first frames within a bare window's," \
    "${#display_waits[@]} waits on the display while painting, ${#queued_waits[@]} waits for a processor," \
    "$allowed_count allowed, ${#stalls[@]} failing"
if [ ${#first_frames[@]} -gt 0 ]; then
    say "first frames (not failed: a bare window of the same size took at least as long):"
    printf '    %s\n' "${first_frames[@]}"
fi
if [ ${#display_waits[@]} -gt 0 ]; then
    say "waits on the display (not failed without --strict):"
    printf '    %s\n' "${display_waits[@]}"
fi
if [ ${#queued_waits[@]} -gt 0 ]; then
    say "waits for a processor (not failed without --strict):"
    printf '    %s\n' "${queued_waits[@]}"
fi
problems=()
if [ ${#floor_peaks[@]} -gt 0 ]; then
    for i in "${!run_peaks[@]}"; do
        ratio="$(awk -v a="${run_peaks[$i]}" -v b="${floor_peaks[$i]}" 'BEGIN { printf "%.2f", a / b }')"
        say "peak RSS of run $((i + 1)) (${run_sizes[$i]}): $((run_peaks[i] / 1024)) MB," \
            "a bare Qt window of that size $((floor_peaks[i] / 1024)) MB: ratio $ratio (at most $max_rss_ratio)"
        if awk -v r="$ratio" -v m="$max_rss_ratio" 'BEGIN { exit !(r > m) }'; then
            problems+=("run $((i + 1))'s memory peaked above $max_rss_ratio times a bare window's")
        fi
    done
else
    say "peak RSS: $((program_peak / 1024)) MB"
fi
if [ ${#stalls[@]} -gt 0 ]; then
    say "stalls:"
    printf '    %s\n' "${stalls[@]}"
    problems+=("${#stalls[@]} GUI-thread stalls")
fi
if [ ${#problems[@]} -gt 0 ]; then
    fail "$(IFS=';'; echo "${problems[*]}" | sed 's/;/; /g')"
fi
say "passed"

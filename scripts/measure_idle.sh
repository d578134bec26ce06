#!/usr/bin/env bash
# The game's processor use and memory as a player meets them, measured from outside on the
# real game under a private Xvfb (no sound device):
#   dealing  - the first seconds of the first deal, cards flying (from DEAL_SKIP seconds
#              after the window appeared: the art is unpacked and loaded before that);
#   paused   - P pressed while the deal is still going on (the picture must stand still);
#   idle     - the human's turn, nothing moving: several windows, the least and the most;
#   peak RSS - VmHWM at the end;
# then in full screen on larger screens (1920x1080 unless set), dealing and peak RSS only,
# each beside the windowed deal as a ratio.
#
# Processor use is utime + stime of the whole process (every thread) from /proc/PID/stat
# over the window, as a percentage of one core. The figures are printed, not judged.
#
# usage: scripts/measure_idle.sh [BUILD_DIR]    (default: build/release)
# environment: SEED (3), VARIANT (4), WINDOW seconds per idle/paused window (20),
#              IDLE_WINDOWS (3), DEAL_WINDOW seconds (3), DEAL_SKIP seconds (1), FULLSCREEN (1: also full screen,
#              0: not), FULL_SIZES ("1920x1080"; several: "1366x768 1920x1080 3840x2160"),
#              WM (openbox: full screen under that window manager when it is installed;
#              none: on the bare X server), SKIP_WINDOWED (0)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/release}
seed=${SEED:-3}
variant=${VARIANT:-4}
window=${WINDOW:-20}
idle_windows=${IDLE_WINDOWS:-3}
deal_window=${DEAL_WINDOW:-3}
deal_skip=${DEAL_SKIP:-1}
also_fullscreen=${FULLSCREEN:-1}
full_sizes=${FULL_SIZES:-${FULL_WIDTH:-1920}x${FULL_HEIGHT:-1080}}
wm=${WM:-openbox}
skip_windowed=${SKIP_WINDOWED:-0}

for tool in Xvfb xdotool import md5sum; do
    command -v "$tool" >/dev/null || { echo "measure_idle: $tool is missing" >&2; exit 2; }
done
for f in tarrabel res134.pak; do
    [[ -f $build/$f ]] || { echo "measure_idle: $build/$f is missing (build first)" >&2; exit 2; }
done

hz=$(getconf CLK_TCK)
work=$(mktemp -d /tmp/tarrabel-measure.XXXXXX)
# What the game remembers (options, results, a match left unfinished) stays in the
# temporary folder too, never in the home of whoever runs this.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
cp "$build/tarrabel" "$build/res134.pak" "$work/"
xvfb_pid="" game_pid="" wm_pid=""

stop_game() {
    if [[ -n $game_pid ]]; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
        game_pid=""
    fi
}
stop_xvfb() {
    if [[ -n $wm_pid ]]; then
        kill "$wm_pid" 2>/dev/null || true
        wait "$wm_pid" 2>/dev/null || true
        wm_pid=""
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
cleanup() {
    stop_game
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

# A private X server; the display number comes back through a pipe (-displayfd).
start_xvfb() { # WIDTH HEIGHT
    local fifo=$work/displayfd
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$fifo" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local n
    read -r -t 10 n <"$fifo" || { echo "measure_idle: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$n"
}

start_game() { # ARGS...
    (cd "$work" && SDL_AUDIODRIVER=dummy exec ./tarrabel "$@" >"$work/game.log" 2>&1) &
    game_pid=$!
    if ! timeout 20 xdotool search --sync --pid "$game_pid" >/dev/null 2>&1; then
        echo "measure_idle: no window appeared; the game said:" >&2
        cat "$work/game.log" >&2
        exit 1
    fi
}

ticks_of() { # PID -> utime + stime in clock ticks
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

now() { date +%s.%N; }

# Processor use of the game and of the X server over SECONDS, as "game% xvfb%".
cpu_window() { # SECONDS
    local t0 g0 x0 t1 g1 x1
    t0=$(now) g0=$(ticks_of "$game_pid") x0=$(ticks_of "$xvfb_pid")
    sleep "$1"
    t1=$(now) g1=$(ticks_of "$game_pid") x1=$(ticks_of "$xvfb_pid")
    awk -v g="$((g1 - g0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
        'BEGIN { s = t1 - t0; printf "%.2f %.2f\n", 100 * g / hz / s, 100 * x / hz / s }'
}

# What the screen shows, as a hash (the X server's picture, not the game's).
picture() { import -window root -silent rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# Waits until the picture stays the same for three seconds (the game waits for the human).
wait_still() {
    local deadline=$((SECONDS + 180)) a b
    a=$(picture)
    while ((SECONDS < deadline)); do
        sleep 3
        b=$(picture)
        [[ $a == "$b" ]] && return 0
        a=$b
    done
    echo "measure_idle: the table never stood still" >&2
    exit 1
}

press() { # KEY
    local w
    w=$(xdotool search --pid "$game_pid" | head -1)
    xdotool windowfocus --sync "$w" key "$1"
}

vm() { # FIELD -> kB
    awk -v f="$1:" '$1 == f { print $2 }' "/proc/$game_pid/status"
}

echo "CPU = utime+stime of the whole process / wall time, % of one core (clock tick 1/$hz s)"
# The windowed game on an 800x600 screen: every phase.
measure_windowed() {
    echo "tarrabel --windowed --seed $seed --variant $variant, Xvfb 800x600x24, SDL_AUDIODRIVER=dummy"
    start_xvfb 800 600
    start_game --windowed --seed "$seed" --variant "$variant"
    sleep "$deal_skip"

    before=$(picture)
    read -r g x < <(cpu_window "$deal_window")
    after=$(picture)
    moved=$([[ $before != "$after" ]] && echo "picture changed" || echo "PICTURE DID NOT CHANGE")
    printf '(a) dealing, %ss from %ss after the window appeared: game %6s %%   Xvfb %6s %%   (%s)\n' \
        "$deal_window" "$deal_skip" "$g" "$x" "$moved"
    windowed_deal=$g

    press p
    sleep 0.5
    before=$(picture)
    read -r g x < <(cpu_window "$window")
    after=$(picture)
    still=$([[ $before == "$after" ]] && echo "picture still" || echo "PICTURE CHANGED: not paused?")
    printf '(c) paused mid-deal, %ss:                         game %6s %%   Xvfb %6s %%   (%s)\n' \
        "$window" "$g" "$x" "$still"
    press p

    wait_still
    min="" max=""
    for ((i = 1; i <= idle_windows; i++)); do
        before=$(picture)
        read -r g x < <(cpu_window "$window")
        after=$(picture)
        still=$([[ $before == "$after" ]] && echo "picture still" || echo "picture changed (clock minute?)")
        printf '(b) idle, human to play, window %d of %ss:         game %6s %%   Xvfb %6s %%   (%s)\n' \
            "$i" "$window" "$g" "$x" "$still"
        min=$(awk -v a="${min:-$g}" -v b="$g" 'BEGIN { print (b < a ? b : a) }')
        max=$(awk -v a="${max:-$g}" -v b="$g" 'BEGIN { print (b > a ? b : a) }')
    done
    printf '(b) idle: min %s %%, max %s %% of one core\n' "$min" "$max"
    printf 'peak RSS (VmHWM): %s kB = %.1f MB   (VmRSS now %s kB, threads %s)\n' \
        "$(vm VmHWM)" "$(awk -v k="$(vm VmHWM)" 'BEGIN { print k / 1024 }')" "$(vm VmRSS)" "$(vm Threads)"
    stop_game
    stop_xvfb
    echo
}
[[ $skip_windowed == 1 ]] || measure_windowed

windowed_deal=${windowed_deal:-}
if [[ $also_fullscreen == 1 ]]; then
    for size in $full_sizes; do
        full_width=${size%x*} full_height=${size#*x}
        start_xvfb "$full_width" "$full_height"
        manager="no window manager"
        if [[ $wm != none ]] && command -v "$wm" >/dev/null; then
            "$wm" >/dev/null 2>&1 &
            wm_pid=$!
            sleep 1
            manager=$wm
        fi
        echo "tarrabel --seed $seed --variant $variant (full screen), Xvfb ${full_width}x${full_height}x24, $manager"
        start_game --seed "$seed" --variant "$variant"
        sleep "$deal_skip"
        before=$(picture)
        read -r g x < <(cpu_window "$deal_window")
        after=$(picture)
        moved=$([[ $before != "$after" ]] && echo "picture changed" || echo "PICTURE DID NOT CHANGE")
        ratio=$([[ -n $windowed_deal ]] && awk -v a="$g" -v b="$windowed_deal" \
            'BEGIN { if (b > 0) printf "%.2fx the windowed deal", a / b }')
        printf '(a) dealing, %ss from %ss, full screen %sx%s: game %6s %%   Xvfb %6s %%   (%s) %s\n' \
            "$deal_window" "$deal_skip" "$full_width" "$full_height" "$g" "$x" "$moved" "$ratio"
        printf 'peak RSS (VmHWM): %s kB = %.1f MB\n' "$(vm VmHWM)" \
            "$(awk -v k="$(vm VmHWM)" 'BEGIN { print k / 1024 }')"
        stop_game
        stop_xvfb
    done
fi

#!/usr/bin/env bash
# The game killed at random moments, as a power cut or `kill -9` would end it, again and
# again on the same home: after every kill, what it remembers (the options, the results,
# the match left unfinished) must still be readable, every file and .bak whole, and the
# results exact: no count goes back, and a kept match counts once, in its own game, when a
# new match is started over it.
#
# Each round starts the game on a private Xvfb display, by turns into a new match
# (`--variant V --ai easy`) and into the kept one (`--resume`, the options dialog when there
# is none), plays a random stream of the table's keys and kills it with SIGKILL. A new match
# is kept only once the person has moved in it, 5 to 16 s into it, so its keys go on until
# the trace shows his first move, then 0.3 to 4 s more; a resumed one gets 0.3 to 4 s. A
# third of the new matches started over a kept one are killed within their first 400 ms,
# while the start counts the kept match as abandoned and forgets it. Every fifth round
# leaves the usual way instead (Escape or SIGTERM): a match the person has played in must
# then be kept. Last, `tarrabel --stats` reads the results and prints them, and the run's
# figures are printed.
#
# Usage: crash_test.sh GAME_DIR PROBE SAVED_FILES_CHECK [KILLS]
#   GAME_DIR           the build root holding tarrabel and res134.pak
#   PROBE              the x11_probe helper (a picture of a window that did not come)
#   SAVED_FILES_CHECK  the saved_files_check helper (parses what the game left on disk)
#   KILLS              the number of rounds, 10 unless given
# CRASH_SEED=N repeats a run's choices (games, keys, moments; the game's own timing aside).
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool on this machine).
set -uo pipefail

game_src=${1:?game folder}
probe=${2:?x11_probe}
check_files=${3:?saved_files_check}
rounds=${4:-10}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
note() { echo "  $*"; }

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/packages.txt lists it)"
        exit 77
    fi
done

# In a sanitizer build, leaks are the game's own: the libraries' are listed in lsan.supp.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp"
export LSAN_OPTIONS="$LSAN_OPTIONS:print_suppressions=0"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarrabel-crash.XXXXXX")
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
config_dir=$XDG_CONFIG_HOME/tarrabel
data_dir=$XDG_DATA_HOME/tarrabel
game_dir=$work/game
xvfb_pid=
game_pid=
watchdog_pid=

cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A ctest timeout kills this script outright, leaving its children running: the watchdog
# then ends every process listed in $work/pids and removes the temporary folder.
(
    while kill -0 $$ 2>/dev/null; do sleep 0.5; done
    [ -f "$work/pids" ] && xargs -r kill -KILL <"$work/pids"
    rm -rf "$work"
) </dev/null >/dev/null 2>&1 &
watchdog_pid=$!

record_pids() {
    echo "$xvfb_pid $game_pid" >"$work/pids"
}

start_xvfb() {
    local fd_file=$work/display deadline=$((SECONDS + 10))
    # -displayfd picks a free display number and writes it once the server is ready.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fd_file" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    record_pids
    while [ ! -s "$fd_file" ]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "FAIL: Xvfb did not start"
            cat "$work/xvfb.log"
            exit 1
        fi
        sleep 0.05
    done
    DISPLAY=:$(head -n1 "$fd_file")
    export DISPLAY
}

# Starts the game in its folder with ARGS, its trace, stdout and stderr beside the folder.
# The shell starts background jobs with SIGINT ignored; the game gets the default back.
start_game() {
    rm -f "$work/trace.json"
    (cd "$game_dir" && exec env --default-signal=INT,QUIT,TERM -u SDL_VIDEODRIVER \
        SDL_AUDIODRIVER=dummy ./tarrabel --trace "$work/trace.json" "$@") \
        >"$work/out" 2>"$work/err" &
    game_pid=$!
    record_pids
}

# Waits up to SECONDS for the game to end; sets game_status (124: still running, killed).
# The shell's note of a killed job goes nowhere: the kills are the test's own.
wait_game() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    while kill -0 "$game_pid" 2>/dev/null && [ "$(date +%s%N)" -lt $deadline ]; do
        sleep 0.02
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        kill -KILL "$game_pid" 2>/dev/null
        wait "$game_pid" 2>/dev/null
        game_status=124
    else
        wait "$game_pid"
        game_status=$?
    fi
    game_pid=
    record_pids
} 2>/dev/null

# Waits up to 20 s for the game's window (a sanitizer build, or a long kept match played
# again before the window opens, starts slowly); sets window.
wait_window() {
    local deadline=$((SECONDS + 20))
    window=
    while [ -z "$window" ] && [ $SECONDS -lt $deadline ] && kill -0 "$game_pid" 2>/dev/null; do
        window=$(xdotool search --pid "$game_pid" 2>/dev/null | head -n1)
        [ -n "$window" ] || sleep 0.05
    done
    [ -n "$window" ]
}

# caption_is PATTERN SECONDS: polls the window's caption until it matches the pattern.
caption=
caption_is() {
    local deadline=$((SECONDS + $2))
    while :; do
        caption=$(xdotool getwindowname "$window" 2>/dev/null)
        [[ "$caption" =~ $1 ]] && return 0
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$game_pid" 2>/dev/null; then return 1; fi
        sleep 0.1
    done
}

keep_picture() {
    "$probe" save "$window" "$PWD/crash-$1.ppm" 2>/dev/null && note "picture kept in $PWD/crash-$1.ppm"
}

# The game's stderr after a round; a sanitizer report or a kept match set aside is a fault.
# Messages the round explains are fine: --resume without a kept match says so.
look_at_stderr() {
    local what=$1
    if grep -qE 'Sanitizer|runtime error:' "$work/err"; then
        fail "$what: sanitizer report on stderr: $(head -c 2000 "$work/err")"
    fi
    local other
    other=$(grep -vF 'no match was left unfinished' "$work/err")
    [ -z "$other" ] || fail "$what: the game says on stderr: $(head -c 2000 <<<"$other")"
}

# Whether the person's last match in the trace was under way when the game left: he moved
# in it (a play, a draw or a pass of seat 0, a suit he named, cards exchanged) or a deal of
# it was scored, and no match ended after that. A resumed match's trace holds the replay.
touched_match() {
    [ -f "$work/trace.json" ] || return 1
    awk '
        /"ev":"(play|draw|pass|suit)","seat":0[,}]/ || /"ev":"exchange"/ { touched = 1 }
        /"ev":"end"/ { touched = 1; if ($0 !~ /"result":""/) touched = 0 }
        END { exit touched ? 0 : 1 }' "$work/trace.json"
}

# Runs saved_files_check; sets counts (an array of played won lost per game), kept ("no",
# "new" or "counted": a kept match the statistics do not count yet, or do), kept_game and
# stale. A failure names the file.
counts=(0 0 0 0 0 0 0 0 0 0 0 0 0 0 0) kept=no kept_game='' stale=0
check_saved_files() {
    local what=$1 report line
    if ! report=$("$check_files" "$config_dir" "$data_dir" 2>"$work/check.err"); then
        fail "$what: $(cat "$work/check.err")"
        keep_saved_files "$what"
    fi
    while read -r line; do
        case $line in
            counts\ *) read -ra counts <<<"${line#counts }" ;;
            kept\ *) read -r _ kept kept_game <<<"$line" ;;
            stale-temp\ *) stale=${line#stale-temp } ;;
        esac
    done <<<"$report"
}

# The saved files as they were when a check failed, for a look afterwards.
kept_files=no
keep_saved_files() {
    [ $kept_files = no ] || return
    kept_files=yes
    rm -rf "$PWD/crash-saved-files"
    mkdir -p "$PWD/crash-saved-files"
    cp -a "$work/config" "$work/data" "$work/err" "$PWD/crash-saved-files/" 2>/dev/null
    note "$1: the saved files are kept in $PWD/crash-saved-files"
}

# The matches counted in the round, against what it may count: no count goes down, and
# the played ones of the whole round lie between LOW and HIGH. OWED_GAME, when set, is the
# game whose kept match the round had to count as abandoned.
previous=(0 0 0 0 0 0 0 0 0 0 0 0 0 0 0)
compare_counts() {
    local what=$1 low=$2 high=$3 owed_game=$4 i was=0 now=0
    for i in "${!previous[@]}"; do
        [ "${counts[i]:-0}" -ge "${previous[i]}" ] ||
            fail "$what: a count went down: '${previous[*]}' -> '${counts[*]}'"
    done
    for i in 0 3 6 9 12; do
        was=$((was + previous[i]))
        now=$((now + counts[i]))
    done
    if [ $((now - was)) -lt "$low" ] || [ $((now - was)) -gt "$high" ]; then
        fail "$what: $((now - was)) matches counted, expected $low to $high:" \
            "'${previous[*]}' -> '${counts[*]}'"
    fi
    if [ -n "$owed_game" ] && [ "$low" -gt 0 ]; then
        i=$((owed_game * 3))
        [ "${counts[i]}" -gt "${previous[i]}" ] ||
            fail "$what: the abandoned match of game $owed_game is not counted in its game"
    fi
    played_now=$now
    previous=("${counts[@]}")
}

# The matches the trace saw end (a resumed match's trace holds the replay of its chain).
matches_ended() {
    [ -f "$work/trace.json" ] || {
        echo 0
        return
    }
    grep '"ev":"end"' "$work/trace.json" | grep -vc '"result":""'
}

# The keys a player uses at the table; Escape (leaving) and F1 (the rules) are not among
# them. keys_for MILLISECONDS: presses random batches of them until the time is up.
keys=(Right Left Up Down Return space d x 1 2 3 4)
press_some_keys() {
    local batch=() i
    for ((i = RANDOM % 4; i >= 0; i--)); do batch+=("${keys[RANDOM % ${#keys[@]}]}"); done
    xdotool key --window "$window" --delay $((10 + RANDOM % 60)) "${batch[@]}" 2>/dev/null
}
keys_for() {
    local until=$(($(date +%s%N) + $1 * 1000000))
    while [ "$(date +%s%N)" -lt $until ] && kill -0 "$game_pid" 2>/dev/null; do
        press_some_keys
    done
}

# A new match is kept only once the person has moved in it, which takes 5 to 16 s of
# dealing and the computers' turns: the keys go on until the trace shows his first move
# (up to 25 s). Answers whether it came.
keys_until_first_move() {
    local deadline=$((SECONDS + 25))
    until grep -qE "$person_moved" "$work/trace.json" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] && kill -0 "$game_pid" 2>/dev/null || return 1
        press_some_keys
    done
}
person_moved='"ev":"(play|draw|pass|suit)","seat":0[,}]|"ev":"exchange"'

sleep_ms() {
    sleep "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))"
}

seed=${CRASH_SEED:-$(($(date +%s) % 32768))}
RANDOM=$seed
echo "crash test: $rounds rounds, CRASH_SEED=$seed"

mkdir -p "$game_dir"
cp "$game_src/tarrabel" "$game_src/res134.pak" "$game_dir/"
start_xvfb
started_at=$(date +%s%N)
kills=0 early_kills=0 leaves=0 kept_seen=0 max_played=0 stale_max=0 played_now=0
new_matches=0 first_moves=0

for ((round = 1; round <= rounds; round++)); do
    # Odd rounds start a new match, even ones resume; every fifth leaves the usual way.
    args=(--windowed)
    new_match=no
    if ((round % 2)); then
        args+=(--variant $((RANDOM % 5)) --ai easy)
        new_match=yes
    else
        args+=(--resume)
    fi
    how=SIGKILL
    if ((round % 5 == 0)); then
        if ((round / 5 % 2)); then how=Escape; else how=SIGTERM; fi
    fi
    expect_dialog=no
    [ $new_match = no ] && [ "$kept" = no ] && expect_dialog=yes
    # A new match counts a kept match not counted yet as abandoned, once.
    owed=0 owed_game=
    if [ $new_match = yes ] && [ "$kept" = new ]; then
        owed=1 owed_game=$kept_game
    fi
    # A new match over a kept one counts that one as abandoned and forgets it before the
    # window opens: a third of those starts are killed within their first 400 ms.
    early=no
    if [ $new_match = yes ] && [ $how = SIGKILL ] && [ "$kept" != no ] && ((RANDOM % 3 == 0)); then
        early=yes
        ms=$((RANDOM % 400))
        what="round $round (${args[*]}, SIGKILL ${ms} ms after the start)"
    else
        ms=$((300 + RANDOM * 3700 / 32768))
        what="round $round (${args[*]}, $how after ${ms} ms)"
        [ $new_match = no ] || what="${what%)} past the person's first move)"
    fi

    start_game "${args[@]}"
    if [ $early = yes ]; then
        sleep_ms "$ms"
    elif ! wait_window; then
        if kill -0 "$game_pid" 2>/dev/null; then
            wait_game 0
            fail "$what: the start hangs: no window within 20 s: $(head -c 2000 "$work/err")"
        else
            wait_game 1
            fail "$what: the start ended with status $game_status before its window:" \
                "$(head -c 2000 "$work/err")"
        fi
        keep_saved_files "$what"
        break
    elif [ $expect_dialog = yes ]; then
        # Nothing kept: the options dialog, left alone (its keys could start a game or
        # reset the results, which this check is not about).
        caption_is '^Tarrabel$' 10 || fail "$what: no options dialog: caption '$caption'"
        sleep_ms "$ms"
    elif caption_is 'Frames per Second' 10; then
        if [ $new_match = yes ]; then
            new_matches=$((new_matches + 1))
            keys_until_first_move && first_moves=$((first_moves + 1))
        fi
        keys_for "$ms"
    else
        fail "$what: not the table: caption '$caption'"
        keep_picture "round-$round"
    fi

    if ! kill -0 "$game_pid" 2>/dev/null; then
        wait_game 1
        fail "$what: the game ended by itself with status $game_status:" \
            "$(head -c 2000 "$work/err")"
    else
        case $how in
            SIGKILL)
                kill -KILL "$game_pid"
                wait_game 5
                kills=$((kills + 1))
                [ $early = no ] || early_kills=$((early_kills + 1))
                [ "$game_status" = 137 ] || fail "$what: status $game_status after SIGKILL"
                ;;
            Escape | SIGTERM)
                if [ $how = Escape ]; then
                    xdotool key --window "$window" Escape 2>/dev/null
                else
                    kill -TERM "$game_pid"
                fi
                wait_game 10
                leaves=$((leaves + 1))
                [ "$game_status" = 0 ] || fail "$what: status $game_status, expected 0"
                ;;
        esac
    fi
    look_at_stderr "$what"

    # Killed early, the start may or may not have counted the abandoned match yet; once the
    # window is up it has. A match played to its end in the round counts too.
    low=$owed
    [ $early = no ] || low=0
    check_saved_files "$what"
    compare_counts "$what" $low $((owed + $(matches_ended))) "$owed_game"
    if [ $how != SIGKILL ] && touched_match && [ "$kept" = no ]; then
        fail "$what: the person played in the match, but no match is kept after leaving"
        keep_saved_files "$what"
    fi
    [ "$kept" = no ] || kept_seen=$((kept_seen + 1))
    [ "$played_now" -gt "$max_played" ] && max_played=$played_now
    [ "$stale" -gt "$stale_max" ] && stale_max=$stale
    leftover=
    [ "$stale" = 0 ] || leftover=", temporary files left by killed writes: $stale"
    echo "$what: counts ${counts[*]}, kept $kept${kept_game:+ (game $kept_game)}$leftover"
    [ $failures -eq 0 ] || break
done
[ $round -le "$rounds" ] || round=$rounds

# A last start that reads the results and prints them.
start_game --stats
wait_game 10
expect_table="Played"
[ "$max_played" -gt 0 ] || expect_table="No matches played yet."
if [ "$game_status" != 0 ]; then
    fail "--stats: status $game_status: $(head -c 2000 "$work/err")"
elif ! grep -qF "$expect_table" "$work/out"; then
    fail "--stats: no '$expect_table' in its table: $(head -c 2000 "$work/out")"
else
    cat "$work/out"
fi

elapsed_ms=$((($(date +%s%N) - started_at) / 1000000))
echo "rounds $round, kills $kills ($early_kills early in the start), left the usual way $leaves," \
    "the person's first move reached in $first_moves of $new_matches new matches," \
    "kept match present after $kept_seen rounds, max played $max_played," \
    "temporary files left at most $stale_max," \
    "wall time $((elapsed_ms / 1000)).$(printf '%03d' $((elapsed_ms % 1000))) s"

if [ $failures -ne 0 ]; then
    echo "crash: $failures check(s) failed (CRASH_SEED=$seed)"
    exit 1
fi
echo "crash: passed"

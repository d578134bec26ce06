#!/usr/bin/env bash
# End-to-end checks of the real game executable, run on a private Xvfb display the way a
# player would meet it: the table on screen, the ways out of the game, a bad archive, no
# display, the command line. Every check copies the game and its archive into a fresh
# temporary folder, so parallel checks never share a `res` tree and the build folder is
# never touched, and every wait has a deadline.
#
# Usage: game_e2e.sh CHECK GAME_DIR PROBE [VARIANT | MANAGER]
#   CHECK     table | quit | dialog | dialog-keys | dialog-exits | bad-archive | box-signals |
#             no-display | command-line | full-screen | kept-files
#   GAME_DIR  the build root holding tarrabel and res134.pak
#   PROBE     the x11_probe helper (pixels, window close, window search)
#   MANAGER   for full-screen: "none" (a bare X display, as a kiosk's) or "openbox"
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool on this machine, or no
# openbox that could be installed).
set -uo pipefail

check=${1:?check}
game_src=${2:?game folder}
probe=${3:?x11_probe}
variant=${4:-0}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
note() { echo "  $*"; }

for tool in Xvfb xdotool; do
    if [ "$check" != command-line ] && ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/packages.txt lists it)"
        exit 77
    fi
done

# In a sanitizer build, leaks are the game's own: the libraries' are listed in lsan.supp.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp"
export LSAN_OPTIONS="$LSAN_OPTIONS:print_suppressions=0"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarrabel-e2e.XXXXXX")
# What the game remembers (options, results, a match left unfinished) stays in the
# temporary folder too, never in the home of whoever runs this.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
game_dir=$work/game
xvfb_pid=
game_pid=
wm_pid=

watchdog_pid=

cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill -TERM "$wm_pid" 2>/dev/null
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

# The processes running now, for the watchdog.
record_pids() {
    echo "$xvfb_pid $game_pid $wm_pid" >"$work/pids"
}

# A fresh copy of the game; ARCHIVE is "good", "truncated", "random" or "missing".
lay_out_game() {
    rm -rf "$game_dir"
    mkdir -p "$game_dir"
    cp "$game_src/tarrabel" "$game_dir/"
    case $1 in
        good) cp "$game_src/res134.pak" "$game_dir/" ;;
        truncated) head -c 100 "$game_src/res134.pak" >"$game_dir/res134.pak" ;;
        random) head -c 65536 /dev/urandom >"$game_dir/res134.pak" ;;
        missing) ;;
    esac
}

# What the game folder holds, names sorted, each followed by a space.
folder_contents() {
    find "$game_dir" -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' '
}

# The game folder must hold what was put there and nothing else: no `res` tree, no
# half-built staging folder.
expect_folder() {
    local want=$1 what=$2 have
    have=$(folder_contents)
    [ "$have" = "$want" ] || fail "$what: the game folder holds '$have', expected '$want'"
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

# Starts the game in its folder with ARGS; stdout and stderr go beside the folder. The
# shell starts background jobs with SIGINT ignored; the game gets the default back, as
# from a terminal. With own_group=yes the game leads a process group of its own, as a
# game started from a terminal does, so that a signal can be sent to the group as Ctrl+C
# sends it.
own_group=no
start_game() {
    local group=()
    [ $own_group = yes ] && group=(setsid)
    (cd "$game_dir" && exec "${group[@]}" env --default-signal=INT,QUIT,TERM \
        -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy ./tarrabel "$@") >"$work/out" 2>"$work/err" &
    game_pid=$!
    record_pids
}

# Waits up to SECONDS for the game to end; sets game_status (124: still running, killed).
wait_game() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    while kill -0 "$game_pid" 2>/dev/null && [ "$(date +%s%N)" -lt $deadline ]; do
        sleep 0.05
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
}

# Waits up to 20 s for the game's window (a sanitizer build starts slowly); sets window.
wait_window() {
    local deadline=$((SECONDS + 20))
    window=
    while [ -z "$window" ] && [ $SECONDS -lt $deadline ] && kill -0 "$game_pid" 2>/dev/null; do
        window=$(xdotool search --pid "$game_pid" 2>/dev/null | head -n1)
        [ -n "$window" ] || sleep 0.05
    done
    [ -n "$window" ]
}

# Where the table lies in the window: its left and top, and its scale as a fraction. An
# 800x600 window shows it as it is; a full screen of 1280x1024 shows it 8/5 its size
# between two black bars of 32 rows.
view=(0 0 1 1)
# to_window X Y [W H]: the table's coordinates (a point or a rectangle) in the window's.
to_window() {
    local out=($((view[0] + $1 * view[2] / view[3])) $((view[1] + $2 * view[2] / view[3])))
    [ $# -eq 4 ] && out+=($(($3 * view[2] / view[3])) $(($4 * view[2] / view[3])))
    echo "${out[@]}"
}

# Keeps the window's pixels beside the test for a look when a picture check fails.
keep_picture() {
    "$probe" save "$window" "$PWD/e2e-$1.ppm" && note "picture kept in $PWD/e2e-$1.ppm"
}

# colours X Y W H: sets felt and card to the per-mille shares of the rectangle.
felt=0 card=0
colours() {
    local line
    line=$("$probe" colours "$window" "$@") || return 1
    read -r felt card _ <<<"${line//[a-z=]/}"
}

# Three rectangles' shares: a bar, the table, a bar. The bars are all black, the table
# mostly felt.
letterboxed() {
    local bar="felt=0 card=0 black=1000"
    [[ "$1" =~ ^$bar\ felt=([0-9]+)\ card=[0-9]+\ black=[0-9]+\ $bar\ $ ]] &&
        [ "${BASH_REMATCH[1]}" -ge 600 ]
}

expect_status() {
    local want=$1 what=$2
    if [ "$game_status" = 124 ]; then
        fail "$what: still running after the deadline (killed)"
    elif [ "$want" = nonzero ]; then
        [ "$game_status" != 0 ] || fail "$what: exit status 0, expected a failure"
    elif [ "$game_status" != "$want" ]; then
        fail "$what: exit status $game_status, expected $want"
    fi
}

stderr_names() {
    local text=$1 what=$2
    grep -qF -- "$text" "$work/err" || fail "$what: stderr does not say '$text': $(cat "$work/err")"
}

# A failure path must still end cleanly: no sanitizer report in a sanitizer build.
no_sanitizer_report() {
    ! grep -qE 'Sanitizer|runtime error:' "$work/err" ||
        fail "$1: sanitizer report on stderr: $(head -c 2000 "$work/err")"
}

stderr_empty() {
    [ ! -s "$work/err" ] || fail "$1: unexpected output on stderr: $(head -c 2000 "$work/err")"
}

# The table, seed 7, mid-deal: felt over most of the window and in each quarter of it,
# cards on it, the windowed caption with the pointer and frame rate, no `res` tree left
# while playing; then letterboxing in a wider and a taller window, and Escape.
check_table() {
    local what="variant $variant"
    lay_out_game good
    start_xvfb
    start_game --windowed --seed 7 --variant "$variant"
    if ! wait_window; then
        wait_game 1
        fail "$what: no window appeared (status $game_status): $(cat "$work/err")"
        return
    fi
    local WIDTH=unknown HEIGHT=unknown
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
    if [ "$WIDTH" != 800 ] || [ "$HEIGHT" != 600 ]; then
        fail "$what: the window opened at ${WIDTH}x${HEIGHT}, expected the table's 800x600"
    fi

    # Two seconds in, the deal is under way; a slow (sanitizer) build may need longer for
    # its first frames, so the check is repeated for up to 8 more seconds.
    sleep 2
    local deadline=$((SECONDS + 8))
    while colours 0 0 800 600 && { [ "$felt" -lt 600 ] || [ "$card" -lt 20 ]; } &&
        [ $SECONDS -lt $deadline ]; do
        sleep 0.25
    done
    note "$what: felt $felt‰, cards $card‰ of the window"
    if [ "$felt" -lt 600 ] || [ "$card" -lt 20 ]; then
        fail "$what: not the table: felt $felt‰ (want >= 600), cards $card‰ (want >= 20)"
        keep_picture "table-$variant"
    fi
    local x y
    for x in 0 400; do
        for y in 0 300; do
            colours "$x" "$y" 400 300
            [ "$felt" -ge 300 ] ||
                fail "$what: the quarter at $x,$y is $felt‰ felt; the felt should fill the window"
        done
    done

    local caption
    caption=$(xdotool getwindowname "$window")
    [[ "$caption" =~ ^\ \ \ [0-9]+\ \ \ [0-9]+\ \ \ \ Frames\ per\ Second\ =[0-9]*\.[0-9]$ ]] ||
        fail "$what: window caption '$caption'"
    [ ! -e "$game_dir/res" ] || fail "$what: the res tree is still there while playing"

    # Wider than the table: black bars left and right. Taller: above and below.
    xdotool windowmove "$window" 0 0 windowsize "$window" 1000 600
    sleep 0.5
    local bars
    bars=$("$probe" colours "$window" 0 0 100 600 100 0 800 600 900 0 100 600 | tr '\n' ' ')
    if ! letterboxed "$bars"; then
        fail "$what: a 1000x600 window is not letterboxed left and right: $bars"
        keep_picture "letterbox-wide-$variant"
    fi
    xdotool windowsize "$window" 800 800
    sleep 0.5
    bars=$("$probe" colours "$window" 0 0 800 100 0 100 800 600 0 700 800 100 | tr '\n' ' ')
    if ! letterboxed "$bars"; then
        fail "$what: an 800x800 window is not letterboxed above and below: $bars"
        keep_picture "letterbox-tall-$variant"
    fi

    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "$what, Escape"
    stderr_empty "$what"
    expect_folder "res134.pak tarrabel " "$what, after Escape"
}

# The other ways out, each through the game's normal exit: status 0 and the tree deleted.
# A delay of 0 ends the game the moment its window appears, while it may still be loading.
check_quit() {
    start_xvfb
    local row how delay what
    for row in "SIGTERM 1" "SIGINT 1" "close 1" "SIGTERM 0" "close 0"; do
        read -r how delay <<<"$row"
        what="$how ${delay}s after the window appeared"
        lay_out_game good
        start_game --windowed --seed 7 --variant 0
        if ! wait_window; then
            wait_game 1
            fail "$what: no window appeared (status $game_status): $(cat "$work/err")"
            continue
        fi
        sleep "$delay"
        case $how in
            SIGTERM) kill -TERM "$game_pid" ;;
            SIGINT) kill -INT "$game_pid" ;;
            close) "$probe" close "$window" ;;
        esac
        wait_game 5
        note "$what: status $game_status"
        expect_status 0 "$what"
        stderr_empty "$what"
        expect_folder "res134.pak tarrabel " "$what"
    done
}

# The game's window, looked up again: the dialog's window becomes the table's.
find_window() {
    window=$(xdotool search --pid "$game_pid" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

# The options dialog: the plain title as caption, the felt over most of the window, and in
# the top-left corner the dialog's gold heading where the table keeps its deck.
shows_dialog() {
    find_window && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = Tarrabel ] &&
        colours 0 0 800 600 && [ "$felt" -ge 600 ] &&
        colours 0 0 100 100 && [ "$card" -lt 100 ]
}

# The table: the frame-rate caption, felt with cards on it, the deck's back in the top-left
# corner and the human's cards in the row at the bottom.
hand_row=(200 420 400 160)
# shellcheck disable=SC2046  # the rectangle's four numbers
shows_table() {
    find_window &&
        [[ "$(xdotool getwindowname "$window" 2>/dev/null)" =~ Frames\ per\ Second ]] &&
        colours 0 0 800 600 && [ "$felt" -ge 600 ] && [ "$card" -ge 20 ] &&
        colours 0 0 100 100 && [ "$card" -ge 500 ] &&
        colours $(to_window "${hand_row[@]}") && [ "$card" -ge 100 ]
}

# Nothing may be unpacked while the dialog is up: the dialog comes first.
res_seen=no
look_for_res() {
    [ ! -e "$game_dir/res" ] || res_seen=yes
}

# until_shown CONDITION SECONDS: polls CONDITION while the game runs, watching for `res`.
until_shown() {
    local deadline=$((SECONDS + $2))
    until $1; do
        look_for_res
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$game_pid" 2>/dev/null; then
            $1
            return
        fi
        sleep 0.1
    done
}

# Like wait_game, watching for `res` until the game has ended.
wait_game_watching() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    while kill -0 "$game_pid" 2>/dev/null && [ "$(date +%s%N)" -lt $deadline ]; do
        look_for_res
        sleep 0.02
    done
    look_for_res
    wait_game 1
}

# still_row FILE: waits (up to 3 s) until two pictures of the human's row a quarter of a
# second apart are the same, no card flying over it, and keeps the last one in FILE.
still_row() {
    local deadline=$((SECONDS + 3)) row
    row=$(to_window "${hand_row[@]}")
    # shellcheck disable=SC2086  # the rectangle's four numbers
    "$probe" save "$window" "$1" $row || return 1
    # shellcheck disable=SC2086
    while sleep 0.25 && "$probe" save "$window" "$work/row-next.ppm" $row &&
        ! cmp -s "$1" "$work/row-next.ppm" && [ $SECONDS -lt $deadline ]; do
        mv "$work/row-next.ppm" "$1"
    done
}

# Sets right_end to the rightmost column of the human's row that a card covers.
right_end=0
find_right_end() {
    local rects=() x row
    read -ra row <<<"$(to_window "${hand_row[@]}")"
    for ((x = row[0]; x < row[0] + row[2]; x++)); do
        rects+=("$x" $((row[1] + 10)) 1 $((row[3] - 20)))
    done
    right_end=$("$probe" colours "$window" "${rects[@]}" |
        awk -v left="${row[0]}" '$2 ~ /^card=/ && substr($2, 6) + 0 >= 500 {
            end = left + NR - 1 } END { print end + 0 }')
}

# The row's picture alone can mislead (a card drawn for him and a pass can leave it changed
# and no wider), so the play counts once the trace, written line by line as the game goes,
# holds it: it is traced when the card lands on the pile, some frames after it leaves.
traced_human_play() {
    local deadline=$((SECONDS + 3))
    until grep -q '"ev":"play","seat":0,' "$work/trace.json" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# The human plays a card with a left click. The game waits for him only when one of his
# cards may be played (with none it draws and passes for him), and ignores clicks while the
# computers play and on cards that may not be played; so each card of the row is clicked in
# turn, left to right, until one leaves. The cards overlap in fixed slots, so a card played
# from the middle leaves a gap that the card below fills: the row's picture changes while
# its right end stays (or moves left, for the last card). A card drawn for him instead
# moves the right end out. In the deal of $human_leads (the same every time) the human
# leads with cards he may play, so his turn comes as soon as the cards are dealt (which of
# his playable cards leaves depends on where the sweep is when it comes).
human_leads=10
play_a_card() {
    local deadline=$((SECONDS + 40)) before x
    # shellcheck disable=SC2046  # the point's two numbers
    xdotool mousemove --window "$window" $(to_window 700 300)
    while [ $SECONDS -lt $deadline ] && kill -0 "$game_pid" 2>/dev/null; do
        for x in $(seq 283 17 487); do
            still_row "$work/row-before.ppm" && find_right_end || return 1
            before=$right_end
            # The pointer is drawn by the game: it goes back to the felt off the row.
            # shellcheck disable=SC2046
            xdotool mousemove --window "$window" $(to_window "$x" 500) sleep 0.1 click 1 \
                mousemove --window "$window" $(to_window 700 300)
            sleep 0.3
            still_row "$work/row-after.ppm" && find_right_end || return 1
            if ! cmp -s "$work/row-before.ppm" "$work/row-after.ppm" &&
                [ "$right_end" -le "$before" ] && traced_human_play; then
                note "a click at $x,500 took a card from the row (its right end from $before to $right_end)"
                return 0
            fi
        done
    done
    return 1
}

# Without --variant the options dialog comes first: it is shown in its 800x600 window
# (kept at that size by --windowed), Return turns it into the table of seed 10, the human
# plays a card with a click, Escape ends the game cleanly. The trace confirms the human's
# play.
check_dialog() {
    lay_out_game good
    start_xvfb
    start_game --windowed --seed "$human_leads" --trace "$work/trace.json"
    if ! wait_window; then
        wait_game 1
        fail "no window appeared (status $game_status): $(cat "$work/err")"
        return
    fi
    if ! until_shown shows_dialog 10; then
        fail "not the options dialog: caption '$(xdotool getwindowname "$window")'," \
            "top-left corner $card‰ cards"
        keep_picture dialog
    fi
    [ $res_seen = no ] || fail "the res tree appeared while the dialog was up"

    local started=$SECONDS
    xdotool key --window "$window" Return
    if until_shown shows_table 15; then
        note "the table was shown $((SECONDS - started)) s after Return: felt $felt‰ of the window"
    else
        fail "no table after Return: caption '$(xdotool getwindowname "$window")'"
        keep_picture dialog-table
    fi
    local WIDTH=unknown HEIGHT=unknown
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
    if [ "$WIDTH" != 800 ] || [ "$HEIGHT" != 600 ]; then
        fail "--windowed: the table's window is ${WIDTH}x${HEIGHT}, expected 800x600"
    fi

    started=$SECONDS
    if play_a_card; then
        note "the human played $((SECONDS - started)) s after the table was shown"
    else
        fail "no click on the human's row played a card within 30 s"
        keep_picture dialog-play
    fi

    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the table"
    stderr_empty "the game started from the dialog"
    expect_folder "res134.pak tarrabel " "after Escape at the table"
    grep -q '"ev":"play","seat":0,' "$work/trace.json" ||
        fail "the trace holds no play of the human's: $(grep -v dealt "$work/trace.json")"
}

# The options dialog on the keyboard alone, no pointer event sent: Up takes the focus to the
# tabs, Right along them opens "Options", Down goes through its games to "Agonia" and Space
# picks it, Down on through "Illustrated Agonia" and "Pis Yedili" to "Easy" and Space picks
# that level; then Return starts. The keys go as fast as xdotool types them, each pressed
# again right after its release. The trace's deal is Agonia's (variant 2) and Escape leaves.
check_dialog_keys() {
    lay_out_game good
    start_xvfb
    start_game --windowed --seed "$human_leads" --trace "$work/trace.json"
    if ! wait_window || ! until_shown shows_dialog 10; then
        [ -z "$window" ] || keep_picture dialog-keys
        wait_game 1
        fail "no dialog appeared (status $game_status): $(cat "$work/err")"
        return
    fi
    xdotool key --window "$window" Up Right Right Right Right Down Down Down space \
        Down Down Down space
    sleep 0.5
    xdotool key --window "$window" Return
    if ! until_shown shows_table 15; then
        fail "no table after Return: caption '$(xdotool getwindowname "$window")'"
        keep_picture dialog-keys-table
    fi
    local deal
    deal=$(grep -m1 '"ev":"deal"' "$work/trace.json" 2>/dev/null)
    if [[ "$deal" == *'"variant":2,'* ]]; then
        note "the keys chose Agonia: ${deal:0:60}"
    else
        fail "the first deal is not Agonia's (variant 2): '${deal:0:80}'"
    fi
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the table"
    stderr_empty "the game started by keys from the dialog"

    # The next start opens the dialog with those choices: Return at once starts Agonia
    # against the easy players again.
    if grep -q '^game=Agonia$' "$XDG_CONFIG_HOME/tarrabel/settings.ini" 2>/dev/null &&
        grep -q '^level=Easy$' "$XDG_CONFIG_HOME/tarrabel/settings.ini"; then
        note "settings.ini keeps Agonia and Easy"
    else
        fail "settings.ini does not keep the choices: '$(cat "$XDG_CONFIG_HOME/tarrabel/settings.ini" 2>&1)'"
    fi
    rm -f "$work/trace.json"
    start_game --windowed --seed "$human_leads" --trace "$work/trace.json"
    if ! wait_window || ! until_shown shows_dialog 10; then
        wait_game 1
        fail "no dialog at the second start (status $game_status): $(cat "$work/err")"
        return
    fi
    xdotool key --window "$window" Return
    until_shown shows_table 15 || fail "no table after Return at the second start"
    deal=$(grep -m1 '"ev":"deal"' "$work/trace.json" 2>/dev/null)
    [[ "$deal" == *'"variant":2,'* ]] && note "the second start chose Agonia again" ||
        fail "the second start's first deal is not Agonia's: '${deal:0:80}'"
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the table of the second start"
    stderr_empty "the second start"
}

# The ways out of the dialog without a game: Escape, its "Exit" button, the close box,
# SIGTERM and SIGINT. Each ends with status 0 within 5 s and never unpacks the art.
check_dialog_exits() {
    start_xvfb
    local how
    for how in Escape Exit close SIGTERM SIGINT; do
        lay_out_game good
        res_seen=no
        start_game --windowed --seed 7
        if ! wait_window || ! until_shown shows_dialog 10; then
            [ -z "$window" ] || keep_picture "dialog-$how"
            wait_game 1
            fail "$how: no dialog appeared (window '${window}', status $game_status," \
                "stdout '$(cat "$work/out")', stderr '$(cat "$work/err")')"
            continue
        fi
        local started
        started=$(date +%s%N)
        case $how in
            Escape) xdotool key --window "$window" Escape ;;
            # The button sits at the bottom right; the pointer rests on it a moment before
            # the press, as a player's would.
            Exit) xdotool mousemove --window "$window" 707 573 sleep 0.2 click 1 ;;
            close) "$probe" close "$window" ;;
            SIGTERM) kill -TERM "$game_pid" ;;
            SIGINT) kill -INT "$game_pid" ;;
        esac
        wait_game_watching 5
        note "$how: status $game_status after $((($(date +%s%N) - started) / 1000000)) ms"
        expect_status 0 "$how on the dialog"
        stderr_empty "$how on the dialog"
        [ $res_seen = no ] || fail "$how: the res tree appeared although no game was started"
        expect_folder "res134.pak tarrabel " "$how on the dialog"
    done
}

# A missing or damaged archive: a message naming it on stderr, a failure status within
# 5 s, nothing unpacked left behind, and never the game's own window: without --variant
# the archive is checked before the options dialog opens (the dialog is titled
# "Tarrabel" too, so a Return sent to it would start a game), with --variant before the
# table opens. Where the display can show SDL's message box (it needs an X font for its
# text) the box must appear, titled "Tarrabel"; it is then dismissed with Return as a
# player would click it away. The box is not the game's window: SDL gives it no process id.
check_bad_archive() {
    start_xvfb
    local kind args deadline box shown game_window what
    while read -r kind args; do
        what="$kind archive${args:+ with $args}"
        lay_out_game "$kind"
        local before
        before=$(folder_contents)
        # shellcheck disable=SC2086  # the arguments are split on purpose
        start_game --windowed --seed 7 $args
        deadline=$((SECONDS + 5))
        shown=no game_window=
        while kill -0 "$game_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            [ -n "$game_window" ] ||
                game_window=$(xdotool search --pid "$game_pid" 2>/dev/null | head -n1)
            box=$("$probe" find Tarrabel 2>/dev/null | head -n1)
            if [ -n "$box" ] && [ $shown = no ] && [ -z "$game_window" ]; then
                shown=yes
                xdotool key --window "$box" Return 2>/dev/null
            fi
            sleep 0.05
        done
        [ -z "$game_window" ] || fail "$what: the game opened its window before reporting it"
        wait_game 1
        note "$what: status $game_status, message box shown: $shown"
        expect_status nonzero "$what"
        stderr_names res134.pak "$what"
        no_sanitizer_report "$what"
        expect_folder "$before" "$what"
        if [ "$kind" = random ] && [ $failures -ne 0 ]; then
            cp "$game_dir/res134.pak" "$PWD/e2e-random.pak" 2>/dev/null &&
                note "the random archive is kept in $PWD/e2e-random.pak"
        fi
    done <<'ROWS'
truncated
random
missing
truncated --variant 0
missing --variant 0
ROWS
}

# The error box of a damaged archive, up and waiting for its OK, and a signal: SIGINT to the
# game's process group as Ctrl+C in its terminal sends it, SIGINT or SIGTERM to the game
# alone as `kill` does. Before the dialog (no --variant) and with --variant, where the
# game holds signals back while it unpacks the art. The game must end within 5 s with the
# error's status 1 and the box must go with it, nothing unpacked left behind.
check_box_signals() {
    start_xvfb
    own_group=yes
    local how args deadline box what
    while read -r how args; do
        what="$how while the error box is up${args:+, with $args}"
        lay_out_game truncated
        local before
        before=$(folder_contents)
        # shellcheck disable=SC2086  # the arguments are split on purpose
        start_game --windowed --seed 7 $args
        deadline=$((SECONDS + 10))
        box=
        while [ -z "$box" ] && kill -0 "$game_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            box=$("$probe" find Tarrabel 2>/dev/null | head -n1)
            [ -n "$box" ] || sleep 0.05
        done
        if [ -z "$box" ]; then
            fail "$what: no message box appeared: $(cat "$work/err")"
            wait_game 1
            continue
        fi
        sleep 0.3  # the box waits for its OK
        case $how in
            Ctrl+C) kill -INT -- "-$game_pid" ;;
            SIGINT) kill -INT "$game_pid" ;;
            SIGTERM) kill -TERM "$game_pid" ;;
        esac
        wait_game 5
        note "$what: status $game_status"
        expect_status 1 "$what"
        deadline=$((SECONDS + 2))
        while [ -n "$("$probe" find Tarrabel 2>/dev/null)" ] && [ $SECONDS -lt $deadline ]; do
            sleep 0.05
        done
        [ -z "$("$probe" find Tarrabel 2>/dev/null)" ] ||
            fail "$what: the message box is still on the screen after the game ended"
        stderr_names res134.pak "$what"
        no_sanitizer_report "$what"
        expect_folder "$before" "$what"
    done <<'ROWS'
Ctrl+C
SIGINT
SIGTERM
Ctrl+C --variant 0
SIGINT --variant 0
SIGTERM --variant 0
ROWS
    own_group=no
}

# A window manager on the display, started by the test; openbox is installed first where
# it is missing (scripts/packages.txt lists it).
start_openbox() {
    if ! command -v openbox >/dev/null; then
        bash "$(dirname "$0")/../../scripts/install-deps.sh" openbox >"$work/install.log" 2>&1 ||
            {
                echo "SKIP: openbox is missing and could not be installed: $(tail -n 3 "$work/install.log")"
                exit 77
            }
    fi
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    record_pids
    local deadline=$((SECONDS + 10))
    until "$probe" manager; do
        if ! kill -0 "$wm_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "FAIL: openbox did not start: $(cat "$work/openbox.log")"
            exit 1
        fi
        sleep 0.05
    done
}

# window_at X Y W H SECONDS: polls until the window is at X Y (either may be *, anywhere)
# with size W H on the screen; sets at to where it was last seen.
at=
window_at() {
    local deadline=$((SECONDS + $5)) X Y WIDTH HEIGHT
    while :; do
        X='' Y='' WIDTH='' HEIGHT=
        eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null |
            grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9-]+$')"
        at="$X $Y $WIDTH $HEIGHT"
        # shellcheck disable=SC2053  # * matches any position
        [[ $X == $1 && $Y == $2 && $WIDTH == "$3" && $HEIGHT == "$4" ]] && return 0
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# The whole table full screen on the display's 1280x1024: a black bar of 32 rows above and
# one below, the felt over most of the table between them, the deck's back in the table's
# top-left corner and the human's cards in the row at its bottom.
# shellcheck disable=SC2046  # the rectangles' four numbers
shows_whole_table() {
    letterboxed "$("$probe" colours "$window" 0 0 1280 32 0 32 1280 960 0 992 1280 32 |
        tr '\n' ' ')" &&
        colours $(to_window 0 0 100 100) && [ "$card" -ge 500 ] &&
        colours $(to_window "${hand_row[@]}") && [ "$card" -ge 100 ]
}

# Full screen, with the window manager MANAGER ("none" or "openbox"): the window covers the
# screen and shows the whole table; F11 gives the 800x600 window back with the table whole
# in it and the frame-rate caption, Alt+Return full screen again; then a click on the
# human's row plays a card (the trace holds it), in the same deal: the deal went on through
# the switches. Escape ends the game cleanly.
check_full_screen() {
    local manager=$variant what="full screen with window manager $variant"
    lay_out_game good
    start_xvfb
    case $manager in
        none)
            ! "$probe" manager || {
                fail "a window manager runs on the fresh display"
                return
            }
            ;;
        openbox) start_openbox ;;
        *)
            echo "unknown window manager: $manager"
            exit 2
            ;;
    esac
    start_game --seed "$human_leads" --variant 0 --trace "$work/trace.json"
    if ! wait_window; then
        wait_game 1
        fail "$what: no window appeared (status $game_status): $(cat "$work/err")"
        return
    fi
    window_at 0 0 1280 1024 5 || fail "$what: the window is at '$at', not over the screen"
    view=(0 32 8 5)
    if ! until_shown shows_whole_table 10; then
        fail "$what: not the whole table"
        keep_picture "full-screen-$manager"
    fi

    xdotool key --window "$window" F11
    window_at '*' '*' 800 600 5 || fail "$what: after F11 the window is at '$at', not 800x600"
    view=(0 0 1 1)
    if ! until_shown shows_table 5; then
        fail "$what: after F11 not the table in its window: caption" \
            "'$(xdotool getwindowname "$window")'"
        keep_picture "full-screen-f11-$manager"
    fi
    xdotool key --window "$window" alt+Return
    window_at 0 0 1280 1024 5 || fail "$what: after Alt+Return the window is at '$at'"
    view=(0 32 8 5)
    if ! until_shown shows_whole_table 5; then
        fail "$what: after Alt+Return not the whole table"
        keep_picture "full-screen-alt-return-$manager"
    fi

    local started=$SECONDS
    if play_a_card; then
        note "$what: the human played $((SECONDS - started)) s after the switches"
    else
        fail "$what: no click on the human's row played a card"
        keep_picture "full-screen-play-$manager"
    fi
    [ "$(grep -c '"ev":"deal"' "$work/trace.json")" = 1 ] ||
        fail "$what: the switches started another deal"

    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "$what, Escape"
    stderr_empty "$what"
    expect_folder "res134.pak tarrabel " "$what, after Escape"
}

# No display at all: the game says so, fails, and deletes the tree it had unpacked.
check_no_display() {
    lay_out_game good
    unset DISPLAY WAYLAND_DISPLAY
    start_game --windowed --seed 7
    wait_game 5
    note "no display: status $game_status"
    expect_status nonzero "no display"
    stderr_names "No display" "no display"
    no_sanitizer_report "no display"
    expect_folder "res134.pak tarrabel " "no display"
}

# Options: --help prints every option and succeeds, also after other options, which are
# read first and must be right; a wrong option or value fails with status 2 and the usage
# line. None of them unpacks anything.
check_command_line() {
    unset DISPLAY WAYLAND_DISPLAY
    local args want stream option
    while IFS='|' read -r args want stream; do
        lay_out_game good
        # shellcheck disable=SC2086  # the arguments are split on purpose
        start_game $args
        wait_game 5
        expect_status "$want" "'$args'"
        grep -qF "usage: tarrabel" "$work/$stream" ||
            fail "'$args': no usage line on std$stream: $(cat "$work/$stream")"
        no_sanitizer_report "'$args'"
        if [ "${args##* }" = --help ]; then
            for option in --windowed --variant --ai --seed --four-colour --trace --help; do
                grep -qF -- "$option" "$work/out" || fail "'--help' does not explain $option"
            done
        fi
        expect_folder "res134.pak tarrabel " "'$args'"
    done <<'ROWS'
--help|0|out
--ai expert --help|0|out
--variant 9|2|err
--variant -1|2|err
--variant|2|err
--seed x|2|err
--ai foo|2|err
--ai EXPERT|2|err
--ai|2|err
--bogus|2|err
--windowed --variant 1 extra|2|err
ROWS
}

# A whole deal on the keyboard alone: no pointer event is sent. In the deal of $human_leads
# the human's turns come one after another; at each the frame is walked along his hand
# from the left (Home), Enter trying each card (a card he may not play is refused), and 1
# names clubs after a wild card. The trace shows his plays and the deal's end; any key
# deals again, F1 holds the new deal under the rules (the trace stands still), Escape
# closes them and the deal goes on, a second Escape leaves the game.
check_keyboard() {
    lay_out_game good
    start_xvfb
    start_game --windowed --variant 0 --seed "$human_leads" --trace "$work/trace.json"
    if ! wait_window; then
        wait_game 1
        fail "no window appeared (status $game_status): $(cat "$work/err")"
        return
    fi
    local deadline=$((SECONDS + 90)) sweep=(Home) i
    for i in $(seq 14); do sweep+=(Return Right); done
    sweep+=(1)
    until grep -q '"ev":"end"' "$work/trace.json" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$game_pid" 2>/dev/null; then
            fail "the deal did not end within 90 s of keys: $(grep -c '"ev":"play","seat":0,' \
                "$work/trace.json") plays of the human's"
            keep_picture keyboard
            return
        fi
        xdotool key --window "$window" --delay 80 "${sweep[@]}"
    done
    local plays
    plays=$(grep -c '"ev":"play","seat":0,' "$work/trace.json")
    if [ "$plays" -ge 1 ]; then
        note "the deal ended with $plays plays of the human's, all by keys"
    else
        fail "the deal ended without a play of the human's"
    fi

    # The computer players' hands turn face up; Space turns to the score page, and a
    # second Space deals again (the last keys of the sweep may have done either already).
    sleep 1
    xdotool key --window "$window" space
    sleep 0.5
    xdotool key --window "$window" space
    local waited=0
    until [ "$(grep -c '"ev":"deal"' "$work/trace.json")" -ge 2 ] || [ $waited -ge 50 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    [ "$(grep -c '"ev":"deal"' "$work/trace.json")" -ge 2 ] || fail "Space did not deal again"
    xdotool key --window "$window" F1
    sleep 0.5
    local held
    held=$(wc -l <"$work/trace.json")
    sleep 1.5
    [ "$(wc -l <"$work/trace.json")" -eq "$held" ] ||
        fail "the deal went on under the rules (F1)"
    xdotool key --window "$window" Escape
    sleep 1.5
    [ "$(wc -l <"$work/trace.json")" -gt "$held" ] || fail "Escape did not close the rules"
    kill -0 "$game_pid" 2>/dev/null || fail "Escape over the rules left the game"
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the table"
    stderr_empty "the game played by keys"

    # Left in its second deal, the match is kept: --resume gives the same table back, and
    # its trace begins with the whole trace of the game that was left.
    [ -f "$XDG_DATA_HOME/tarrabel/unfinished-match.txt" ] || fail "the match left was not kept"
    cp "$work/trace.json" "$work/left.json"
    start_game --windowed --resume --trace "$work/trace.json"
    if ! wait_window || ! until_shown shows_table 15; then
        wait_game 1
        fail "no table on --resume (status $game_status): $(cat "$work/err")"
        return
    fi
    sleep 1
    if cmp -s -n "$(stat -c %s "$work/left.json")" "$work/left.json" "$work/trace.json"; then
        note "the resumed trace begins with the $(wc -l <"$work/left.json") events of the game left"
    else
        fail "the resumed game's trace does not begin with the trace of the game left"
    fi
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the resumed table"
    stderr_empty "the resumed game"

    # A match played to its end counts in the statistics. With the target at 5 points the
    # first deal ends the match (a test hook; the games' own targets are 100 and 500); a new
    # match over the kept one counts that one as abandoned.
    rm -f "$work/trace.json"
    TARRABEL_TARGET_SCORE=5 start_game --windowed --variant 0 --seed "$human_leads" \
        --trace "$work/trace.json"
    if ! wait_window; then
        wait_game 1
        fail "no window for the short match (status $game_status): $(cat "$work/err")"
        return
    fi
    deadline=$((SECONDS + 90))
    until grep -q '"ev":"end"' "$work/trace.json" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$game_pid" 2>/dev/null; then
            fail "the short match did not end within 90 s of keys"
            keep_picture keyboard-short-match
            return
        fi
        xdotool key --window "$window" --delay 80 "${sweep[@]}"
    done
    sleep 1
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape after the short match"
    [ -f "$XDG_DATA_HOME/tarrabel/unfinished-match.txt" ] &&
        fail "a match played to its end is still kept as unfinished"
    local stats
    stats=$(cd "$game_dir" && ./tarrabel --stats 2>&1)
    note "--stats: $(echo "$stats" | grep -m1 Tarrabel)"
    # Standard players: one match of Tarrabel abandoned (lost) and one played to its end.
    if echo "$stats" | grep -Eq '^ *Tarrabel +2 +[01] +[12] '; then
        note "--stats shows both matches"
    else
        fail "--stats does not show the two matches of Tarrabel: $stats"
    fi
}

# What the game finds on disk and cannot use: a damaged line of settings.ini is named on
# stderr and passed by (the rest still counts); a kept match that cannot be read is set
# aside with a message, and the game starts as if there were none.
check_kept_files() {
    lay_out_game good
    start_xvfb
    mkdir -p "$XDG_CONFIG_HOME/tarrabel" "$XDG_DATA_HOME/tarrabel"
    printf 'game=Agonia\nthis is not a setting\nlevel=Godlike\n' \
        >"$XDG_CONFIG_HOME/tarrabel/settings.ini"
    printf 'tarrabel unfinished match 1\nversion=0.1\n' \
        >"$XDG_DATA_HOME/tarrabel/unfinished-match.txt"
    start_game --windowed --seed 7 --trace "$work/trace.json"
    if ! wait_window || ! until_shown shows_dialog 10; then
        wait_game 1
        fail "no dialog over the damaged files (status $game_status): $(cat "$work/err")"
        return
    fi
    xdotool key --window "$window" Return
    until_shown shows_table 15 || fail "no table after Return"
    local deal
    deal=$(grep -m1 '"ev":"deal"' "$work/trace.json" 2>/dev/null)
    [[ "$deal" == *'"variant":2,'* ]] && note "the good line of settings.ini still counts" ||
        fail "settings.ini's game=Agonia did not count: '${deal:0:80}'"
    xdotool key --window "$window" Escape
    wait_game 5
    expect_status 0 "Escape at the table"
    grep -q "settings.ini:2:" "$work/err" && grep -q "settings.ini:3:" "$work/err" &&
        note "stderr names the two damaged lines" ||
        fail "stderr does not name settings.ini's lines 2 and 3: $(cat "$work/err")"
    grep -q "cannot be resumed" "$work/err" || fail "nothing said of the damaged kept match"
    [ -f "$XDG_DATA_HOME/tarrabel/unfinished-match.txt.unusable" ] ||
        fail "the damaged kept match was not set aside"
    grep -q "Godlike" "$XDG_CONFIG_HOME/tarrabel/settings.ini" &&
        fail "the settings written back still hold the damaged line"
    no_sanitizer_report "the damaged files"
}

case $check in
    table) check_table ;;
    kept-files) check_kept_files ;;
    quit) check_quit ;;
    dialog) check_dialog ;;
    dialog-keys) check_dialog_keys ;;
    keyboard) check_keyboard ;;
    dialog-exits) check_dialog_exits ;;
    bad-archive) check_bad_archive ;;
    box-signals) check_box_signals ;;
    full-screen) check_full_screen ;;
    no-display) check_no_display ;;
    command-line) check_command_line ;;
    *)
        echo "unknown check: $check"
        exit 2
        ;;
esac

if [ $failures -ne 0 ]; then
    echo "$check: $failures check(s) failed"
    exit 1
fi
echo "$check: passed"

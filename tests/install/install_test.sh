#!/usr/bin/env bash
# Installs the game into a fresh temporary prefix and starts it from there the way a player
# would after `cmake --install`: found on PATH, its data folder read-only. The prefix must
# hold exactly the game, its archive, the desktop entry, the icons and the documents; the
# game must start (status 0 after its first table frame) and leave nothing behind: no `res`
# tree in its data folder and no private unpacking folder in $TMPDIR.
#
# As root the read-only prefix would not stop the game from writing, so the game then runs
# as the unprivileged "nobody" (setpriv from util-linux, or runuser).
#
# Usage: install_test.sh CMAKE BUILD_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, or no way to run as another user).
set -uo pipefail

cmake=${1:?cmake}
build=${2:?build folder}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
skip() {
    echo "SKIP: $*"
    exit 77
}

command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/packages.txt lists it)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarrabel-install.XXXXXX")
# What the game remembers (options, results, a match left unfinished) stays in the
# temporary folder too, never in the home of whoever runs this.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
prefix=$work/prefix
game_tmp=$work/tmp
xvfb_pid=
game_pid=
watchdog_pid=

# `cmake --install` writes the list of installed files into the build folder, where it may
# list a real installation (the README uninstalls with it): it is put back afterwards.
manifest=$build/install_manifest.txt
saved_manifest=$work/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$saved_manifest"

restore_manifest() {
    if [ -f "$saved_manifest" ]; then
        cp -p "$saved_manifest" "$manifest"
    else
        rm -f "$manifest"
    fi
}

cleanup() {
    restore_manifest
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A ctest timeout kills this script outright: the watchdog then ends the processes listed
# in $work/pids and removes the temporary folder.
(
    while kill -0 $$ 2>/dev/null; do sleep 0.5; done
    [ -f "$work/pids" ] && xargs -r kill -KILL <"$work/pids"
    restore_manifest
    chmod -R u+w "$work"
    rm -rf "$work"
) </dev/null >/dev/null 2>&1 &
watchdog_pid=$!
record_pids() { echo "$xvfb_pid $game_pid" >"$work/pids"; }

# --- Installing ------------------------------------------------------------------------

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    echo "FAIL: cmake --install failed:"
    cat "$work/install.log"
    exit 1
fi

expected="bin/tarrabel
share/applications/tarrabel.desktop
share/doc/tarrabel/COPYING
share/doc/tarrabel/CREDITS.md
share/icons/hicolor/256x256/apps/tarrabel.png
share/icons/hicolor/48x48/apps/tarrabel.png
share/tarrabel/res134.pak"
installed=$(cd "$prefix" && find . -mindepth 1 ! -type d -printf '%P\n' | LC_ALL=C sort)
[ "$installed" = "$expected" ] ||
    fail "the prefix holds:
$installed
expected:
$expected"

[ -x "$prefix/bin/tarrabel" ] || fail "bin/tarrabel is not executable"
cmp -s "$prefix/share/tarrabel/res134.pak" "$build/res134.pak" ||
    fail "share/tarrabel/res134.pak is not the archive the build made"

# Each icon is a PNG of its folder's size: the width and height of the IHDR chunk, bytes
# 16 to 23, big-endian.
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
    read -r a b c d e f g h <<<"$bytes"
    echo "$(((a << 24) | (b << 16) | (c << 8) | d))x$(((e << 24) | (f << 16) | (g << 8) | h))"
}
for size in 48 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/tarrabel.png
    [ -f "$icon" ] || continue
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "the ${size}x${size} icon is not a PNG file"
    have=$(png_size "$icon")
    [ "$have" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $have pixels"
done

desktop=$prefix/share/applications/tarrabel.desktop
if [ -f "$desktop" ]; then
    for line in "[Desktop Entry]" Type=Application Name=Tarrabel Exec=tarrabel Icon=tarrabel \
        Terminal=false "Categories=Game;CardGame;"; do
        grep -qxF -- "$line" "$desktop" || fail "the desktop entry lacks the line '$line'"
    done
    grep -q '^Comment=.' "$desktop" || fail "the desktop entry has no Comment"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
    else
        echo "  desktop-file-validate is not installed: the entry's keys were checked by name"
    fi
fi

# --- Starting the installed game from a read-only prefix -------------------------------

mkdir "$game_tmp"
chmod -R a-w "$prefix"
# Others must reach the prefix, and the game's temporary folder must be writable to it.
chmod 755 "$work"
chmod 777 "$game_tmp"

run_as=()
if [ "$(id -u)" = 0 ]; then
    if command -v setpriv >/dev/null; then
        run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    elif command -v runuser >/dev/null; then
        run_as=(runuser -u nobody --)
    else
        skip "running as root, and neither setpriv nor runuser can drop to nobody"
    fi
    "${run_as[@]}" test -x "$prefix/bin/tarrabel" ||
        skip "the unprivileged user cannot reach $prefix (is $(dirname "$work") closed to others?)"
fi
if "${run_as[@]}" test -w "$prefix/share/tarrabel"; then
    fail "the installed data folder is still writable to the game; the check would prove nothing"
fi
before=$(cd "$prefix" && find . -printf '%P %m\n' | LC_ALL=C sort)

display_file=$work/display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
record_pids
deadline=$((SECONDS + 10))
while [ ! -s "$display_file" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "FAIL: Xvfb did not start"
        cat "$work/xvfb.log"
        exit 1
    fi
    sleep 0.05
done

# From a terminal: by name on PATH, in a folder the game cannot write either.
(cd "$work" && exec env -u SDL_VIDEODRIVER DISPLAY=":$(head -n1 "$display_file")" \
    PATH="$prefix/bin:$PATH" TMPDIR="$game_tmp" SDL_AUDIODRIVER=dummy \
    TARRABEL_EXIT_AFTER_FIRST_FRAME=1 "${run_as[@]}" tarrabel --windowed --variant 0) \
    >"$work/out" 2>"$work/err" &
game_pid=$!
record_pids
deadline=$((SECONDS + 30))
while kill -0 "$game_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.05
done
if kill -0 "$game_pid" 2>/dev/null; then
    kill -KILL "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
    fail "the installed game was still running after 30 s (killed): $(cat "$work/err")"
else
    wait "$game_pid"
    status=$?
    echo "  the installed game ended with status $status"
    [ "$status" = 0 ] || fail "the installed game ended with status $status: $(cat "$work/err")"
fi
game_pid=
record_pids

[ ! -e "$prefix/share/tarrabel/res" ] || fail "a res tree was left in share/tarrabel"
after=$(cd "$prefix" && find . -printf '%P %m\n' | LC_ALL=C sort)
[ "$before" = "$after" ] || fail "the prefix changed while the game ran:
$(diff <(echo "$before") <(echo "$after"))"
left=$(find "$game_tmp" -mindepth 1 -printf '%P\n')
[ -z "$left" ] || fail "the game left behind in its TMPDIR: $left"

if [ $failures -ne 0 ]; then
    echo "install: $failures check(s) failed"
    exit 1
fi
echo "install: passed"

#!/usr/bin/env bash
# How much stronger the expert computer player is than the standard one.
#
#   scripts/measure_strength.sh BUILD_DIR MATCHES_PER_SEAT [VARIANTS...]
#
# For every game: one expert seat against three standard ones, the expert's seat going
# round all four seats (seat 0, the person's, played through its clicks), MATCHES_PER_SEAT
# matches in each; beside it the same four runs with the standard player in that seat (the
# baseline, about a quarter). Prints each share of matches won with its 95 % interval
# (Wilson) and the ratio expert / baseline. Runs two simulations at a time.
#
# With PERSON=clicks the person's seat is played by the simulator's clicking stand-in (a
# player who does not choose the standard player's way) and the expert sits in seats 1 to 3
# only.
set -euo pipefail
build=${1:?build directory}
per_seat=${2:?matches per seat}
shift 2
variants=("$@")
[ ${#variants[@]} -gt 0 ] || variants=(0 1 2 3 4)
sim="$build/tools/simulate"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

person=${PERSON:-standard}
seats=(0 1 2 3)
[ "$person" = standard ] || seats=(1 2 3)

run() {  # variant seat kind
    local v=$1 seat=$2 kind=$3 ai=standard seat0=$person
    if [ "$kind" = expert ]; then
        case $seat in
            0) seat0=expert ;;
            1) ai=expert,standard,standard ;;
            2) ai=standard,expert,standard ;;
            3) ai=standard,standard,expert ;;
        esac
    fi
    "$sim" --variant "$v" --matches "$per_seat" --seed $((1000 + 17 * v + seat)) \
        --ai "$ai" --seat0 "$seat0" >"$out/$v-$seat-$kind.txt"
}

jobs=()
for v in "${variants[@]}"; do
    for seat in "${seats[@]}"; do
        for kind in expert standard; do
            jobs+=("$v $seat $kind")
        done
    done
done
export -f run
export sim out per_seat person
printf '%s\n' "${jobs[@]}" | xargs -P 2 -L 1 bash -c 'run $0 $1 $2'

names=("Tarrabel" "Huit Americain" "Agonia" "Illustrated Agonia" "Pis Yedili")
printf '%-20s %8s  %-24s %-24s %s\n' game matches "expert wins (95 %)" "baseline (95 %)" ratio
for v in "${variants[@]}"; do
    awk -v name="${names[$v]}" -v v="$v" -v dir="$out" -v seats="${seats[*]}" '
    function wilson(w, n,   p, z, c, h) {
        z = 1.96; p = w / n; c = (p + z*z/(2*n)) / (1 + z*z/n)
        h = z * sqrt(p*(1-p)/n + z*z/(4*n*n)) / (1 + z*z/n)
        return sprintf("%5.1f %% [%4.1f, %4.1f]", 100*p, 100*(c-h), 100*(c+h))
    }
    BEGIN {
        ns = split(seats, seatList, " ")
        for (si = 1; si <= ns; ++si) {
            seat = seatList[si]
            for (k = 0; k < 2; ++k) {
                kind = k ? "standard" : "expert"
                file = dir "/" v "-" seat "-" kind ".txt"
                while ((getline line < file) > 0) {
                    if (line ~ /matches won by seat/) {
                        # "simulate: matches won by seat: 0 a 1 b 2 c 3 d of M"
                        n = split(line, f, " ")
                        for (i = 1; i <= n; ++i) if (f[i] == "seat:") at = i
                        wins[kind] += f[at + 2 * seat + 2]; total[kind] += f[n]
                    }
                }
                close(file)
            }
        }
        pe = wins["expert"] / total["expert"]; pb = wins["standard"] / total["standard"]
        printf "%-20s %8d  %-24s %-24s %.2f\n", name, total["expert"], wilson(wins["expert"], total["expert"]), wilson(wins["standard"], total["standard"]), pe / pb
    }'
done

#!/usr/bin/env bash
# How much weaker the easy computer player is than the standard one.
#
#   scripts/measure_easy.sh BUILD_DIR MATCHES [VARIANTS...]
#
# For every game: MATCHES matches with an easy player in seat 1 and standard players in
# seats 2 and 3 and in the person's seat (played through its clicks), and the same matches
# (the same seeds) with the standard player in seat 1, the baseline of about a quarter.
# Prints seat 1's share of the matches won each way with its 95 % interval (Wilson) and the
# ratio easy / baseline. Runs two simulations at a time.
set -euo pipefail
build=${1:?build directory}
matches=${2:?matches per game}
shift 2
variants=("$@")
[ ${#variants[@]} -gt 0 ] || variants=(0 1 2 3 4)
sim="$build/tools/simulate"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() {  # variant kind
    local v=$1 kind=$2 ai=standard
    [ "$kind" = easy ] && ai=easy,standard,standard
    "$sim" --variant "$v" --matches "$matches" --seed $((2000 + 31 * v)) \
        --ai "$ai" --seat0 standard >"$out/$v-$kind.txt"
}

jobs=()
for v in "${variants[@]}"; do
    for kind in easy standard; do
        jobs+=("$v $kind")
    done
done
export -f run
export sim out matches
printf '%s\n' "${jobs[@]}" | xargs -P 2 -L 1 bash -c 'run $0 $1'

names=("Tarrabel" "Huit Americain" "Agonia" "Illustrated Agonia" "Pis Yedili")
printf '%-20s %8s  %-24s %-24s %s\n' game matches "easy seat 1 (95 %)" "standard seat 1 (95 %)" \
    ratio
for v in "${variants[@]}"; do
    awk -v name="${names[$v]}" -v v="$v" -v dir="$out" '
    function wilson(w, n,   p, z, c, h) {
        z = 1.96; p = w / n; c = (p + z*z/(2*n)) / (1 + z*z/n)
        h = z * sqrt(p*(1-p)/n + z*z/(4*n*n)) / (1 + z*z/n)
        return sprintf("%5.1f %% [%4.1f, %4.1f]", 100*p, 100*(c-h), 100*(c+h))
    }
    BEGIN {
        for (k = 0; k < 2; ++k) {
            kind = k ? "standard" : "easy"
            file = dir "/" v "-" kind ".txt"
            while ((getline line < file) > 0) {
                if (line ~ /matches won by seat/) {
                    # "simulate: matches won by seat: 0 a 1 b 2 c 3 d of M"; a win shared
                    # by equal lowest totals counts its share
                    n = split(line, f, " ")
                    for (i = 1; i <= n; ++i) if (f[i] == "seat:") at = i
                    wins[kind] = f[at + 4]; total[kind] = f[n]
                }
            }
            close(file)
        }
        pe = wins["easy"] / total["easy"]; pb = wins["standard"] / total["standard"]
        printf "%-20s %8d  %-24s %-24s %.2f\n", name, total["easy"], wilson(wins["easy"], total["easy"]), wilson(wins["standard"], total["standard"]), pe / pb
    }'
done

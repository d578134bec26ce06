#!/usr/bin/env bash
# How much a lead in the totals is worth in each game: the scale of the expert's estimate of
# his chance of winning the match (src/ai/expert_player.cpp, kLeadScaleDivisor).
#
#   scripts/fit_lead_scale.sh BUILD_DIR [MATCHES] [VARIANTS...]
#
# Plays MATCHES matches (2,000 by default) of standard players per game, takes the totals
# after every deal that did not end its match, and, for each divisor D in a grid, how likely
# the estimate with scale = target / D makes the players who did win: a product over the
# rivals of 1 / (1 + e^((mine - theirs) / scale)), normalized over the players still in.
# Prints the mean log-likelihood per divisor; the largest is the fitted one.
set -euo pipefail
build=${1:?build directory}
matches=${2:-2000}
shift $(( $# >= 2 ? 2 : 1 ))
variants=("$@")
[ ${#variants[@]} -gt 0 ] || variants=(0 1 2 3 4)
targets=(100 500 100 100 500)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for v in "${variants[@]}"; do
    "$build/tools/simulate" --variant "$v" --matches "$matches" --seed 77 --ai standard \
        --seat0 standard --trace "$out/$v.jsonl" >/dev/null
    grep '"ev":"end"' "$out/$v.jsonl" | awk -v v="$v" -v target="${targets[$v]}" '
    {
        match($0, /"totals":\[[^]]*\]/); split(substr($0, RSTART + 10, RLENGTH - 11), t, ",")
        match($0, /"eliminated":\[[^]]*\]/); split(substr($0, RSTART + 14, RLENGTH - 15), e, ",")
        for (p = 1; p <= 4; ++p) { T[n, p] = t[p]; A[n, p] = e[p] == "false" }
        ++n
        if ($0 ~ /"result":""/) next
        # The match is over: its winners are the lowest totals still in.
        best = 1e9
        for (p = 1; p <= 4; ++p) if (A[n - 1, p] && t[p] < best) best = t[p]
        for (i = first; i < n - 1; ++i)
            for (p = 1; p <= 4; ++p) W[i, p] = A[n - 1, p] && t[p] == best
        for (i = first; i < n - 1; ++i) keep[i] = 1
        first = n
    }
    END {
        split("1.5 2 2.5 3 3.5 4 5 6 8", grid, " ")
        printf "%s:", v
        for (g = 1; g <= 9; ++g) {
            s = target / grid[g]; ll = 0; states = 0
            for (i = 0; i < n; ++i) {
                if (!keep[i]) continue
                z = 0; winners = 0; sum = 0
                for (p = 1; p <= 4; ++p) {
                    P[p] = 0
                    if (!A[i, p]) continue
                    P[p] = 1
                    for (q = 1; q <= 4; ++q)
                        if (q != p && A[i, q]) P[p] /= 1 + exp((T[i, p] - T[i, q]) / s)
                    z += P[p]
                }
                for (p = 1; p <= 4; ++p)
                    if (W[i, p]) { sum += log(P[p] / z > 1e-12 ? P[p] / z : 1e-12); ++winners }
                if (winners) { ll += sum / winners; ++states }
            }
            printf "  /%s %.4f", grid[g], ll / states
        }
        printf "   (%d deal ends)\n", states
    }'
done

#!/usr/bin/env bash
# Keeps the libraries layered at link time as the include check keeps the folders: a
# library may use what the libraries below it define, never what one above it defines. An
# include check alone cannot see a function declared in a low folder and defined in a high
# one; this one reads the symbols of the built archives.
#
#   link_check.sh NAME=ARCHIVE ...   (from the bottom layer up)
#
# Only strong definitions count: an inline function or a template instantiated in several
# libraries is defined weakly in each and belongs to none of them.
set -euo pipefail

declare -A layer_of_symbol
names=()
archives=()
for pair in "$@"; do
    names+=("${pair%%=*}")
    archives+=("${pair#*=}")
    # A library that is not there would pass as one that uses nothing: refuse it.
    if [[ ! -f ${pair#*=} ]]; then
        echo "link_check: ${pair%%=*}: no library at ${pair#*=} (build it first)"
        exit 1
    fi
done

for i in "${!archives[@]}"; do
    while read -r symbol; do
        layer_of_symbol[$symbol]=$i
    done < <(nm -g --defined-only "${archives[$i]}" 2>/dev/null |
        awk 'NF == 3 && $2 ~ /^[TDBR]$/ { print $3 }')
done

faults=0
for i in "${!archives[@]}"; do
    while read -r symbol; do
        owner=${layer_of_symbol[$symbol]:-}
        if [[ -n $owner && $owner -gt $i ]]; then
            echo "${names[$i]} uses $(c++filt "$symbol"), defined above it in ${names[$owner]}"
            faults=$((faults + 1))
        fi
    done < <(nm -g --undefined-only "${archives[$i]}" 2>/dev/null |
        awk 'NF >= 2 && $1 == "U" { print $2 }' | sort -u)
done

if ((faults > 0)); then
    echo "link_check: $faults use(s) against the layers ${names[*]}"
    exit 1
fi
echo "link_check: ${#archives[@]} libraries follow the layers"

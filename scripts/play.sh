#!/usr/bin/env bash
# Sets everything up and starts the game. Any arguments go to the game
# (for example --windowed, --variant 4; see --help).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh $(grep -v '^#' scripts/packages.txt)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$jobs" --target tarrabel resources

exec build/release/tarrabel "$@"

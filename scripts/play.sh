#!/usr/bin/env bash
# Sets everything up and starts the game.
# The table window is not built yet: until it is, this plays a few deals of every game
# headless through the real game logic and prints how they went.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh $(grep -v '^#' scripts/packages.txt)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$jobs" --target simulate

seed=$(date +%s)
for variant in 0 1 2 3 4; do
    build/release/tools/simulate --variant "$variant" --deals 20 --seed "$seed"
done

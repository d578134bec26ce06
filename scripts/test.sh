#!/usr/bin/env bash
# Sets everything up and runs every test:
#   1. the release build: unit tests, the soak of every game, a short benchmark run
#      that fails if a frame allocates;
#   2. the AddressSanitizer + UndefinedBehaviorSanitizer build: the same tests;
#   3. the source formatting check.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh $(grep -v '^#' scripts/packages.txt)

echo "== release build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTARRABEL_WHOLE_TEST_BINARIES=ON >/dev/null
cmake --build build/release -j"$jobs"
(cd build/release && ctest --output-on-failure -j"$jobs")

echo "== frame benchmark (short run; fails if a frame allocates)"
build/release/bench/frame_bench --benchmark_min_time=0.2 --benchmark_filter='variant:[04]'

echo "== sanitizer build (ASan + UBSan)"
# -O1 -g1: the optimisation the sanitizers are made for, and line tables enough for their
# reports' stacks; full debug information at -O2 took twice as long to build. The test files
# themselves at -O0: that halves most of this build, and their tests run as fast.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARRABEL_SANITIZE=ON \
    -DTARRABEL_BENCH=OFF -DTARRABEL_FUZZ=OFF -DTARRABEL_WHOLE_TEST_BINARIES=ON \
    -DTARRABEL_TEST_CODE_OPTIMIZE=-O0 \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" >/dev/null
cmake --build build/sanitize -j"$jobs"
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" -LE strength)

echo "== formatting"
files=$(git -C "$root" ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

echo "All tests passed."

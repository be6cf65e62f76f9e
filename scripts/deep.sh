#!/usr/bin/env bash
# The deep stages, after scripts/test.sh: clang-tidy on every source of
# src/, the core and the converter with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), every suite at Release
# (build-release/), the core and the converter with clang (build-clang/),
# then each fuzz target for a few seconds. Exits non-zero when anything
# fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/commun.sh

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

echo "== clang-tidy on the whole tree =="
[ -f build/compile_commands.json ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
bash scripts/tidy.sh

echo "== Core and converter again under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCYCLIDE_SANITIZE=ON -DCYCLIDE_BUILD_GUI=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 lancer_ctest build-asan

# A test that passes at one optimisation level only hides undefined
# behaviour or a compiler fault: every suite again at Release (-O3), the
# window's included, and the core and the converter with clang.
echo "== Every test again at Release (-O3) =="
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j "$jobs"
lancer_ctest build-release

echo "== Core and converter again with clang =="
CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCYCLIDE_BUILD_GUI=OFF
cmake --build build-clang -j "$jobs"
ctest --test-dir build-clang --output-on-failure -j "$jobs"

echo "== Fuzz targets, 5 seconds each on their seed corpora =="
bash scripts/fuzz.sh 5

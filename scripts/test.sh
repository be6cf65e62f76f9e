#!/usr/bin/env bash
# Installs what is missing, configures and builds in build/, and runs every
# test; then builds the core and its tests a second time with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), at Release
# with the window's suites (build-release/) and with clang (build-clang/)
# and runs them again, and
# runs each fuzz target briefly. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

run_ctest() {
    # The GUI tests need an X server: run under Xvfb unless a display exists.
    # -noreset: the server would otherwise reset whenever its last client
    # leaves, and a test starting at that moment could not connect.
    if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir "$1" --output-on-failure -j "$jobs"
    else
        ctest --test-dir "$1" --output-on-failure -j "$jobs"
    fi
}

# Fail fast on style: formatting, then clang-tidy (it needs only the
# configured compile commands, not the build).
bash scripts/format.sh --check
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
bash scripts/tidy.sh

cmake --build build -j "$jobs"
run_ctest build

echo "== Core and converter again under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCYCLIDE_SANITIZE=ON -DCYCLIDE_BUILD_GUI=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest build-asan

# --- Other optimisation levels and compilers ---------------------------------
# A test that passes at one optimisation level only hides undefined behaviour
# or a compiler fault: the core and the converter are built and tested once
# more at Release (-O3), the window's suites included, and the core once
# more with clang, in their own build directories.
echo "== Every test again at Release (-O3) =="
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j "$jobs"
run_ctest build-release

echo "== Core and converter again with clang =="
CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCYCLIDE_BUILD_GUI=OFF
cmake --build build-clang -j "$jobs"
ctest --test-dir build-clang --output-on-failure -j "$jobs"

echo "== Fuzz targets, 5 seconds each on their seed corpora =="
bash scripts/fuzz.sh 5

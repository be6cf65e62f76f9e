#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy on every source of src/ and
# of its folders, and fails when it reports anything. Needs the compile
# commands of build/ (made by scripts/test.sh or scripts/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
if [ ! -f build/compile_commands.json ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
mapfile -t sources < <(find src -name '*.cpp' | sort)
clang-tidy -p build --quiet "${sources[@]}" >"$log" 2>&1 || true
if grep -q -E "(warning|error):" "$log"; then
    grep -E -A3 "(warning|error):" "$log"
    echo "clang-tidy: $(grep -c -E '(warning|error):' "$log") finding(s)" >&2
    exit 1
fi
echo "clang-tidy: no findings in src/"

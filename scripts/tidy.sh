#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy on the given sources, or on
# every source of src/ when none is given, and fails when it reports
# anything. Needs the compile commands of build/ (configured here when
# missing).
#
#   bash scripts/tidy.sh [FILE.cpp ...]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
if [ ! -f build/compile_commands.json ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if [ $# -gt 0 ]; then
    sources=("$@")
else
    mapfile -t sources < <(find src -name '*.cpp' | sort)
fi
if [ ${#sources[@]} -eq 0 ]; then
    echo "clang-tidy: no source to check"
    exit 0
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
clang-tidy -p build --quiet "${sources[@]}" >"$log" 2>&1 || true
if grep -q -E "(warning|error):" "$log"; then
    grep -E -A3 "(warning|error):" "$log"
    echo "clang-tidy: $(grep -c -E '(warning|error):' "$log") finding(s)" >&2
    exit 1
fi
echo "clang-tidy: no findings in ${#sources[@]} source(s)"

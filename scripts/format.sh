#!/usr/bin/env bash
# Formats the C++ sources of src/, tests/, bench/ and fuzz/ with the
# checked-in .clang-format. With --check nothing is written: the command
# lists the files that differ and fails when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files -co --exclude-standard -- \
    'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h')
existing=()
for f in "${sources[@]}"; do
    [ -f "$f" ] && existing+=("$f")
done
sources=("${existing[@]}")
if [ "${1:-}" = "--check" ]; then
    if ! clang-format --dry-run -Werror "${sources[@]}"; then
        echo "clang-format: run 'bash scripts/format.sh' to format the files above" >&2
        exit 1
    fi
    echo "clang-format: ${#sources[@]} files formatted"
else
    clang-format -i "${sources[@]}"
fi

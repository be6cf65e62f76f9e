#!/usr/bin/env bash
# Installs what is missing, builds, and opens the program from the
# repository's root (where it finds its icon).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

if [ ! -x build/cyclide ]; then
    echo "The desktop program is not built yet; the core library and its tests are."
    exit 0
fi
exec build/cyclide "$@"

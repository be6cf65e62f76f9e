#!/usr/bin/env bash
# The everyday test command. Installs what is missing, checks the
# formatting of every source and runs clang-tidy on the sources changed
# (against main, or the last commit on main itself), configures and builds
# everything once in build/, and runs every test there: the core's units,
# the converter, the CAD reader, the window and the view under Xvfb, the
# Python module (pytest), the golden outputs, the wheel in a fresh virtual
# environment and the Debian package with lintian. Exits non-zero when
# anything fails.
#
# The deep stages (sanitizers, Release, clang, fuzzing, clang-tidy on the
# whole tree) run from scripts/deep.sh; CI runs both.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/commun.sh

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

debut=$(date +%s)
bash scripts/format.sh --check
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
mapfile -t changes < <(sources_changees)
bash scripts/tidy.sh "${changes[@]}"

cmake --build build -j "$jobs"
lancer_ctest build
echo "scripts/test.sh: $(( $(date +%s) - debut )) s"

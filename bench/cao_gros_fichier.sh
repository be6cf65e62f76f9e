#!/usr/bin/env bash
# A large CAD file through the converter: N B-spline faces of tori written
# by Open CASCADE (default 10,000, about 88 MB), converted with --json on
# one thread and on two; wall-clock time and peak memory (the largest
# process: the reader cyclide-cao) of each, and whether both give the same
# rows. Needs a build with the benchmarks (build-bench/, as scripts/bench.sh
# makes it).
#
#   bash bench/cao_gros_fichier.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-10000}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCYCLIDE_BUILD_BENCH=ON \
    -DCYCLIDE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target generer_step_cao cyclide-conv cyclide-cao -j "$(nproc)" \
    >/dev/null
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
build-bench/bench/generer_step_cao "$n" "$travail/gros.step" >/dev/null 2>&1
echo "fichier : $(stat -c %s "$travail/gros.step") octets, $n faces"
for fils in 1 2; do
    /usr/bin/time -f "--fils $fils : %e s, memoire maximale %M Ko" \
        build-bench/cyclide-conv --carreau "$travail/gros.step" --json --fils "$fils" \
        >"$travail/fils$fils.out"
done
wc -l <"$travail/fils1.out" | sed 's/^/lignes : /'
cmp -s "$travail/fils1.out" "$travail/fils2.out" && echo "memes lignes sur 1 et 2 fils"

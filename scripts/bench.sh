#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and runs them: five
# repetitions of each, only the aggregates (mean, median, standard
# deviation, coefficient of variation) reported. The results are also
# written as JSON to build-bench/<program>.json. Extra arguments go to every
# benchmark program (e.g. --benchmark_filter=Conversion). The view's
# benchmarks (bench_vue) run in a real GL context under Xvfb with Mesa's
# software renderer unless a display exists.
#
#   bash scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCYCLIDE_BUILD_BENCH=ON \
    -DCYCLIDE_BUILD_TESTS=OFF -DCYCLIDE_BUILD_GUI=ON >/dev/null
cmake --build build-bench --target bench_all -j "$jobs"

lancer=()
if [ -z "${DISPLAY:-}" ]; then
    lancer=(xvfb-run -a -s "-screen 0 1600x1200x24")
fi

programmes=(bench_conversion vue/bench_vue)
for programme in "${programmes[@]}"; do
    echo "== $programme =="
    nom=$(basename "$programme")
    prefixe=()
    [ "$nom" = bench_vue ] && prefixe=("${lancer[@]}")
    "${prefixe[@]}" build-bench/bench/"$programme" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="build-bench/$nom.json" --benchmark_out_format=json "$@"
done

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/, coverage
# instrumentation with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each of them for the given number of seconds (default 5) on its seed
# corpus in fuzz/corpus/<target>/. Exits non-zero on any finding (crash,
# sanitizer report, leak, timeout, out of memory).
#
#   bash scripts/fuzz.sh [seconds]
#
# New interesting inputs go to a scratch directory, never into the
# repository; a crashing input is kept as build-fuzz/findings/<target>/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."

secondes=${1:-5}
if ! [[ "$secondes" =~ ^[0-9]+$ ]] || [ "$secondes" -lt 1 ]; then
    echo "usage: bash scripts/fuzz.sh [seconds]" >&2
    exit 2
fi

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCYCLIDE_FUZZ=ON -DCYCLIDE_BUILD_GUI=OFF -DCYCLIDE_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_all -j "$jobs"

cibles=(fuzz_fichier_parametres fuzz_texte_rbbpd fuzz_parametres fuzz_carreau fuzz_ligne_lot)
# The CAD readers, when Open CASCADE was there to build them.
for cible in fuzz_step fuzz_iges; do
    if [ -x "build-fuzz/fuzz/$cible" ]; then cibles+=("$cible"); fi
done
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Open CASCADE keeps some allocations until the process ends (the CAD
# readers' targets): not leaks of the project's code.
export LSAN_OPTIONS=suppressions=$PWD/tests/cao/lsan.supp

echec=0
for cible in "${cibles[@]}"; do
    resultats="build-fuzz/findings/$cible"
    mkdir -p "$resultats" "$travail/$cible"
    journal="$travail/$cible.log"
    echo "== $cible: $secondes s on fuzz/corpus/$cible =="
    if build-fuzz/fuzz/"$cible" "$travail/$cible" "fuzz/corpus/$cible" \
        -max_total_time="$secondes" -timeout=25 -rss_limit_mb=2048 \
        -artifact_prefix="$resultats/" -print_final_stats=1 >"$journal" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$journal" || true
        grep -E '^stat::number_of_executed_units' "$journal" || true
    else
        echec=1
        echo "FINDING in $cible (input kept in $resultats/):"
        tail -n 60 "$journal"
    fi
done

if [ "$echec" -ne 0 ]; then
    echo "Fuzzing found problems." >&2
    exit 1
fi
echo "Fuzzing: no findings."

#!/usr/bin/env bash
# Runs every case of goldens/cas.txt through the converter and compares its
# standard output, exit status and output file byte for byte with the
# stored ones. With --ecrire, stores them instead. OBJ and PNG files are
# stored as their SHA-256 (name.ext.sha256); the date a STEP header carries
# is left out of the comparison.
#   goldens.sh CONVERTER [--ecrire | --sans-png]
# PNG cases need an X server ($DISPLAY) and the image module; without one,
# or with --sans-png, they are skipped.
set -uo pipefail
conv="$(realpath "$1")"
ecrire="${2:-}"
dossier="$(cd "$(dirname "$0")/goldens" && pwd)"
travail="$(mktemp -d)"
trap 'rm -rf "$travail"' EXIT
cd "$dossier"
echecs=0
cas=0
while read -r nom ext args; do
    case "$nom" in '' | '#'*) continue ;; esac
    if [ "$ext" = png ] && { [ -z "${DISPLAY:-}" ] || [ "$ecrire" = --sans-png ]; }; then
        echo "skipped (no display or no image module): $nom"
        continue
    fi
    sortie="$travail/$nom.$ext"
    read -r -a mots <<<"${args//@SORTIE@/$sortie}"
    "$conv" "${mots[@]}" >"$travail/$nom.out" 2>/dev/null
    echo "exit $?" >>"$travail/$nom.out"
    cas=$((cas + 1))
    fichiers=("$nom.out")
    [ "$ext" != - ] && fichiers+=("$nom.$ext")
    case "$ext" in
    obj | png)
        sha256sum <"$sortie" | cut -d' ' -f1 >"$sortie.sha256"
        fichiers=("$nom.out" "$nom.$ext.sha256")
        ;;
    step)
        sed -E -i "s/'[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}'/'DATE'/" "$sortie"
        ;;
    esac
    for f in "${fichiers[@]}"; do
        if [ "$ecrire" = --ecrire ]; then
            cp "$travail/$f" "$dossier/$f"
        elif ! cmp -s "$travail/$f" "$dossier/$f"; then
            echo "differs: $f (cyclide-conv $args)"
            diff <(head -c 4000 "$dossier/$f") <(head -c 4000 "$travail/$f") | head -20
            echecs=$((echecs + 1))
        fi
    done
done <cas.txt
echo "$cas cases, $echecs differences"
[ "$echecs" -eq 0 ]

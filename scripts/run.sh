#!/usr/bin/env bash
# Installs what is missing, builds the programs only (the window, the
# converter, the renderer, the CAD reader and the Python module: the target
# `programmes`, no test), and opens the window from any folder.
#
# Without a display ($DISPLAY empty) the window cannot open: the script says
# so and shows what the tool does instead. It renders the start-up view to
# an 800 x 800 PNG through Xvfb, prints the conversion summary of the
# start-up parameters, and names the picture's path.
set -euo pipefail
cd "$(dirname "$0")/.."

# The build directory: build/ unless CYCLIDE_BUILD_DIR names another one.
build="${CYCLIDE_BUILD_DIR:-build}"

bash scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target programmes -j "$jobs"

if [ ! -x "$build/cyclide" ]; then
    echo "The desktop program is not built (Qt 6 missing?); the converter is: $build/cyclide-conv"
    exit 0
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/cyclide" "$@"
fi

# The start-up parameters: theta00 theta02 theta20 theta22 (radians),
# rayon, z11, P10.
parametres=(0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982)
image="$(cd "$build" && pwd)/cyclide-demarrage.png"

echo
echo "No display (\$DISPLAY is empty): the window cannot open here."
echo "Rendering the start-up view to a picture through Xvfb instead."
rm -f "$image"
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
conv="$build/cyclide-conv"
if ! "${xvfb[@]}" "$conv" --png "$image" --affiche 1 "${parametres[@]}" >/dev/null; then
    echo "The picture could not be rendered." >&2
    exit 1
fi

echo
echo "Conversion of the start-up patch ($conv ${parametres[*]}):"
"$conv" "${parametres[@]}"

if [ ! -s "$image" ]; then
    echo "The picture was not written." >&2
    exit 1
fi
echo
echo "Picture of the start-up view (800 x 800): $image"

# Helpers shared by the test scripts (sourced, not run).

# Runs ctest in the build folder $1 (further arguments go to ctest). The
# window's tests need an X server: under Xvfb unless a display exists.
# -noreset: the server would otherwise reset whenever its last client
# leaves, and a test starting at that moment could not connect.
lancer_ctest() {
    local dossier="$1"
    shift
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" \
            ctest --test-dir "$dossier" --output-on-failure -j "$jobs" "$@"
    else
        ctest --test-dir "$dossier" --output-on-failure -j "$jobs" "$@"
    fi
}

# The C++ sources of src/ changed against main (committed or not), or in the
# last commit when main itself is checked out; one a line.
sources_changees() {
    local base
    if git rev-parse --verify -q main >/dev/null &&
        [ "$(git rev-parse HEAD)" != "$(git rev-parse main)" ]; then
        base=$(git merge-base HEAD main)
    elif git rev-parse --verify -q HEAD~1 >/dev/null; then
        base=HEAD~1
    else
        return 0
    fi
    { git diff --name-only "$base" -- 'src/*.cpp'; git ls-files -mo --exclude-standard -- 'src/*.cpp'; } |
        sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done
}

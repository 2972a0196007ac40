#!/usr/bin/env bash
# Builds the given presets (default: native native-asan win32) and runs their
# test suites: natively, under the sanitizers, and under Wine on a private Xvfb
# display. Ends with one line "N passed, M failed" over every test case.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-session.sh"

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-asan win32)
build_root=${PELL_BUILD_ROOT:-$root/build}
status=0
prefix=""

cleanup() {
    pell_wine_session_end
    [ -n "$prefix" ] && pell_wine_prefix_stop "$prefix"
    pell_stop_xvfb
}
trap cleanup EXIT

for p in "${presets[@]}"; do
    dir="$build_root/$p"
    echo "== $p: configure and build"
    if ! cmake --preset "$p" -B "$dir" >/dev/null || ! cmake --build "$dir" -j"$(nproc)"; then
        echo "== $p: build FAILED"
        status=1
        continue
    fi
    rm -rf "$dir/test-results" && mkdir -p "$dir/test-results"
    echo "== $p: tests"
    if [ "$p" = win32 ]; then
        prefix="$dir/wineprefix"
        [ -n "$PELL_XVFB_PID" ] || pell_start_xvfb || { status=1; continue; }
        pell_wine_prefix_init "$prefix"
        # One session for the whole run; without it the tests still pass,
        # each paying for Wine's start and end.
        pell_wine_session_start "$prefix" || echo "== $p: tests run without a shared Wine session"
        export PELL_WINEPREFIX="$prefix"
    fi
    ctest --test-dir "$dir" --output-on-failure -j1 || status=1
    if [ "$p" = win32 ]; then
        pell_wine_session_end
        pell_wine_prefix_stop "$prefix"
        prefix=""
    fi
done

passed=0
failed=0
for p in "${presets[@]}"; do
    for x in "$build_root/$p"/test-results/*.xml; do
        [ -f "$x" ] || continue
        line=$(grep -m1 '<testsuites ' "$x")
        t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
        f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
        e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$line")
        d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$line")
        passed=$((passed + ${t:-0} - ${f:-0} - ${e:-0} - ${d:-0}))
        failed=$((failed + ${f:-0} + ${e:-0}))
    done
done
# A test program that crashed or failed outside any case leaves no XML or a
# partial one; ctest's verdict keeps the run red in that case.
if [ $status -ne 0 ] && [ $failed -eq 0 ]; then failed=1; fi
echo "$passed passed, $failed failed"
exit $status

#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for a while
# (default 30 seconds), starting from its committed seeds in
# fuzz/corpus/<target>/. New inputs go to a scratch corpus that is thrown away:
# only an input that found a fault belongs in git (add it to the seeds with the
# fix). Any crash, leak or sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir=${PELL_BUILD_ROOT:-$root/build}/fuzz
cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)"
status=0
found=0
for f in "$dir"/bin/fuzz_*; do
    [ -x "$f" ] || continue
    found=$((found + 1))
    name=$(basename "$f")
    seeds="$root/fuzz/corpus/$name"
    if [ ! -d "$seeds" ] || [ -z "$(ls -A "$seeds")" ]; then
        echo "== $name: no seed corpus in fuzz/corpus/$name"
        status=1
        continue
    fi
    corpus=$(mktemp -d)
    echo "== $name: ${seconds}s from $(ls "$seeds" | wc -l) seeds"
    # The first folder receives what the run finds; the seeds are only read.
    if ! "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$dir/$name-" "$corpus" "$seeds" >"$dir/$name.log" 2>&1; then
        echo "== $name FAILED (inputs that failed: $dir/$name-*)"
        tail -n 40 "$dir/$name.log"
        status=1
    fi
    rm -rf "$corpus"
done
if [ "$found" -eq 0 ]; then
    echo "no fuzz targets were built in $dir/bin"
    status=1
fi
exit $status

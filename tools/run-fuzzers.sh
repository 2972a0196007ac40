#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for a while
# (default 30 seconds). Any crash, leak or sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir=${PELL_BUILD_ROOT:-$root/build}/fuzz
cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)"
status=0
for f in "$dir"/bin/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus=$(mktemp -d)
    echo "== $name: ${seconds}s"
    if ! "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" \
        >"$dir/$name.log" 2>&1; then
        echo "== $name FAILED"
        tail -n 40 "$dir/$name.log"
        status=1
    fi
    rm -rf "$corpus"
done
exit $status

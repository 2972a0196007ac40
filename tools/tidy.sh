#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) over the portable code: every source
# of ours in the compile database of the clang-built fuzz preset (GCC's code
# page option is not one clang knows), which builds exactly the portable core
# and the fuzz targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dir=${PELL_BUILD_ROOT:-$root/build}/fuzz
cmake --preset fuzz -B "$dir" >/dev/null
files=$(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$dir/compile_commands.json" |
    grep "^$root/" | grep -v "^$root/build/" | sort -u)
if [ -z "$files" ]; then
    echo "clang-tidy: no sources of ours in $dir/compile_commands.json"
    exit 1
fi
echo "clang-tidy: $(wc -w <<<"$files") files"
# shellcheck disable=SC2086
clang-tidy -p "$dir" --quiet $files
echo "clang-tidy: clean"

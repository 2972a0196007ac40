#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) over the portable code, with the
# compile commands of the clang-built fuzz preset (GCC's code page option is
# not one clang knows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dir=${PELL_BUILD_ROOT:-$root/build}/fuzz
[ -f "$dir/compile_commands.json" ] || cmake --preset fuzz -B "$dir" >/dev/null
# The portable sources: all but the Win32 backend, the DLL exports and the
# window runtime (Win32 apart from its description reader).
files=$(git ls-files 'runtime/*.cpp' 'lib/*.cpp' 'copy/*.cpp' |
    grep -v -e '/win32/' -e 'Exports\.cpp$' -e '^runtime/vcl/')
files="$files runtime/vcl/FormDescription.cpp"
clang-tidy -p "$dir" --quiet $files
echo "clang-tidy: clean"

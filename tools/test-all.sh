#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test suite: native,
# under ASan/UBSan, and the Win32 build under Wine. Ends with "N passed, M failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
exec bash "$root/tools/run-tests.sh" native native-asan win32

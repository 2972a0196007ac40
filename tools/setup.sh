#!/usr/bin/env bash
# Installs what the builds, tests and the demo need on a Debian machine, as
# root. Idempotent: packages already there are skipped.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=""
fi
for p in cmake ninja-build g++ gcc googletest libgtest-dev libgmock-dev libbenchmark-dev \
         clang libclang-rt-14-dev clang-format clang-tidy g++-mingw-w64-i686 wine wine32:i386 \
         locales xvfb xauth fonts-ipafont-gothic fonts-wine imagemagick xdotool unzip \
         binutils-mingw-w64-i686; do
    have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

. "$(dirname "$0")/wine-session.sh"
pell_ensure_ja_locale

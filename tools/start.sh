#!/usr/bin/env bash
# Builds Kovana and starts it under Wine on this display (or on a virtual one
# when there is none), with the stand-in emulator beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target Kovana zot

run="$build/run"
mkdir -p "$run"
cp "$build/Kovana.exe" "$run/"
if [ -f "$build/tools/zot.exe" ]; then cp "$build/tools/zot.exe" "$run/"; fi

. "$root/tools/wine-session.sh" "$build" display
echo "Kovana runs from $run (DISPLAY=$DISPLAY)"
cd "$run"
wine Kovana.exe "$@"

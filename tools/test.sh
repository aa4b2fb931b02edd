#!/usr/bin/env bash
# Builds Kovana and its tests and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/tools/wine-session.sh" "$build" xvfb
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"

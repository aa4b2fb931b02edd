#!/usr/bin/env bash
# Runs one benchmark under the tests' Wine session (private prefix, virtual
# display, one wineserver, the desktop kept alive as during the tests).
#   usage: bench/run.sh NAME [ARGUMENTS...]     e.g. bench/run.sh startup_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}
name=${1:?usage: bench/run.sh NAME [ARGUMENTS...]}
shift
"$root/tools/install-deps.sh" tests
# A build folder made now is built by Ninja, which keeps both processors busier
# than make does; one made before keeps its generator.
command -v ninja >/dev/null && export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$name" desktop_keeper
. "$root/tools/wine-session.sh" "$build/wine-tests" tests
kovana_detached wine "$build/tests/desktop_keeper.exe"
kovana_run wine "$build/bench/$name.exe" "$@"

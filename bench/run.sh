#!/usr/bin/env bash
# Runs one benchmark under the tests' Wine session (private prefix, virtual
# display, one wineserver, the desktop kept alive as during the tests).
#   usage: bench/run.sh NAME [ARGUMENTS...]     e.g. bench/run.sh startup_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/build.sh"
name=${1:?usage: bench/run.sh NAME [ARGUMENTS...]}
shift
kovana_build --quiet tests -- "$name" desktop_keeper
. "$root/tools/wine-session.sh" "$build/wine-tests" tests
kovana_detached wine "$build/tests/desktop_keeper.exe"
kovana_run wine "$build/bench/$name.exe" "$@"

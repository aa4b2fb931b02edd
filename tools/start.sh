#!/usr/bin/env bash
# Builds Kovana and starts it under Wine on this display (or on a virtual one
# when there is none), with the stand-in emulator beside it: zot.exe, the
# Win32 build, and zotdos.exe, the DOS build.
#   usage: tools/start.sh [launcher style]     e.g. tools/start.sh 2
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/build.sh"

kovana_build -- Kovana zot zotdos

run="$build/run"
mkdir -p "$run"
cp "$build/Kovana.exe" "$run/"
cp "$build/tools/standin/zot.exe" "$build/tools/standin/zotdos.exe" "$run/"

. "$root/tools/wine-session.sh" "$build/wine-run" display
echo "Kovana runs from $run (DISPLAY=$DISPLAY); its settings are in $run/Kovana.ini"
cd "$run"
if [ -n "$kovana_own_display" ]; then
    # Without a window manager Wine waits two seconds for one each time a
    # window goes away, and windows have no frames: the program runs in a
    # Wine desktop of its own, which ends with it.
    kovana_run wine explorer /desktop=Kovana,1280x1024 Kovana.exe "$@"
else
    kovana_run wine Kovana.exe "$@"
fi

#!/usr/bin/env bash
# Takes the README's pictures (docs/*.png, docs/pages/*.png) from the real
# program: builds it, prepares a configuration with an emulator, a Kickstart
# file, floppies, hard disks and a catalog under way, and copies each window
# from a Wine virtual desktop (which draws the title bars) on a private display.
#   usage: tools/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh" tests screenshots
# A build folder made now is built by Ninja, which keeps both processors busier
# than make does; one made before keeps its generator.
command -v ninja >/dev/null && export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DBUILD_TESTING=ON
cmake --build "$build" -j"$(nproc)" --target Kovana zot zotdos desktop_keeper kovana_shots

shots="$build/shots"
rm -rf "$shots"
mkdir -p "$shots"

# A prefix of its own: the pictures need the virtual desktop, which must never
# show around the program that tools/start.sh runs.
. "$root/tools/wine-session.sh" "$build/wine-shots" desktop
kovana_detached wine "$build/tests/desktop_keeper.exe"
kovana_run wine "$build/tools/screenshots/kovana_shots.exe" "Z:${shots//\//\\}"

mkdir -p "$root/docs/pages"
count=0
for bmp in "$shots"/*.bmp "$shots"/pages/*.bmp; do
    png="$root/docs/${bmp#"$shots"/}"
    convert "$bmp" -strip "${png%.bmp}.png"
    count=$((count + 1))
done
echo "screenshots.sh: $count pictures written under $root/docs"

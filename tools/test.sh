#!/usr/bin/env bash
# Builds Kovana and its tests and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/tools/wine-session.sh" "$build" xvfb

# The tests of an emulator in a drive's root need a drive letter of their own.
# Wine takes its drive letters from the symlinks in the prefix's dosdevices
# folder (DefineDosDevice does not reach its file system), so one letter is
# lent to the tests for this run, pointing at an empty folder of the build tree.
test_drive_root="$build/test-drive"
test_drive_link=
remove_test_drive() {
    if [ -n "$test_drive_link" ]; then rm -f "$test_drive_link"; fi
    rm -rf "$test_drive_root"
}
trap 'remove_test_drive; kovana_session_end' EXIT
for link in "$WINEPREFIX"/dosdevices/?:; do
    if [ "$(readlink "$link" 2>/dev/null)" = "$test_drive_root" ]; then rm -f "$link"; fi
done
for letter in t u v w x y s r q p o n m l k; do
    if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ] && [ ! -L "$WINEPREFIX/dosdevices/$letter:" ]; then
        rm -rf "$test_drive_root"
        mkdir -p "$test_drive_root"
        test_drive_link="$WINEPREFIX/dosdevices/$letter:"
        ln -s "$test_drive_root" "$test_drive_link"
        export KOVANA_TEST_DRIVE="${letter^^}:"
        break
    fi
done

# A Wine process can, rarely, die while starting, before the test runs at all;
# such a test gets one more try.
ctest --test-dir "$build" --output-on-failure --timeout 300 --repeat until-pass:2 "$@"

#!/usr/bin/env bash
# Builds Kovana and its tests and runs every test under Wine: CTest runs each
# GoogleTest suite as one test. Arguments go to CTest; GoogleTest's own
# options instead run both test programs directly, with those options:
#   usage: tools/test.sh [CTest arguments...]     e.g. tools/test.sh -R TabLauncher
#          tools/test.sh --gtest_...              e.g. tools/test.sh --gtest_filter=TabLauncher.AsksBeforeLeavingWithAChangedPage
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KOVANA_BUILD_DIR:-$root/build}

"$root/tools/install-deps.sh" tests
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DBUILD_TESTING=ON
# The tests and what they start; the benchmarks and the picture tool are
# built by the scripts that run them.
cmake --build "$build" -j"$(nproc)" --target kovana_tests kovana_e2e desktop_keeper

. "$root/tools/wine-session.sh" "$build/wine-tests" desktop

# The desktop lives from the first test to the last (see DesktopKeeper.cpp).
kovana_detached wine "$build/tests/desktop_keeper.exe"

# The tests of an emulator in a drive's root need a drive letter of their own.
# Wine takes its drive letters from the symlinks in the prefix's dosdevices
# folder (DefineDosDevice does not reach its file system), so one letter is
# lent to the tests for this run, pointing at an empty folder of the build tree.
test_drive_root="$build/test-drive"
for link in "$WINEPREFIX"/dosdevices/?:; do
    if [ "$(readlink "$link" 2>/dev/null)" = "$test_drive_root" ]; then rm -f "$link"; fi
done
for letter in t u v w x y s r q p o n m l k; do
    if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ] && [ ! -L "$WINEPREFIX/dosdevices/$letter:" ]; then
        rm -rf "$test_drive_root"
        mkdir -p "$test_drive_root"
        ln -s "$test_drive_root" "$WINEPREFIX/dosdevices/$letter:"
        kovana_on_exit "rm -f '$WINEPREFIX/dosdevices/$letter:'; rm -rf '$test_drive_root'"
        export KOVANA_TEST_DRIVE="${letter^^}:"
        break
    fi
done
if [ -z "${KOVANA_TEST_DRIVE:-}" ]; then
    echo "test.sh: no free drive letter for the drive-root tests; they will be skipped" >&2
fi

if [[ ${1:-} == --gtest_* ]]; then
    status=0
    for program in kovana_tests kovana_e2e; do
        (cd "$build/tests" && kovana_run wine "$build/tests/$program.exe" "$@") || status=1
    done
    exit $status
fi
kovana_run ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"

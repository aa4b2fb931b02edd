#!/usr/bin/env bash
# Builds Kovana and its tests and runs every test under Wine: CTest runs each
# GoogleTest suite as one test. Arguments go to CTest; GoogleTest's own
# options instead run both test programs directly, with those options:
#   usage: tools/test.sh [CTest arguments...]     e.g. tools/test.sh -R TabLauncher
#          tools/test.sh --gtest_...              e.g. tools/test.sh --gtest_filter=TabLauncher.AsksBeforeLeavingWithAChangedPage
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/build.sh"

# The tests and what they start; the benchmarks and the picture tool are
# built by the scripts that run them.
kovana_build tests -- kovana_test_programs

. "$root/tools/wine-session.sh" "$build/wine-tests" desktop

# CTest runs the suites side by side, one lane per processor, each lane in a
# Wine session of its own (a copy of the prefix, a display, a server and a
# desktop): the programs of one session share its desktop, its focus and its
# windows. GoogleTest's options run the programs one after the other, in the
# first lane.
lanes=${KOVANA_TEST_LANES:-$(nproc)}
if [[ ${1:-} == --gtest_* ]] || [ "$lanes" -lt 1 ]; then
    lanes=1
fi
lane_prefixes=("$WINEPREFIX")
lane_displays=("$DISPLAY")
for ((lane = 2; lane <= lanes; lane++)); do
    kovana_add_session "$build/wine-tests-$lane"
    lane_prefixes+=("$build/wine-tests-$lane")
    lane_displays+=("$kovana_display")
done

# The tests of an emulator in a drive's root need a drive letter of their own.
# Wine takes its drive letters from the symlinks in the prefix's dosdevices
# folder (DefineDosDevice does not reach its file system), so each lane lends
# its tests one letter for this run, pointing at an empty folder of the build
# tree. Sets lent_drive to the letter, or to nothing when none is free.
lend_test_drive() {
    local prefix=$1 folder=$2 link letter
    lent_drive=
    for link in "$prefix"/dosdevices/?:; do
        if [[ $(readlink "$link" 2>/dev/null) == "$build"/test-drive* ]]; then rm -f "$link"; fi
    done
    for letter in t u v w x y s r q p o n m l k; do
        if [ ! -e "$prefix/dosdevices/$letter:" ] && [ ! -L "$prefix/dosdevices/$letter:" ]; then
            rm -rf "$folder"
            mkdir -p "$folder"
            ln -s "$folder" "$prefix/dosdevices/$letter:"
            kovana_on_exit "rm -f '$prefix/dosdevices/$letter:'; rm -rf '$folder'"
            lent_drive="${letter^^}:"
            return
        fi
    done
}

lanes_json=
for ((lane = 1; lane <= lanes; lane++)); do
    prefix=${lane_prefixes[lane - 1]}
    display=${lane_displays[lane - 1]}
    # The desktop lives from the first test to the last (see DesktopKeeper.cpp).
    kovana_detached env WINEPREFIX="$prefix" DISPLAY="$display" wine "$build/tests/desktop_keeper.exe"
    lend_test_drive "$prefix" "$build/test-drive-$lane"
    drive=$lent_drive
    if [ -z "$drive" ]; then
        echo "test.sh: no free drive letter in $prefix for the drive-root tests; they will be skipped" >&2
    fi
    # Read by tools/test-lane.sh, which CTest starts each suite through
    export "KOVANA_LANE_$lane=$prefix|$display|$drive"
    if [ "$lane" = 1 ]; then
        export KOVANA_TEST_DRIVE=$drive
    fi
    lanes_json+="${lanes_json:+, }{\"id\": \"$lane\", \"slots\": 1}"
done
# CTest reads the lanes from this file (see tests/SuiteTests.cmake), which is
# there only while this script runs.
echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"lane\": [$lanes_json]}]}" >"$build/test-lanes.json"
kovana_on_exit "rm -f '$build/test-lanes.json'"

if [[ ${1:-} == --gtest_* ]]; then
    status=0
    for program in kovana_tests kovana_e2e; do
        (cd "$build/tests" && kovana_run wine "$build/tests/$program.exe" "$@") || status=1
    done
    exit $status
fi
kovana_run ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$lanes" "$@"

#!/usr/bin/env bash
# Runs a test program in the Wine session of the lane that CTest gave its test
# (tools/test.sh runs the suites side by side, one session per lane, and
# describes lane N in KOVANA_LANE_N as "prefix|display|test drive"); without a
# lane, in the session it was started in.
#   usage: tools/test-lane.sh COMMAND [ARGUMENTS...]
if [[ ${CTEST_RESOURCE_GROUP_0_LANE:-} =~ id:([0-9]+) ]]; then
    lane=KOVANA_LANE_${BASH_REMATCH[1]}
    if [ -n "${!lane:-}" ]; then
        IFS='|' read -r WINEPREFIX DISPLAY KOVANA_TEST_DRIVE <<<"${!lane}"
        export WINEPREFIX DISPLAY KOVANA_TEST_DRIVE
    fi
fi
exec "$@"

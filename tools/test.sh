#!/usr/bin/env bash
# Builds Kestrune and its tests and runs every test under Wine. On a machine
# that runs no 32-bit code the tests run the 64-bit build, and the 32-bit
# release is built beside it (see common.sh).
# Extra arguments go to ctest, e.g.  tools/test.sh -R CString
# Each test's time limit is its own (tests/CMakeLists.txt).
#
# The tests that take the desktop (focus, real input) run one at a time, and
# they set the suite's length. A full run therefore deals the tests out to
# KESTRUNE_TEST_LANES lanes (3 unless set), each a Wine session of its own
# (throw-away prefix, virtual display, wineserver) with a desktop of its own,
# so that three desktop tests run at once. A run with ctest arguments is one
# lane. Each lane's output is shown whole when it ends.
#
# A test that fails is run once more, and the run fails only if it fails
# again: on a fully loaded machine a test program under Wine has now and then
# died after its test had passed. The failed try stays in the output.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrune_build
kestrune_build_release

lanes="${KESTRUNE_TEST_LANES:-3}"
[ $# -gt 0 ] && lanes=1
jobs="${KESTRUNE_JOBS:-$(nproc)}"
lane_jobs=$(( (jobs + lanes - 1) / lanes ))

if [ "$lanes" -eq 1 ]; then
    exec "$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- \
        ctest --test-dir "$KESTRUNE_BUILD" -j"$lane_jobs" --output-on-failure --repeat until-pass:2 "$@"
fi

# ctest lists a test program's cases by running it, when the program is newer
# than its list, and writes the list: the first lane does that before the
# others start, so that no two lanes write one list at once.
logs="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-lanes.XXXXXX")"
trap 'rm -rf "$logs"' EXIT
export KESTRUNE_BUILD KESTRUNE_LANES_LISTED="$logs/listed" KESTRUNE_LANES="$lanes" KESTRUNE_LANE_JOBS="$lane_jobs"
pids=()
for ((lane = 1; lane <= lanes; lane++)); do
    KESTRUNE_LANE="$lane" "$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- bash -c '
        if [ "$KESTRUNE_LANE" = 1 ]; then
            ctest --test-dir "$KESTRUNE_BUILD" -N >/dev/null 2>&1
            touch "$KESTRUNE_LANES_LISTED"
        fi
        waited=0
        while [ ! -e "$KESTRUNE_LANES_LISTED" ] && [ $((waited++)) -lt 600 ]; do sleep 1; done
        exec ctest --test-dir "$KESTRUNE_BUILD" -j"$KESTRUNE_LANE_JOBS" --output-on-failure --repeat until-pass:2 \
            -I "$KESTRUNE_LANE,,$KESTRUNE_LANES"' >"$logs/$lane.log" 2>&1 &
    pids+=($!)
done
status=0
for ((lane = 1; lane <= lanes; lane++)); do
    wait "${pids[lane - 1]}" || status=1
    echo "==== lane $lane of $lanes"
    cat "$logs/$lane.log"
done
[ $status -eq 0 ] && echo "==== every lane passed" || echo "==== a lane failed"
exit $status

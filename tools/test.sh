#!/usr/bin/env bash
# Builds Kestrune and its tests and runs every test under Wine, in a Wine
# session of its own (throw-away prefix, virtual display). On a machine that
# runs no 32-bit code the tests run the 64-bit build, and the 32-bit release
# is built beside it (see common.sh).
# Extra arguments go to ctest, e.g.  tools/test.sh -R CString
# Each test's time limit is its own (tests/CMakeLists.txt).
# A test that fails is run once more, and the run fails only if it fails
# again: on a fully loaded machine a test program under Wine has now and then
# died after its test had passed. The failed try stays in the output.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrune_build
kestrune_build_release
"$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- \
    ctest --test-dir "$KESTRUNE_BUILD" -j"${KESTRUNE_JOBS:-$(nproc)}" --output-on-failure --repeat until-pass:2 "$@"

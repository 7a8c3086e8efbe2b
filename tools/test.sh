#!/usr/bin/env bash
# Builds Kestrune and its tests and runs every test under Wine, in a Wine
# session of its own (throw-away prefix, virtual display). On a machine that
# runs no 32-bit code the tests run the 64-bit build, and the 32-bit release
# is built beside it (see common.sh).
# Extra arguments go to ctest, e.g.  tools/test.sh -R CString
# Each test's time limit is its own (tests/CMakeLists.txt).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrune_build
kestrune_build_release
"$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- \
    ctest --test-dir "$KESTRUNE_BUILD" -j"${KESTRUNE_JOBS:-$(nproc)}" --output-on-failure "$@"

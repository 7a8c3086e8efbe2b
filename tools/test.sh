#!/usr/bin/env bash
# Builds Kestrune and its tests and runs every test under Wine, in a Wine
# session of its own (throw-away prefix, virtual display).
# Extra arguments go to ctest, e.g.  tools/test.sh -R CString
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrune_build
"$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- \
    ctest --test-dir "$KESTRUNE_BUILD" -j"$(nproc)" --output-on-failure --timeout 300 "$@"

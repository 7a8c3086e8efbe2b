#!/usr/bin/env bash
# Builds Kestrune and starts it under Wine in the user's own Wine prefix.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrune_build
exe="$KESTRUNE_BUILD/app/Kestrune.exe"
if [ ! -f "$exe" ]; then
    echo "Built; the program itself is not part of this build yet."
    exit 0
fi
exec "$KESTRUNE_ROOT/tools/wine-session.sh" -- wine "$exe" "$@"

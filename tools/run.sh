#!/usr/bin/env bash
# Builds Kestrune and starts it under Wine in the user's own Wine prefix
# ($WINEPREFIX, or ~/.wine), where its macros live as a Windows user's would:
# %APPDATA%\brenvik\script. Arguments go to Kestrune.exe (-a <macro> runs one
# macro and quits).
#
# With no display it starts a virtual one, waits for the main window and
# writes a picture of it (its client area: with no window manager there is
# no one to draw the frame) to $KESTRUNE_SCREENSHOT, by default
# build/screenshots/kestrune.png, so that one can see that it started.
# Kestrune runs until it is quit, or until Ctrl+C here.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

exe="$KESTRUNE_BUILD/app/Kestrune.exe"
probe="$KESTRUNE_BUILD/tests/probe/kestrune_probe.exe"

if [ "${1:-}" = "--in-session" ]; then
    shift
    # Wine programs stay off the terminal (a console of Wine's own would
    # take it over), so that Ctrl+C stays a signal to this script.
    wine "$exe" "$@" </dev/null &
    kestrune=$!
    # On the virtual display, the prefix's own processes (its desktop) go a
    # few seconds after the last program: they are let go before the display.
    settle() { [ "${KESTRUNE_VIRTUAL_DISPLAY:-0}" = 1 ] && { timeout 10 wineserver -w || true; }; }
    trap 'kill "$kestrune" 2>/dev/null; wait "$kestrune" 2>/dev/null; settle; exit 130' INT TERM
    if [ "${KESTRUNE_VIRTUAL_DISPLAY:-0}" = 1 ]; then
        mkdir -p "$(dirname "$KESTRUNE_SCREENSHOT")"
        rm -f "$KESTRUNE_SCREENSHOT"
        # A first start in a new prefix sets the prefix up first.
        picture="$(winepath -w "$KESTRUNE_SCREENSHOT" </dev/null 2>/dev/null)"
        if wine "$probe" screenshot "$picture" 180 </dev/null >/dev/null 2>&1; then
            echo "Kestrune is running on a virtual display ($DISPLAY)."
            echo "Its main window: $KESTRUNE_SCREENSHOT"
        else
            echo "run.sh: no picture of the main window: it did not show." >&2
        fi
    fi
    echo "Kestrune runs until it is quit; Ctrl+C stops it."
    status=0
    wait "$kestrune" || status=$?
    settle
    # A quit ends Kestrune with 18, a start that only hands over its
    # request to a running Kestrune with 0.
    [ $status = 18 ] || [ $status = 0 ] || { echo "run.sh: Kestrune ended with $status" >&2; exit $status; }
    exit 0
fi

# Only what runs is built: the program, and the probe that takes the
# picture on a virtual display.
if [ -z "${DISPLAY:-}" ]; then
    export KESTRUNE_VIRTUAL_DISPLAY=1
    kestrune_build Kestrune kestrune_probe
else
    kestrune_build Kestrune
fi
export KESTRUNE_SCREENSHOT="$(realpath -m "${KESTRUNE_SCREENSHOT:-$KESTRUNE_BUILD/screenshots/kestrune.png}")"
# By its full path: the session runs it from wherever this was started.
exec "$KESTRUNE_ROOT/tools/wine-session.sh" -- "$KESTRUNE_ROOT/tools/run.sh" --in-session "$@"

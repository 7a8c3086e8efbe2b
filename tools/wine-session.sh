#!/usr/bin/env bash
# Runs one command inside a Wine session of its own and tears the session
# down afterwards, also when the command fails or is interrupted.
#
#   wine-session.sh [--temp-prefix] [--virtual-display] -- command [args...]
#
# --temp-prefix      a throw-away WINEPREFIX (Windows 7, no Mono or Gecko
#                    installer), deleted at the end; otherwise $WINEPREFIX
#                    or ~/.wine is used.
# --virtual-display  always start an Xvfb display, even when $DISPLAY is set;
#                    without it Xvfb is started only when there is no display.
#
# A throw-away prefix gets one persistent wineserver for the whole session, so
# that every Wine process after the first starts warm; it is stopped at the end.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

temp_prefix=0
virtual_display=0
while [ $# -gt 0 ]; do
    case "$1" in
        --temp-prefix) temp_prefix=1 ;;
        --virtual-display) virtual_display=1 ;;
        --) shift; break ;;
        *) echo "wine-session.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "wine-session.sh: no command" >&2; exit 2; }

session_dir="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-session.XXXXXX")"
xvfb_pid=""
own_server=0

cleanup() {
    set +e
    [ $own_server = 1 ] && wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$session_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Where the machine runs no 32-bit code, Debian's "wine" would still pick the
# 32-bit loader when it is installed: the 64-bit one is put first instead.
if [ "$KESTRUNE_ARCH" = x86_64 ]; then
    export PATH="$KESTRUNE_ROOT/tools/wine64:$PATH"
fi

# A fixed locale: Wine maps it to English (United States), ANSI code page 1252.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree=;mshtml="
# The recycle bin is the Linux user's trash: keep it inside the session.
export XDG_DATA_HOME="$session_dir/xdg-data"

if [ $temp_prefix = 1 ]; then
    export WINEPREFIX="$session_dir/prefix"
fi

if [ $virtual_display = 1 ] || [ -z "${DISPLAY:-}" ]; then
    # In a session of its own, so that Ctrl+C reaches the programs on the
    # display first and the display goes only once they have ended.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$session_dir/display" ] && break
        sleep 0.1
    done
    [ -s "$session_dir/display" ] || { echo "wine-session.sh: Xvfb did not start" >&2; cat "$session_dir/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$session_dir/display")"
fi

if [ $temp_prefix = 1 ]; then
    # The server is made persistent before the prefix is booted, so that the
    # boot and every later process share it.
    mkdir -p "$WINEPREFIX"
    wineserver -p
    own_server=1
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win7 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # With no window manager on the virtual display, Wine would wait 2 s for
    # one each time a window is hidden; unmanaged windows need no such wait.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # Services (the Task Scheduler's, which tests start) get a minute to
    # come up on a busy machine; the service manager reads this at start.
    wine reg add 'HKLM\System\CurrentControlSet\Control' /v ServicesPipeTimeout /t REG_DWORD /d 60000 /f >/dev/null 2>&1
    wineserver -k
    wineserver -w
    wineserver -p
    wineboot >/dev/null 2>&1
fi

"$@"

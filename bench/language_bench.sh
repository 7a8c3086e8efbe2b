#!/usr/bin/env bash
# The language benchmark: runs each program of bench/language/ with the
# script engine (through the test host, in a Wine session of its own) and
# the same program with Python 3 on this machine, and prints per program the
# time of each, the engine's lines per second and the ratio engine/Python
# (below 1: the engine is faster). The engine's figures are those of the
# run alone (Execute), Python's those of the program's own code, neither
# counting start-up. The message pump's share of the engine's time is shown
# as well.
#
# The replay's Python side calls functions that only check their arguments,
# so the engine's replay runs with its builtins made inert as well (the
# host's --inert): both sides show the cost of reading and dispatching the
# steps. With --real-replay the macro is also replayed once with the real
# builtins, which send the input with the default key and mouse delays.
#
#   bench/language_bench.sh [--real-replay] [repetitions]   (default 3; the best run counts)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

real_replay=0
if [ "${1:-}" = --real-replay ]; then
    real_replay=1
    shift
fi
repetitions="${1:-3}"
kestrune_build >/dev/null
work="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$KESTRUNE_ROOT"/bench/language/*.txt "$KESTRUNE_ROOT"/bench/language/*.py "$work"/
python3 "$work/make_replay.py" "$work"

export KESTRUNE_BENCH_WORK="$work" KESTRUNE_BENCH_REPETITIONS="$repetitions" KESTRUNE_REAL_REPLAY="$real_replay"
export KESTRUNE_HOST="$KESTRUNE_BUILD/tests/host/script_host.exe"
"$KESTRUNE_ROOT/tools/wine-session.sh" --temp-prefix --virtual-display -- bash -c '
set -euo pipefail
cd "$KESTRUNE_BENCH_WORK"
printf "%-14s %12s %14s %12s %8s %8s\n" program engine-s lines/s python-s ratio pump-%
for program in integer_loop nested_array recursion strings select_if replay; do
    options="--stats"
    [ "$program" = replay ] && options="--stats --speed 1 --inert"
    best=""; lines=0; pump=0
    for ((n = 0; n < KESTRUNE_BENCH_REPETITIONS; n++)); do
        report="$(wine "$KESTRUNE_HOST" $options --answer "Z:$KESTRUNE_BENCH_WORK/$program.txt" | tr -d "\r")"
        if ! grep -q "^result: ran" <<<"$report" || grep -q "^box:" <<<"$report"; then
            echo "$program: the engine did not run it cleanly:" >&2; echo "$report" >&2; exit 1
        fi
        read -r seconds lines pump_seconds < <(sed -n "s/^seconds: \([^ ]*\) lines: \([^ ]*\) pumps: [^ ]* pump-seconds: \(.*\)/\1 \2 \3/p" <<<"$report")
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" "BEGIN { exit !(a < b) }"; then
            best="$seconds"; pump="$pump_seconds"
        fi
    done
    python_best=""
    for ((n = 0; n < KESTRUNE_BENCH_REPETITIONS; n++)); do
        seconds="$(python3 "$program.py")"
        if [ -z "$python_best" ] || awk -v a="$seconds" -v b="$python_best" "BEGIN { exit !(a < b) }"; then
            python_best="$seconds"
        fi
    done
    awk -v p="$program" -v e="$best" -v l="$lines" -v py="$python_best" -v pu="$pump" \
        "BEGIN { printf \"%-14s %12.4f %14.0f %12.4f %8.2f %8.2f\n\", p, e, l / e, py, e / py, 100 * pu / e }"
done
if [ "$KESTRUNE_REAL_REPLAY" = 1 ]; then
    report="$(wine "$KESTRUNE_HOST" --stats --speed 1 --answer "Z:$KESTRUNE_BENCH_WORK/replay.txt" | tr -d "\r")"
    sed -n "s/^seconds: \([^ ]*\) lines: \([^ ]*\) .*/replay with the real builtins (input sent): \1 s for \2 lines/p" <<<"$report"
fi
'

#!/usr/bin/env bash
# Cuts a solve that would take minutes off at time limits of 0 and 1 second
# with 1, 2, 4 and 16 workers, many times each, and reports every run that
# hangs (killed by a watchdog) or does not print a clean cut-off. Not part of
# CI: with the default 100 runs it takes about a quarter of an hour.
#
#   scripts/stress_cutoff.sh [--runs N] [--watchdog SECONDS] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=100
watchdog=30
build=build
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="${2:?}"; shift 2 ;;
        --watchdog) watchdog="${2:?}"; shift 2 ;;
        -h|--help) echo "usage: $0 [--runs N] [--watchdog SECONDS] [BUILD_DIR]" >&2; exit 2 ;;
        *) build="$1"; shift ;;
    esac
done
solver="$build/ostrel-solve"
[ -x "$solver" ] || { echo "no ostrel-solve at $solver" >&2; exit 2; }

# White to kill a black corner group with a wide open eye space: minutes to solve.
problem="$(mktemp --suffix=.ban)"
trap 'rm -f "$problem"' EXIT
{
    echo "* /t=2 /mark=[3,3]"
    for row in 0000000002 0000000012 0011111112 0012222222 1122 222; do
        printf '%s\n' "$(printf '%-19s' "$row" | tr ' ' 0)"
    done
    for _ in $(seq 7 19); do echo 0000000000000000000; done
} >"$problem"

failures=0
for limit in 0 1; do
    for threads in 1 2 4 16; do
        hung=0
        wrong=0
        for ((run = 0; run < runs; run++)); do
            set +e
            out=$(timeout -k 5 "$watchdog" "$solver" --threads "$threads" --time-limit "$limit" --json "$problem" 2>/dev/null)
            status=$?
            set -e
            if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
                hung=$((hung + 1))
                echo "HANG: limit $limit s, $threads threads, run $run" >&2
            elif [ "$status" -ne 0 ] || ! grep -q '"solveResult": 0, "verdict": "cut off", "moves": \[\], "labels": \[\]' <<<"$out"; then
                wrong=$((wrong + 1))
                echo "WRONG: limit $limit s, $threads threads, run $run, status $status: $out" >&2
            fi
        done
        printf 'limit %d s, %2d threads: %d runs, %d hung, %d wrong\n' "$limit" "$threads" "$runs" "$hung" "$wrong"
        failures=$((failures + hung + wrong))
    done
done
[ "$failures" -eq 0 ] && echo "no hang, no wrong output" || { echo "$failures failing runs"; exit 1; }

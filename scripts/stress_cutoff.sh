#!/usr/bin/env bash
# Cuts a solve that would take minutes off at time limits of 0 and 1 second
# with 1, 2, 4 and 16 workers, many times each, and reports every run that
# hangs (killed by a watchdog) or does not print a clean cut-off. Not part of
# CI: with the default 100 runs it takes about a quarter of an hour. Prints the
# least, median and greatest wall time of the runs of each setting.
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

# A clean cut-off: no verdict, no moves given as the answer, nothing labelled.
clean_cutoff() {
    local field
    for field in '"solveResult": 0, "verdict": "cut off", "moves": \[\]' '"complete": false' '"labels": \[\]'; do
        grep -q "$field" <<<"$1" || return 1
    done
}

failures=0
for limit in 0 1; do
    for threads in 1 2 4 16; do
        hung=0
        wrong=0
        ends=()
        for ((run = 0; run < runs; run++)); do
            set +e
            start=$(date +%s%N)
            out=$(timeout -k 5 "$watchdog" "$solver" --threads "$threads" --time-limit "$limit" --json "$problem" 2>/dev/null)
            status=$?
            ends+=($((($(date +%s%N) - start) / 1000000)))
            set -e
            if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
                hung=$((hung + 1))
                echo "HANG: limit $limit s, $threads threads, run $run" >&2
            elif [ "$status" -ne 0 ] || ! clean_cutoff "$out"; then
                wrong=$((wrong + 1))
                echo "WRONG: limit $limit s, $threads threads, run $run, status $status: $out" >&2
            fi
        done
        # Wall time of each whole run (start-up and output included), in ms.
        read -r low median high < <(printf '%s\n' "${ends[@]}" | sort -n |
            awk '{ t[NR] = $1 } END { print t[1], t[int((NR + 1) / 2)], t[NR] }')
        printf 'limit %d s, %2d threads: %d runs, %d hung, %d wrong; ended after %d / %d / %d ms (min / median / max)\n' \
            "$limit" "$threads" "$runs" "$hung" "$wrong" "$low" "$median" "$high"
        failures=$((failures + hung + wrong))
    done
done
[ "$failures" -eq 0 ] && echo "no hang, no wrong output" || { echo "$failures failing runs"; exit 1; }

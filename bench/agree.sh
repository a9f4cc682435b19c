#!/usr/bin/env bash
# Solves the benchmark set with 1, 2, 4 and 16 workers, several times, and
# fails when any worker count gives another verdict or another set of working
# first moves than one worker. Every worker searches, however few processors
# the machine has. Not part of CI: one run of the set takes a few minutes on
# an idle 2-core machine.
#
#   bench/agree.sh [--runs N] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=3
build=build
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="${2:?}"; shift 2 ;;
        -h|--help) echo "usage: $0 [--runs N] [BUILD_DIR]" >&2; exit 2 ;;
        *) build="$1"; shift ;;
    esac
done
bench="$build/ostrel_set_bench"
[ -x "$bench" ] || { echo "no ostrel_set_bench at $bench" >&2; exit 2; }

failures=0
for run in $(seq 1 "$runs"); do
    log="$(mktemp)"
    if ! "$bench" --workers 1,2,4,16 --searchers 16 bench/problems >"$log" 2>&1; then
        failures=$((failures + 1))
        echo "run $run: disagreement" >&2
        grep -v '^[a-z_0-9]*\.ban \|^problem \|^median' "$log" >&2 || true
    fi
    tail -1 "$log"
    rm -f "$log"
done
echo "$failures of $runs runs disagreed"
[ "$failures" -eq 0 ]

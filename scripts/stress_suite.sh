#!/usr/bin/env bash
# Runs the whole test suite several times in a row (5 by default) while two
# busy loops keep the processors loaded. A test whose result depends on the
# machine's load fails here long before it blocks a good change.
#   scripts/stress_suite.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
[ -d "$build" ] || { echo "no build folder $build: build first" >&2; exit 2; }

busy=()
stop_busy() {
  for pid in "${busy[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}
trap stop_busy EXIT
for _ in 1 2; do
  bash -c 'while :; do :; done' &
  busy+=("$!")
done

for run in $(seq "$runs"); do
  echo "== run $run of $runs under load"
  (cd "$build" && ctest --output-on-failure -j2)
done
echo "== all $runs runs passed"

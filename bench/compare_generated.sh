#!/usr/bin/env bash
# Generates problems beyond the committed signature set, each solved by the
# exact order with one worker within the judgment budget and 60 s, and checks
# that the strong order gives every one of them the same verdict and set of
# first moves (the signature test's strong check on that file).
#
#   bench/compare_generated.sh [BUILD] [COUNT] [BUDGET] [FIRST_INDEX]
#
# Defaults: build, 300 problems, 3,000,000 judgments, from index 100000 (the
# committed set draws from 0). The problems and their exact answers are kept
# in BUILD/generated_signatures.txt.
set -euo pipefail
build="${1:-build}"
count="${2:-300}"
budget="${3:-3000000}"
first="${4:-100000}"
[ -x "$build/ostrel_signature_gen" ] && [ -x "$build/ostrel_tests" ] ||
    { echo "no ostrel_signature_gen or ostrel_tests in $build" >&2; exit 2; }
file="$build/generated_signatures.txt"
"$build/ostrel_signature_gen" "$count" "$budget" 60 "$first" > "$file"
echo "$(grep -c '^problem' "$file" || true) problems in $file"
OSTREL_SIGNATURE_FILE="$file" "$build/ostrel_tests" --gtest_filter='SignatureStrong.Default*'

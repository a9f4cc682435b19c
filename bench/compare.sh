#!/usr/bin/env bash
# Runs two builds' ostrel-solve alternately on the benchmark problems and
# prints, per problem and as medians, how the new build's wall time and
# judgments per second compare with the base build's.
#
#   bench/compare.sh [--rounds N] [--threads N] [--problems DIR|FILE...] BASE_BUILD NEW_BUILD
#
# BASE_BUILD and NEW_BUILD are build directories (each holding ostrel-solve).
# Every solve uses a fixed seed. With one thread (the default) the two builds
# must print the same answer apart from the seconds: verdict, moves in order,
# judgments, depth, memory and region; with more threads only the verdict and
# the set of first moves are compared. Any difference is reported and makes
# the exit status 1. Each round runs the two builds in turn, the first build
# of a round alternating, and a problem's time is its median over the rounds.
set -euo pipefail

rounds=3
threads=1
problems=()
here="$(cd "$(dirname "$0")" && pwd)"

usage() {
    echo "usage: $0 [--rounds N] [--threads N] [--problems DIR|FILE...] BASE_BUILD NEW_BUILD" >&2
    exit 2
}

builds=()
while [ $# -gt 0 ]; do
    case "$1" in
        --rounds) rounds="${2:?}"; shift 2 ;;
        --threads) threads="${2:?}"; shift 2 ;;
        --problems) shift; while [ $# -gt 2 ] && [ "${1#--}" = "$1" ]; do problems+=("$1"); shift; done ;;
        -h|--help) usage ;;
        *) builds+=("$1"); shift ;;
    esac
done
[ "${#builds[@]}" -eq 2 ] || usage
base="${builds[0]}/ostrel-solve"
new="${builds[1]}/ostrel-solve"
for bin in "$base" "$new"; do
    [ -x "$bin" ] || { echo "no ostrel-solve at $bin" >&2; exit 2; }
done
[ "${#problems[@]}" -gt 0 ] || problems=("$here/problems")

files=()
for p in "${problems[@]}"; do
    if [ -d "$p" ]; then
        files+=("$p"/*.ban)
    else
        files+=("$p")
    fi
done

# The answer with the timing and the file name taken out; with several
# threads only the verdict and the sorted first moves.
answer() {
    local json="$1"
    if [ "$threads" -eq 1 ]; then
        sed -e 's/"seconds": [0-9]*, //' -e 's/, "wallSeconds": [0-9.e+-]*//' -e 's/"file": "[^"]*", //' <<<"$json"
    else
        local verdict moves
        verdict=$(sed -n 's/.*"verdict": "\([^"]*\)".*/\1/p' <<<"$json")
        moves=$(sed -n 's/.*"moves": \[\(.*\)\], "labels".*/\1/p' <<<"$json" |
            grep -o '\[[0-9]*, [0-9]*\]' | sort | tr -d '\n')
        echo "$verdict $moves"
    fi
}

# Runs one solve; prints "SECONDS JUDGMENTS" and keeps the answer in $last_answer.
last_answer=""
solve() {
    local bin="$1" file="$2" start end json
    start=$EPOCHREALTIME
    json=$("$bin" --threads "$threads" --seed 1 --json "$file" 2>/dev/null)
    end=$EPOCHREALTIME
    last_answer=$(answer "$json")
    local judgments
    judgments=$(sed -n 's/.*"judgeCount": \([0-9]*\).*/\1/p' <<<"$json")
    awk -v s="$start" -v e="$end" -v j="${judgments:-0}" 'BEGIN { printf "%.4f %d\n", e - s, j }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

status=0
declare -A base_times new_times base_judged new_judged
for ((round = 0; round < rounds; round++)); do
    for file in "${files[@]}"; do
        order=(base new)
        [ $((round % 2)) -eq 1 ] && order=(new base)
        declare -A answers=()
        for which in "${order[@]}"; do
            bin="$base"; [ "$which" = new ] && bin="$new"
            read -r seconds judged < <(solve "$bin" "$file")
            answers[$which]="$last_answer"
            if [ "$which" = base ]; then
                base_times[$file]+="$seconds "; base_judged[$file]=$judged
            else
                new_times[$file]+="$seconds "; new_judged[$file]=$judged
            fi
        done
        if [ "${answers[base]}" != "${answers[new]}" ]; then
            echo "DIFFERENT ANSWER: $(basename "$file")" >&2
            echo "  base: ${answers[base]}" >&2
            echo "  new:  ${answers[new]}" >&2
            status=1
        fi
        unset answers
    done
done

printf '%-46s %10s %10s %8s %8s %7s %7s\n' problem judgments judged-new base-s new-s time jps
time_ratios=""
jps_ratios=""
for file in "${files[@]}"; do
    tb=$(tr ' ' '\n' <<<"${base_times[$file]}" | grep . | median)
    tn=$(tr ' ' '\n' <<<"${new_times[$file]}" | grep . | median)
    read -r time_ratio jps_ratio < <(awk -v tb="$tb" -v tn="$tn" -v jb="${base_judged[$file]}" -v jn="${new_judged[$file]}" \
        'BEGIN { if (tb <= 0 || tn <= 0 || jb <= 0) print "0 0"; else printf "%.3f %.3f\n", tn / tb, (jn / tn) / (jb / tb) }')
    time_ratios+="$time_ratio"$'\n'
    jps_ratios+="$jps_ratio"$'\n'
    printf '%-46s %10s %10s %8.3f %8.3f %7.3f %7.3f\n' "$(basename "$file")" "${base_judged[$file]}" \
        "${new_judged[$file]}" "$tb" "$tn" "$time_ratio" "$jps_ratio"
done
echo "threads $threads, $rounds rounds; ratios are new against base (time: below 1 is faster; jps: above 1 is faster)"
echo "median time ratio: $(grep . <<<"$time_ratios" | median)"
echo "median jps ratio:  $(grep . <<<"$jps_ratios" | median)"
exit $status

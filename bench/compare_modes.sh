#!/usr/bin/env bash
# Runs one build's ostrel-solve in several search orders on the benchmark
# problems, one worker and a fixed seed, and prints per problem the judgments
# and solve time of each (the JSON's wallSeconds, without the program's start), then per order the median ratios against the first
# order and how many problems each resolves within a few seconds.
#
#   bench/compare_modes.sh [--rounds N] [--time-limit S] [--quick S]
#                          [--problems DIR|FILE]... BUILD ORDER...
#
# An ORDER is "exact", "strong", or "strong:KNOBS" where KNOBS is a value of
# OSTREL_STRONG (for example strong:eps=1/8,order=0); "DIR@ORDER" runs it
# with another build's ostrel-solve, so that two builds can be set side by
# side in one run (for example old/build@exact build@exact). The first ORDER
# is the base. Every order must give the base's verdict and the same set of first
# moves; a difference is reported and makes the exit status 1. A solve cut
# off at the time limit (default 60) counts as unresolved, with the limit as
# its time. "quick" counts the problems resolved within --quick seconds
# (default 5). Each round runs the orders in turn, rotating which goes first;
# a problem's time is its median over the rounds.
set -euo pipefail

rounds=1
limit=60
quick=5
problems=()
here="$(cd "$(dirname "$0")" && pwd)"

usage() {
    echo "usage: $0 [--rounds N] [--time-limit S] [--quick S] [--problems DIR|FILE]... BUILD ORDER..." >&2
    exit 2
}

args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --rounds) rounds="${2:?}"; shift 2 ;;
        --time-limit) limit="${2:?}"; shift 2 ;;
        --quick) quick="${2:?}"; shift 2 ;;
        --problems) problems+=("${2:?}"); shift 2 ;;
        -h|--help) usage ;;
        *) args+=("$1"); shift ;;
    esac
done
[ "${#args[@]}" -ge 2 ] || usage
bin="${args[0]}/ostrel-solve"
orders=("${args[@]:1}")
for o in "$bin" "${orders[@]}"; do
    [[ "$o" == "$bin" || "$o" == *@* ]] || continue
    b="$o"
    [[ "$o" == *@* ]] && b="${o%%@*}/ostrel-solve"
    [ -x "$b" ] || { echo "no ostrel-solve at $b" >&2; exit 2; }
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

# Verdict and sorted first moves.
answer() {
    local json="$1" verdict moves
    verdict=$(sed -n 's/.*"verdict": "\([^"]*\)".*/\1/p' <<<"$json")
    moves=$(sed -n 's/.*"moves": \[\(.*\)\], "labels".*/\1/p' <<<"$json" |
        grep -o '\[[0-9]*, [0-9]*\]' | sort | tr -d '\n')
    echo "$verdict $moves"
}

# One solve in an order; prints "SECONDS JUDGMENTS RESOLVED", answer in $last_answer.
last_answer=""
solve() {
    local order="$1" file="$2" mode knobs json run="$bin"
    if [[ "$order" == *@* ]]; then
        run="${order%%@*}/ostrel-solve"
        order="${order#*@}"
    fi
    mode="${order%%:*}"
    knobs=""
    [ "$mode" != "$order" ] && knobs="${order#*:}"
    json=$(OSTREL_STRONG="$knobs" "$run" --threads 1 --seed 1 --json --search "$mode" \
        --time-limit "$limit" "$file" 2>/dev/null)
    last_answer=$(answer "$json")
    local judgments complete wall
    judgments=$(sed -n 's/.*"judgeCount": \([0-9]*\).*/\1/p' <<<"$json")
    complete=$(sed -n 's/.*"complete": \([a-z]*\).*/\1/p' <<<"$json")
    wall=$(sed -n 's/.*"wallSeconds": \([0-9.e+-]*\).*/\1/p' <<<"$json")
    awk -v w="${wall:-0}" -v j="${judgments:-0}" -v c="$complete" -v l="$limit" \
        'BEGIN { t = w; if (c != "true") t = l; printf "%.4f %d %d\n", t, j, c == "true" }'
}

# The last N characters of an order's name, for the columns.
label() { local s="$1"; [ "${#s}" -le "$2" ] || s="${s: -$2}"; echo "$s"; }

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

status=0
count="${#orders[@]}"
declare -A times judged resolved answers
for ((round = 0; round < rounds; round++)); do
    for file in "${files[@]}"; do
        for ((k = 0; k < count; k++)); do
            o=$(((k + round) % count))
            read -r seconds j r < <(solve "${orders[$o]}" "$file")
            times[$o,$file]+="$seconds "
            judged[$o,$file]=$j
            resolved[$o,$file]=$r
            answers[$o,$file]="$last_answer"
        done
        for ((o = 1; o < count; o++)); do
            if [ "${resolved[0,$file]}" = 1 ] && [ "${resolved[$o,$file]}" = 1 ] &&
                [ "${answers[0,$file]}" != "${answers[$o,$file]}" ]; then
                echo "DIFFERENT ANSWER: $(basename "$file") ${orders[$o]}" >&2
                echo "  ${orders[0]}: ${answers[0,$file]}" >&2
                echo "  ${orders[$o]}: ${answers[$o,$file]}" >&2
                status=1
            fi
        done
    done
done

printf '%-52s' problem
for ((o = 0; o < count; o++)); do printf ' %22s' "$(label "${orders[$o]}" 22)"; done
echo
declare -A median_time
for file in "${files[@]}"; do
    printf '%-52s' "$(basename "$file" .ban)"
    for ((o = 0; o < count; o++)); do
        t=$(tr ' ' '\n' <<<"${times[$o,$file]}" | grep . | median)
        median_time[$o,$file]=$t
        mark=""
        [ "${resolved[$o,$file]}" = 1 ] || mark="*"
        printf ' %12s %8.2fs%1s' "${judged[$o,$file]}" "$t" "$mark"
    done
    echo
done
echo "one worker, $rounds round(s), time limit ${limit}s (* cut off); ratios against ${orders[0]}"
printf '%-24s %14s %14s %10s %s\n' order judgments-ratio time-ratio quick "base-slow-now-quick"
for ((o = 0; o < count; o++)); do
    jr=""; tr_=""; q=0; slow=0; rescued=0
    for file in "${files[@]}"; do
        jb="${judged[0,$file]}"; jo="${judged[$o,$file]}"
        tb="${median_time[0,$file]}"; to="${median_time[$o,$file]}"
        jr+=$(awk -v a="$jo" -v b="$jb" 'BEGIN { if (b > 0) printf "%.4f", a / b; else print 1 }')$'\n'
        tr_+=$(awk -v a="$to" -v b="$tb" 'BEGIN { if (b > 0) printf "%.4f", a / b; else print 1 }')$'\n'
        fast=$(awk -v t="$to" -v r="${resolved[$o,$file]}" -v q="$quick" 'BEGIN { print (r == 1 && t <= q) ? 1 : 0 }')
        base_fast=$(awk -v t="$tb" -v r="${resolved[0,$file]}" -v q="$quick" 'BEGIN { print (r == 1 && t <= q) ? 1 : 0 }')
        q=$((q + fast))
        if [ "$base_fast" = 0 ]; then
            slow=$((slow + 1))
            rescued=$((rescued + fast))
        fi
    done
    printf '%-24s %14s %14s %7s/%-3s %s/%s\n' "$(label "${orders[$o]}" 24)" "$(grep . <<<"$jr" | median)" \
        "$(grep . <<<"$tr_" | median)" "$q" "${#files[@]}" "$rescued" "$slow"
done
exit $status

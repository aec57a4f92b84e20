#!/usr/bin/env bash
# Runs the fuzz targets long, one after the other: each for 10 million executions or an
# hour, whichever comes first, on its seed corpus and what earlier long runs found. Prints
# a row per target: executions, seconds, coverage (libFuzzer's cov and ft), corpus size
# and findings.
#
#   scripts/fuzz-long.sh [TARGET...]      all targets of fuzz/targets.txt when none is named
#
# FUZZ_RUNS and FUZZ_SECONDS change the two limits. Everything a run makes stays in
# build-fuzz/long: the grown corpus, the log of each target and the inputs of findings
# (findings/TARGET-crash-..., -leak-, -timeout-, -oom-; a -slow-unit- is only slow), to be
# replayed with build-fuzz/fuzz/fuzz_TARGET FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${FUZZ_RUNS:-10000000}
seconds=${FUZZ_SECONDS:-3600}
build=build-fuzz
long=$build/long

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DLEVELCONF_FUZZ=ON >/dev/null
cmake --build "$build" --parallel 2 >/dev/null

declare -A max_len
while read -r name _ longest; do
    max_len[$name]=$longest
done < <(grep '^[a-z]' fuzz/targets.txt)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=($(grep -o '^[a-z_]*' fuzz/targets.txt))
fi

mkdir -p "$long/findings"
# No allocation stacks: with Qt's frames in them they cost more than the parsers. A
# finding replayed without this option shows them. An input takes milliseconds; the
# time-out for a hang is long enough that a machine busy with other builds stalling for
# half a minute is not taken for one.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
export LC_ALL=C.UTF-8

printf '%-16s %12s %8s %6s %7s %8s %s\n' target executions seconds cov ft corpus findings
for t in "${targets[@]}"; do
    [ -n "${max_len[$t]:-}" ] || { echo "no fuzz target $t" >&2; exit 2; }
    mkdir -p "$long/corpus/$t"
    log=$long/$t.log
    start=$(date +%s)
    status=0
    nice "$build/fuzz/fuzz_$t" -runs="$runs" -max_total_time="$seconds" -timeout=60 \
        -max_len="${max_len[$t]}" -dict=fuzz/levelconf.dict -print_final_stats=1 \
        -artifact_prefix="$long/findings/$t-" "$long/corpus/$t" "fuzz/corpus/$t" \
        >"$log" 2>&1 || status=$?
    elapsed=$(($(date +%s) - start))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    last=$(grep -E '^#[0-9]+.*cov:' "$log" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corpus=$(sed -n 's/.* corp: \([0-9]*\/[0-9]*[a-zA-Z]*\).*/\1/p' <<<"$last")
    findings=$(find "$long/findings" -name "$t-crash-*" -o -name "$t-leak-*" \
        -o -name "$t-timeout-*" -o -name "$t-oom-*" | wc -l)
    [ "$status" -eq 0 ] || findings="$findings (exit $status, see $log)"
    printf '%-16s %12s %8s %6s %7s %8s %s\n' "$t" "${executions:-?}" "$elapsed" "${cov:-?}" \
        "${ft:-?}" "${corpus:-?}" "$findings"
done

#!/usr/bin/env bash
# Fuzzes every target for the given number of seconds each (default 600), two at a time, with
# clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer. New inputs go to a working
# corpus in build-fuzz/; the checked-in seed corpus in fuzz/corpus is only read.
#   fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."
seconds="${1:-600}"
. scripts/install_missing.sh
install_missing clang libclang-rt-14-dev cmake qt6-base-dev

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DSLAU_FUZZ=ON -DSLAU_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(value_of_text text_file array_file solver)
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1
run() {
    local target="$1" work="build-fuzz/corpus/$1"
    mkdir -p "$work"
    "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=4096 "$work" "fuzz/corpus/$target" >"build-fuzz/fuzz_$target.log" 2>&1
    echo "$target: $(grep -E 'stat::number_of_executed_units' "build-fuzz/fuzz_$target.log" | \
        awk '{print $2}') runs in ${seconds} s, no crash"
}
status=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    for target in "${targets[@]:i:2}"; do
        run "$target" & pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
done
[ "$status" -eq 0 ] || echo "run_fuzz.sh: a target found a crash; see build-fuzz/fuzz_*.log" >&2
exit "$status"

#!/usr/bin/env bash
# Builds the libFuzzer harnesses and runs each one for the given number of seconds (default 60),
# one after the other, starting from its seeds in fuzz/seeds/<harness>. Not part of CI.
#
#   scripts/run-fuzzers.sh [seconds]
#
# New inputs go to <build>/fuzz-corpus/<harness> (kept between runs, the seeds stay as they are);
# crashes, hangs and leaks to <build>/fuzz-artifacts/. The build directory is build-fuzz, or
# OVB_FUZZ_BUILD. Reproduce a finding with: <build>/fuzz/<harness> <artifact file>
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${OVB_FUZZ_BUILD:-$root/build-fuzz}
harnesses=(fuzz_wav_parser fuzz_script_loader fuzz_bank_loader)

if [[ ! -f $build/build.ninja ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DOVB_FUZZ=ON -DOVB_GUI=OFF \
        -DOVB_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target "${harnesses[@]}"

mkdir -p "$build/fuzz-artifacts"
failed=()
for h in "${harnesses[@]}"; do
    corpus=$build/fuzz-corpus/$h
    mkdir -p "$corpus"
    case $h in
    fuzz_wav_parser) extra=(-dict="$root/fuzz/wav.dict" -max_len=4096) ;;
    *) extra=(-dict="$root/fuzz/loaders.dict" -max_len=65536) ;;
    esac
    echo "== $h for ${seconds}s"
    # The loaders read 50 to 200 MB per input; a run stays near 250 MB, 1 GB means a leak.
    status=0
    "$build/fuzz/$h" "$corpus" "$root/fuzz/seeds/$h" "${extra[@]}" \
        -max_total_time="$seconds" -timeout=30 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$h-" >"$build/fuzz-artifacts/$h.log" 2>&1 ||
        status=$?
    grep -E "^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb" \
        "$build/fuzz-artifacts/$h.log" || true
    if [[ $status -ne 0 ]]; then
        failed+=("$h")
        grep -E "ERROR|violated|artifact" "$build/fuzz-artifacts/$h.log" || true
    fi
done

if [[ ${#failed[@]} -ne 0 ]]; then
    echo "Findings in: ${failed[*]} (logs in $build/fuzz-artifacts)"
    exit 1
fi
echo "No findings."

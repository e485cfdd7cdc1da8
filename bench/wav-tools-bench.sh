#!/usr/bin/env bash
# The WAV tools against cp: normalising and trimming a sample library in place, timed against
# copying the same library with cp -r. Prints one line per figure: "name: value (target)".
#
#   bench/wav-tools-bench.sh BUILD_DIR [--keep]
#
#   --keep   leaves the generated library in BUILD_DIR/bench-data/wav-tools (and reuses it)
#
# The library is read once before timing, so both sides read from the page cache and write to
# the disk; both are timed up to a finished sync, since the tools make every file durable before
# they rename it into place. Every tool run works on a fresh copy of the library. Timings are
# medians.
set -euo pipefail
shopt -s inherit_errexit

usage() {
    echo "usage: $0 BUILD_DIR [--keep]" >&2
    exit 2
}

[[ $# -ge 1 ]] || usage
BUILD=$(cd "$1" && pwd)
shift
KEEP=0
for arg in "$@"; do
    case "$arg" in
    --keep) KEEP=1 ;;
    *) usage ;;
    esac
done

OVBANK=$BUILD/src/ovbank
MAKE_WAVS=$BUILD/bench/ovb-bench-make-wavs
for tool in "$OVBANK" "$MAKE_WAVS"; do
    [[ -x "$tool" ]] || { echo "missing $tool: build $BUILD first" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "missing /usr/bin/time (scripts/install-deps.sh)" >&2; exit 1; }

# 40 stereo files of 12 MiB of audio each: 503 MB.
WAV_COUNT=40
WAV_DATA_BYTES=$((12 * 1024 * 1024))
DATA=$BUILD/bench-data/wav-tools
RUNS=3

cleanup() {
    rm -rf "$DATA/copy" "$DATA/work"
    if [[ $KEEP -eq 0 ]]; then rm -rf "$DATA"; fi
}
trap cleanup EXIT

mkdir -p "$DATA"
needed=$((3 * WAV_COUNT * WAV_DATA_BYTES))
if (($(df --output=avail -B1 "$DATA" | tail -1 | tr -d ' ') < needed)); then
    echo "Less than $((needed / 1024 / 1024)) MB free under $DATA. Nothing was run." >&2
    exit 1
fi

source "$(dirname "$0")/timing.sh"
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; } # kB -> MB

LIB=$DATA/library
library_ready() {
    local files=("$LIB"/level-*.wav)
    [[ ${#files[@]} -eq $WAV_COUNT && -f "${files[0]}" ]] &&
        [[ $(stat -c %s "${files[0]}") -eq $((44 + WAV_DATA_BYTES)) ]]
}
if ! library_ready; then
    rm -rf "$LIB"
    "$MAKE_WAVS" "$LIB" "$WAV_COUNT" "$WAV_DATA_BYTES" --level
fi
LIB_BYTES=$(cat "$LIB"/level-*.wav | wc -c) # also reads them into the page cache
sync

# The reference: cp -r of the library, up to a finished sync.
cp_times=()
for ((i = 0; i < RUNS; ++i)); do
    rm -rf "$DATA/copy"
    sync
    t=$(now)
    cp -r "$LIB" "$DATA/copy"
    sync
    cp_times+=("$(seconds_since "$t")")
done
rm -rf "$DATA/copy"
cp_s=$(median "${cp_times[@]}")

# A second reference doing the tools' disk work with plain tools: every file copied beside itself
# and renamed over the original (which frees the old file's blocks), up to a finished sync.
replace_times=()
for ((i = 0; i < RUNS; ++i)); do
    rm -rf "$DATA/work"
    cp -r "$LIB" "$DATA/work"
    sync
    t=$(now)
    for f in "$DATA"/work/level-*.wav; do
        cp "$f" "$f.tmp"
        mv "$f.tmp" "$f"
    done
    sync
    replace_times+=("$(seconds_since "$t")")
done
replace_s=$(median "${replace_times[@]}")

# Runs `ovbank --quiet --yes WORDS --files` on a fresh copy of the library; sets run_s to the time
# up to a finished sync and run_rss to the peak RSS in kB. Fails when the first file is unchanged,
# which would mean the tool had nothing to do and the figure means nothing.
run_tool() {
    rm -rf "$DATA/work"
    cp -r "$LIB" "$DATA/work"
    cat "$DATA"/work/level-*.wav >/dev/null
    sync
    local t
    t=$(now)
    /usr/bin/time -v -o "$DATA/time.txt" "$OVBANK" --quiet --yes "$@" --files \
        "$DATA"/work/level-*.wav >/dev/null 2>"$DATA/tool.err"
    sync
    run_s=$(seconds_since "$t")
    run_rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$DATA/time.txt")
    if cmp -s "$LIB/level-000.wav" "$DATA/work/level-000.wav"; then
        echo "ovbank $* left the files unchanged (FAILED)" >&2
        return 1
    fi
}

# One figure: the median time of RUNS runs of the tool against the cp time, and its peak RSS.
figure() {
    local name=$1
    shift
    local times=() rss=()
    for ((i = 0; i < RUNS; ++i)); do
        run_tool "$@"
        times+=("$run_s")
        rss+=("$run_rss")
    done
    local s
    s=$(median "${times[@]}")
    echo "$name + sync time: $s s (median; runs: ${times[*]})"
    echo "$name vs cp -r: $(ratio "$s" "$cp_s") (target <= 1.5)"
    echo "$name vs cp + mv of each file: $(ratio "$s" "$replace_s")"
    echo "$name peak RSS: $(mb "$(largest "${rss[@]}")") MB" \
        "(target: about one file's audio, $(mb $((WAV_DATA_BYTES / 1024))) MB)"
}

echo "== WAV tools against cp -r =="
echo "library: $WAV_COUNT stereo WAV files, $(awk -v b="$LIB_BYTES" 'BEGIN { printf "%.0f", b / 1e6 }') MB"
echo "cp -r + sync time: $cp_s s (median; runs: ${cp_times[*]})"
echo "cp + mv of each file + sync time: $replace_s s (median; runs: ${replace_times[*]})"
figure "normalise" normalise
figure "trim-start" trim-start --threshold 0
figure "trim-end" trim-end --threshold 0
rm -rf "$DATA/work"

#!/usr/bin/env bash
# Runs the benchmarks and prints one line per figure: "name: value (target)".
#
#   scripts/run-benchmarks.sh BUILD_DIR [--span] [--keep]
#
#   --span   also builds a bank larger than one volume (writes about 4.5 GB; needs 12 GB free)
#   --keep   leaves the generated WAV files and banks in BUILD_DIR/bench-data (and reuses them)
#
# The end-to-end figures compare ovbank with the plain tools doing the same disk work: creating
# a bank against cat of its WAV files and of a file as large as the rest of the bank, loading a bank against dd of the byte ranges the loader
# reads. Page caches cannot be dropped here, so the WAV files are read once before timing: both
# sides then read from memory and write to the disk. Timings are medians.
set -euo pipefail
shopt -s inherit_errexit

usage() {
    echo "usage: $0 BUILD_DIR [--span] [--keep]" >&2
    exit 2
}

[[ $# -ge 1 ]] || usage
BUILD=$(cd "$1" && pwd)
shift
SPAN=0
KEEP=0
for arg in "$@"; do
    case "$arg" in
    --span) SPAN=1 ;;
    --keep) KEEP=1 ;;
    *) usage ;;
    esac
done

OVBANK=$BUILD/src/ovbank
CORE=$BUILD/bench/ovb_bench_core
MAKE_SCRIPT=$BUILD/bench/ovb-bench-make-script
MAKE_WAVS=$BUILD/bench/ovb-bench-make-wavs
for tool in "$OVBANK" "$CORE" "$MAKE_SCRIPT" "$MAKE_WAVS" "$BUILD/bench/ovb-bench-relink"; do
    [[ -x "$tool" ]] || { echo "missing $tool: build $BUILD first" >&2; exit 1; }
done
if [[ ! -x /usr/bin/time ]]; then
    "$(dirname "$0")/install-deps.sh"
fi

# The library: 40 stereo files of 15 MiB of audio each (629 MB), every one below the
# 65535-sector limit of a sample.
WAV_COUNT=40
WAV_DATA_BYTES=$((15 * 1024 * 1024))
VOLUME_SIZE=4293918720
DATA=$BUILD/bench-data
RUNS=3
QUICK_RUNS=5

cleanup() {
    if [[ $KEEP -eq 0 ]]; then rm -rf "$DATA"; fi
}
trap cleanup EXIT

free_bytes() { df --output=avail -B1 "$1" | tail -1 | tr -d ' '; }

mkdir -p "$DATA"
needed=$((5 * 1024 * 1024 * 1024))
[[ $SPAN -eq 1 ]] && needed=$((12 * 1024 * 1024 * 1024))
if (($(free_bytes "$DATA") < needed)); then
    echo "Only $(($(free_bytes "$DATA") / 1024 / 1024 / 1024)) GB free under $DATA;" \
        "the benchmarks need $((needed / 1024 / 1024 / 1024)) GB. Nothing was run." >&2
    exit 1
fi

# --- helpers ---------------------------------------------------------------------------------

source "$(dirname "$0")/../bench/timing.sh"
mb() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; } # kB -> MB
gb() { awk -v b="$1" 'BEGIN { printf "%.2f", b / 1e9 }'; }

# Runs a command under GNU time; prints its peak resident set size in kB.
peak_rss_kb() {
    if ! /usr/bin/time -v -o "$DATA/time.txt" "$@" >/dev/null; then
        echo "failed: $*" >&2
        return 1
    fi
    awk -F': ' '/Maximum resident set size/ { print $2 }' "$DATA/time.txt"
}

# A number out of a line of `ovbank info` ("Sample data size:  1 090 519 040 bytes").
info_field() { grep "^$2" <<<"$1" | sed 's/^[^:]*://; s/bytes.*//; s/ //g'; }

# --- in-process benchmarks -------------------------------------------------------------------

echo "== In-process benchmarks (ovb_bench_core) =="
# JSON, not CSV: the CSV writer refuses counters that only some benchmarks report.
"$CORE" --benchmark_out="$DATA/core.json" --benchmark_out_format=json
# A figure of a Google Benchmark JSON file: json_value FILE BENCHMARK [FIELD (real_time)].
json_value() {
    python3 -c 'import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b["name"] == sys.argv[2]:
        print("%.2f" % b[sys.argv[3]])' "$1" "$2" "${3:-real_time}"
}
core_ms() { json_value "$DATA/core.json" "$1"; }
echo
echo "== Figures =="
echo "bank reset: $(core_ms BM_BankReset) ms (target: well under 100 ms)"
echo "text listing of a full bank to a file: $(core_ms BM_ExportTextFullBank) ms" \
    "(target: well under 100 ms)"
echo "unused multisample check, full bank: $(core_ms BM_CheckUnusedMultisamples) ms (target < 200 ms)"
echo "duplicated samples check, full bank: $(core_ms BM_CheckDuplicatedSamples) ms (target < 2000 ms)"
# The bank as text and the combinator: full banks, each against 2 s (ratio: time / 2 s).
for figure in "BM_DumpFullBank:dump of a full bank to a file" \
    "BM_ApplyFullBank:apply of a full bank's text to a script" \
    "BM_DiffFullBanks:diff of two full banks" "BM_MergeHalves:merge of two full halves"; do
    ms=$(core_ms "${figure%%:*}/iterations:3")
    echo "${figure#*:}: $ms ms, $(ratio "$ms" 2000) of the 2 s target (target < 1)"
done

"$BUILD/bench/ovb-bench-relink" "$DATA/relink"

# The checks as the window runs them, against the core alone.
WINDOW_CHECKS=$BUILD/bench/ovb-bench-window-checks
if [[ -x "$WINDOW_CHECKS" ]]; then
    echo
    echo "== Checks in the window against the core (target: within core + 300 ms) =="
    "$WINDOW_CHECKS" 2>/dev/null || echo "window checks: over the target (FAILED)"
fi

# The window with a full bank: 10000 multisamples x 64 paths, 10000 sounds x 20 zones, every
# name set; its bank file (328 MB, one sector per slot) is made once in $DATA/full-bank.
GUI=$BUILD/bench/ovb_bench_gui
STARTUP=$BUILD/bench/ovb-bench-startup
if [[ -x "$GUI" && -x "$STARTUP" ]]; then
    echo
    echo "== The window with a full bank =="
    FULL=$DATA/full-bank
    "$GUI" --bank-folder="$FULL" --benchmark_out="$DATA/gui.json" \
        --benchmark_out_format=json >/dev/null
    gui() { json_value "$DATA/gui.json" "$@"; }
    echo "RefreshViews, nothing changed: $(gui BM_RefreshAllUnchanged/min_time:2.000) ms;" \
        "every name changed: $(gui BM_RefreshAllEveryNameChanged/min_time:2.000) ms" \
        "(target < 50 ms)"
    for page in 0 1 2 3 4 5 6 7; do
        name=BM_SwitchPage/$page/iterations:15/manual_time
        echo "switch to page $page: mean $(gui "$name") ms, longest $(gui "$name" max_ms) ms" \
            "(target < 50 ms)"
    done
    for list in MultisampleList SampleGrid SoundList; do
        for step in "0:3 rows" "1:a page"; do
            name=BM_Scroll$list/${step%%:*}/iterations:300/manual_time
            echo "scrolling the ${list} by ${step#*:}: mean $(gui "$name") ms," \
                "longest frame $(gui "$name" max_ms) ms (target <= 16 ms)"
        done
    done
    info_times=()
    for ((i = 0; i < RUNS; ++i)); do
        t=$(now)
        "$OVBANK" --quiet info "$FULL/full.ovb" >/dev/null
        info_times+=("$(seconds_since "$t")")
    done
    info_ms=$(awk -v s="$(median "${info_times[@]}")" 'BEGIN { printf "%.0f", s * 1000 }')
    open_ms=$(gui BM_OpenFullBankFromMenu/iterations:3)
    echo "open from the File menu: $open_ms ms; ovbank info: $info_ms ms; beyond info:" \
        "$(awk -v a="$open_ms" -v b="$info_ms" 'BEGIN { printf "%.0f", a - b }') ms" \
        "(target < 1000 ms)"
    "$STARTUP" 5 || true
    "$STARTUP" 5 --bank-folder="$FULL" || true
fi

# --- the library and its script ----------------------------------------------------------------

wav_files() { find "$DATA/wavs" -name 'bench-*.wav' 2>/dev/null | sort; }
# Kept files (--keep) are reused when they are what this run would write.
library_ready() {
    local files
    mapfile -t files < <(wav_files)
    [[ ${#files[@]} -eq $WAV_COUNT ]] &&
        [[ $(stat -c %s "${files[0]}") -eq $((44 + WAV_DATA_BYTES)) ]]
}
if ! library_ready; then
    rm -rf "$DATA/wavs"
    "$MAKE_WAVS" "$DATA/wavs" "$WAV_COUNT" "$WAV_DATA_BYTES"
fi
mapfile -t WAVS < <(wav_files)
WAV_BYTES=$(cat "${WAVS[@]}" | wc -c) # also reads them into the page cache
"$MAKE_SCRIPT" "$DATA/bench.ovs" "${WAVS[@]}" >/dev/null
sync

# --- build vs cat ------------------------------------------------------------------------------

# The reference writes as many bytes as the bank holds: the WAV files, then a file as large as the
# rest of the bank (its description, reserved areas and paths). The build makes its bank durable
# before it returns; the reference is made durable by an fsync of its file.
"$OVBANK" --quiet --yes build "$DATA/bench.ovs" "$DATA/bench.ovb" >/dev/null
BANK_BYTES=$(stat -c %s "$DATA/bench.ovb")
head -c $((BANK_BYTES - WAV_BYTES)) /dev/urandom >"$DATA/rest.bin"
build_times=() cat_times=() build_rss=()
for ((i = 0; i < RUNS; ++i)); do
    rm -f "$DATA/bench.ovb" "$DATA/cat.out"
    sync
    t=$(now)
    build_rss+=("$(peak_rss_kb "$OVBANK" --quiet --yes build "$DATA/bench.ovs" "$DATA/bench.ovb")")
    build_times+=("$(seconds_since "$t")")

    rm -f "$DATA/cat.out"
    sync
    t=$(now)
    cat "${WAVS[@]}" "$DATA/rest.bin" >"$DATA/cat.out"
    sync "$DATA/cat.out"
    cat_times+=("$(seconds_since "$t")")
done
rm -f "$DATA/cat.out" "$DATA/rest.bin"
build_s=$(median "${build_times[@]}")
cat_s=$(median "${cat_times[@]}")
echo "library: $WAV_COUNT WAV files, $(gb "$WAV_BYTES") GB; bank file $(gb "$BANK_BYTES") GB" \
    "(bank on disk: $(gb $(($(stat -c %b "$DATA/bench.ovb") * 512))) GB)"
echo "build + sync time: $build_s s (median; runs: ${build_times[*]})"
echo "cat + sync time: $cat_s s (median; runs: ${cat_times[*]})"
echo "build vs cat: $(ratio "$build_s" "$cat_s") (target <= 1.1)"
# The part of the build that has no counterpart in cat: loading the script and checking every
# WAV file. The size command does exactly that and writes nothing.
size_times=()
for ((i = 0; i < RUNS; ++i)); do
    t=$(now)
    "$OVBANK" --quiet size "$DATA/bench.ovs" >/dev/null
    size_times+=("$(seconds_since "$t")")
done
echo "build start (script load + size calculation, as ovbank size): $(median "${size_times[@]}") s"
echo "build peak RSS: $(mb "$(largest "${build_rss[@]}")") MB (target < 200 MB)"

# --- info vs dd --------------------------------------------------------------------------------

# The byte ranges the bank loader reads, in its order: header and info, the first copy of the
# description and of the multisample table, the first path length table, the reserved blocks,
# then after the audio the marker sector with the first path area copy, and the last sector.
read_like_loader() {
    local bank=$1 audio_end=$2 half_area=$3
    local ranges=(
        "0 1024"
        "2048 7682048"
        "46094336 15360000"
        "138254336 640000"
        "139534336 28237824"
        "$audio_end $((512 + half_area))"
        "$((audio_end + 512 + 2 * half_area)) 511"
    )
    local offset length
    for r in "${ranges[@]}"; do
        read -r offset length <<<"$r"
        dd if="$bank" of=/dev/null bs=1M iflag=skip_bytes,count_bytes skip="$offset" \
            count="$length" status=none
    done
}

INFO=$("$OVBANK" --quiet info "$DATA/bench.ovb")
AUDIO_END=$((167772160 + $(info_field "$INFO" "Sample data size")))
HALF_AREA=$(($(info_field "$INFO" "Path area size") / 2))
info_times=() dd_times=()
for ((i = 0; i < QUICK_RUNS; ++i)); do
    t=$(now)
    "$OVBANK" --quiet info "$DATA/bench.ovb" >/dev/null
    info_times+=("$(seconds_since "$t")")
    t=$(now)
    read_like_loader "$DATA/bench.ovb" "$AUDIO_END" "$HALF_AREA"
    dd_times+=("$(seconds_since "$t")")
done
info_s=$(median "${info_times[@]}")
dd_s=$(median "${dd_times[@]}")
echo "info time: $info_s s (median; runs: ${info_times[*]})"
echo "dd of the same ranges: $dd_s s (median; runs: ${dd_times[*]})"
echo "info vs dd: $(ratio "$info_s" "$dd_s") (target <= 2)"
echo "info peak RSS: $(mb "$(peak_rss_kb "$OVBANK" --quiet info "$DATA/bench.ovb")") MB" \
    "(target < 200 MB)"
echo "list of an empty bank peak RSS:" \
    "$(mb "$(peak_rss_kb "$OVBANK" --quiet list - "$DATA/empty.txt")") MB (target < 100 MB)"
rm -f "$DATA/bench.ovb" "$DATA/empty.txt"

# --- a bank over more than one volume ----------------------------------------------------------

if [[ $SPAN -eq 1 ]]; then
    # Enough references to the library that the bank is larger than one volume.
    sample_bytes=$((WAV_COUNT * ((WAV_DATA_BYTES + 511) / 512 * 512)))
    repeat=$(((VOLUME_SIZE - 167772160) / sample_bytes))
    "$MAKE_SCRIPT" "$DATA/span.ovs" "${WAVS[@]}" --repeat "$repeat" >/dev/null
    rm -f "$DATA"/span.ovb "$DATA"/span.O[0-9][0-9]
    sync
    t=$(now)
    "$OVBANK" --quiet --yes build "$DATA/span.ovs" "$DATA/span.ovb"
    sync
    span_build_s=$(seconds_since "$t")
    if [[ ! -f "$DATA/span.O01" ]]; then
        echo "spanning bank: no volume span.O01 was written (FAILED)"
        exit 1
    fi
    t=$(now)
    SPAN_INFO=$("$OVBANK" --quiet info "$DATA/span.ovb")
    span_info_s=$(seconds_since "$t")
    recorded=$(info_field "$SPAN_INFO" "Bank size")
    volumes=("$DATA"/span.ovb "$DATA"/span.O[0-9][0-9])
    on_disk=$(stat -c %s "${volumes[@]}" | awk '{ s += $1 } END { print s }')
    echo "spanning bank: $(gb "$recorded") GB recorded, $(gb "$on_disk") GB on disk in" \
        "${#volumes[@]} volumes" \
        "(span.ovb $(stat -c %s "$DATA/span.ovb") bytes, span.O01 $(stat -c %s "$DATA/span.O01")" \
        "bytes; target: sizes equal, first volume $VOLUME_SIZE bytes)"
    echo "spanning bank build time: $span_build_s s (cat at its measured pace would take" \
        "$(awk -v s="$cat_s" -v a="$on_disk" -v b="$WAV_BYTES" 'BEGIN { printf "%.1f", s * a / b }') s)"
    echo "spanning bank info time: $span_info_s s (single-volume bank: $info_s s)"
    rm -f "$DATA"/span.ovb "$DATA"/span.O[0-9][0-9] "$DATA/span.ovs"
fi

# --- conforming one hour of 44.1 kHz audio against sox -----------------------------------------

"$(dirname "$0")/../bench/conform-vs-sox.sh" "$BUILD"

# --- normalising and trimming a 503 MB library against cp -r -----------------------------------

"$(dirname "$0")/../bench/wav-tools-bench.sh" "$BUILD"

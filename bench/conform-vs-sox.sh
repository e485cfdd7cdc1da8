#!/usr/bin/env bash
# Conforming a sample library against sox doing the same conversion at its very-high-quality
# setting, in the same run. Prints the times and "conform vs sox: RATIO (target <= 1.2)".
#
#   bench/conform-vs-sox.sh BUILD_DIR [SECONDS] [FILES]
#
# The library is SECONDS of 44.1 kHz 16-bit stereo audio (default 3600: one hour) in FILES
# files (default 24: 150 s each, below the 174 s a sample of a bank can hold at 48 kHz stereo,
# which conform-files refuses to exceed). sox converts them one after another, as its command line does; ovbank
# converts them in one conform-files run. The input is read once before timing, so both sides
# read from the page cache.
set -euo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 BUILD_DIR [SECONDS] [FILES]" >&2; exit 2; }
BUILD=$(cd "$1" && pwd)
SECONDS_TOTAL=${2:-3600}
FILES=${3:-24}
OVBANK=$BUILD/src/ovbank
[[ -x "$OVBANK" ]] || { echo "missing $OVBANK: build $BUILD first" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is needed (scripts/install-deps.sh)" >&2; exit 1; }

DATA=$BUILD/bench-conform
rm -rf "$DATA"
mkdir -p "$DATA/in" "$DATA/sox"
trap 'rm -rf "$DATA"' EXIT

per_file=$(awk -v s="$SECONDS_TOTAL" -v n="$FILES" 'BEGIN { printf "%.3f", s / n }')
inputs=()
for ((i = 0; i < FILES; ++i)); do
    f=$DATA/in/part$i.wav
    # Music-like content: two tones and noise, so the dither and the filter see real work.
    sox -n -r 44100 -c 2 -b 16 "$f" synth "$per_file" sine $((220 + 37 * i)) sine 3000 \
        whitenoise vol 0.3
    inputs+=("$f")
done
cat "${inputs[@]}" >/dev/null

source "$(dirname "$0")/timing.sh"

t=$(now)
for f in "${inputs[@]}"; do
    sox "$f" -b 16 "$DATA/sox/$(basename "$f")" rate -v 48000 dither
done
sox_s=$(seconds_since "$t")
rm -rf "$DATA/sox"

t=$(now)
"$OVBANK" --quiet conform-files "${inputs[@]}" --into "$DATA/ovbank" >/dev/null
ovbank_s=$(seconds_since "$t")

echo "audio: $SECONDS_TOTAL s of 44.1 kHz stereo in $FILES files"
echo "sox rate -v 48000 dither: $sox_s s"
echo "ovbank conform-files: $ovbank_s s"
echo "conform vs sox: $(awk -v a="$ovbank_s" -v b="$sox_s" 'BEGIN { printf "%.2f", a / b }')" \
    "(target <= 1.2)"

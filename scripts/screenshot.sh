#!/usr/bin/env bash
# Takes a screenshot of the window program under a virtual display, for looking at what the user
# sees: scripts/screenshot.sh OUT.png [seconds] [program arguments...]
set -euo pipefail
out=$1; wait=${2:-3}; shift 2 || shift $#
gui=${GUI:-build/src/orvelanta-bank-manager}
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    "$0" "${@:3}" & pid=$!
    sleep "$2"
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$1"
    kill $pid' "$gui" "$out" "$wait" "$@"
echo "$out"

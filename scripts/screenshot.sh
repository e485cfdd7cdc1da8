#!/usr/bin/env bash
# Screenshots of the window program under a virtual display, for looking at what the user sees.
#
#   scripts/screenshot.sh OUT.png [seconds] [program arguments...]
#       the program as started by a user, photographed after `seconds`
#   STAGE=PAGE[:sdcard] scripts/screenshot.sh OUT.png
#       the demo bank open on a page (5 = Sounds, 6 = Multisamples), optionally with the SD card
#       assistant in front, photographed by the staged program itself
#
# SCREEN sets the display size (default 1280x800). The program gets a configuration folder of its
# own, so it neither reads nor changes the user's.
set -euo pipefail
out=$1; wait=${2:-3}; shift 2 || shift $#
build=${BUILD:-build}
screen=${SCREEN:-1280x800}
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
if [[ -n "${STAGE:-}" ]]; then
    page=${STAGE%%:*}
    extra=$([[ $STAGE == *:* ]] && echo "${STAGE#*:}" || true)
    xvfb-run -a -s "-screen 0 ${screen}x24" \
        "$build/demo/ovb-demo-stage" "$build/demo/Demo.ovb" "$page" "$out" $extra
else
    gui=${GUI:-$build/src/orvelanta-bank-manager}
    xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
        "$0" "${@:3}" & pid=$!
        sleep "$2"
        xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$1"
        kill $pid' "$gui" "$out" "$wait" "$@"
fi
echo "$out"

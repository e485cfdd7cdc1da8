#!/usr/bin/env bash
# `make run`: the program on the bundled demo bank. Without a display, the same job is shown
# on the command line instead: build the demo bank from its script, load it back, print its size.
set -euo pipefail
build=${1:-build}
demo="$build/demo"
ovbank="$build/src/ovbank"
gui="$build/src/orvelanta-bank-manager"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x "$gui" ]]; then
    exec "$gui" "$demo/Demo.ovb"
fi

echo "No display found: running the headless demo with ovbank instead."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "== ovbank build $demo/Demo.ovs -> Demo.ovb"
"$ovbank" build "$demo/Demo.ovs" "$out/Demo.ovb"
echo "== ovbank info Demo.ovb"
"$ovbank" info "$out/Demo.ovb"
echo "== ovbank size Demo.ovb"
"$ovbank" size "$out/Demo.ovb"

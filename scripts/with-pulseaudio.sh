#!/usr/bin/env bash
# Runs a command against a private PulseAudio server with one null sink, then stops the server.
#   scripts/with-pulseaudio.sh COMMAND [ARGS...]
# The server lives in a fresh runtime folder, reads no system or user configuration and is seen
# only by the command (through XDG_RUNTIME_DIR, PULSE_RUNTIME_PATH and PULSE_SERVER). The sink
# runs at the player's own rate, so its monitor records the played bytes unchanged.
# The command sees OVB_TEST_SINK (the sink's name) and OVB_TEST_SINK_DESCRIPTION.
# Exit status: the command's; 1 when the server could not be started (make test installs it).
set -uo pipefail

if [[ $# -eq 0 ]]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    echo "with-pulseaudio: pulseaudio and pactl are needed (scripts/install-deps.sh)" >&2
    exit 1
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/ovb-pulse.XXXXXX")
export XDG_RUNTIME_DIR="$runtime" PULSE_RUNTIME_PATH="$runtime/pulse" PULSE_STATE_PATH="$runtime/state"
export PULSE_CONFIG_PATH="$runtime/config" PULSE_COOKIE="$runtime/cookie"
export PULSE_SERVER="unix:$runtime/pulse/native"
export OVB_TEST_SINK=ovb_null OVB_TEST_SINK_DESCRIPTION=OvbNullOutput
unset PULSE_SINK DISPLAY
mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH" "$PULSE_CONFIG_PATH"
# No client autospawns another server, whatever the user's client.conf says.
printf 'autospawn = no\n' >"$PULSE_CONFIG_PATH/client.conf"
export PULSE_CLIENTCONFIG="$PULSE_CONFIG_PATH/client.conf"

# -n: no default script; as root the server warns but runs in this per-user mode.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
    --disable-shm=yes --realtime=no --high-priority=no --log-target=stderr --log-level=warning \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$runtime/pulse/native" \
    -L "module-null-sink sink_name=$OVB_TEST_SINK rate=48000 channels=2 format=s16le sink_properties=device.description=$OVB_TEST_SINK_DESCRIPTION" \
    2>"$runtime/server.log" &
server=$!

stop_server() {
    kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$runtime"
}
trap stop_server EXIT

ready=no
for _ in $(seq 100); do
    if ! kill -0 "$server" 2>/dev/null; then break; fi
    if pactl info >/dev/null 2>&1; then
        ready=yes
        break
    fi
    sleep 0.1
done
if [[ $ready != yes ]]; then
    echo "with-pulseaudio: the server did not start:" >&2
    cat "$runtime/server.log" >&2
    exit 1
fi
pactl set-default-sink "$OVB_TEST_SINK" >/dev/null

"$@"

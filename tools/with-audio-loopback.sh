#!/usr/bin/env bash
# Runs a command beside a private PulseAudio server whose default input records whatever is played to
# its default output, a null sink "loop". Its monitor is remapped as the source "loopin", which Qt lists;
# with --monitor the monitor "loop.monitor" itself is the default and only source, as on a desktop set up
# to record what it plays. The audio tests need it; they fail instead of skipping while it runs.
set -euo pipefail
mode=remap
if [ "${1:-}" = "--monitor" ]; then
  mode=monitor
  shift
fi
runtime="$(mktemp -d "${TMPDIR:-/tmp}/marlune-pulse.XXXXXX")"
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
unset PULSE_SERVER
stop() {
  timeout 10 pulseaudio --kill 2>/dev/null || true
  rm -rf "$runtime"
}
trap stop EXIT
# A timeout that ends the command ends the server too.
trap 'exit 143' INT TERM
timeout 20 pulseaudio -D --exit-idle-time=-1 -n \
  --load="module-null-sink sink_name=loop" --load=module-native-protocol-unix 2>/dev/null
if [ "$mode" = monitor ]; then
  timeout 10 pactl set-default-source loop.monitor
else
  timeout 10 pactl load-module module-remap-source master=loop.monitor source_name=loopin >/dev/null
  timeout 10 pactl set-default-source loopin
fi
export MARLUNE_REQUIRE_AUDIO=1
"$@"

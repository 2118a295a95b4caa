#!/usr/bin/env bash
# Runs COMMAND with a private PulseAudio daemon that has two null sinks, and
# stops the daemon afterwards whatever the command does:
#   kestrix_surround51  6 channels  front-left,front-right,front-center,lfe,rear-left,rear-right
#   kestrix_stereo      2 channels  front-left,front-right (the default sink)
# The daemon lives in a private runtime folder; PULSE_SERVER and
# XDG_RUNTIME_DIR point the command (and Qt) at it. When the daemon cannot be
# started the command still runs, without it, and KESTRIX_PULSE_ERROR says
# why, so that tests needing the server can skip with that reason.
# Nested use reuses the daemon of the outer wrapper.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 2
fi

readonly surround_sink=kestrix_surround51
readonly stereo_sink=kestrix_stereo

if [ -n "${KESTRIX_PULSE_PID:-}" ] && pactl list short sinks 2>/dev/null | grep -q "$surround_sink"; then
  exec "$@"
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/kestrix-pulse.XXXXXX")
daemon_pid=""

stop_daemon() {
  if [ -n "$daemon_pid" ] && kill -0 "$daemon_pid" 2>/dev/null; then
    kill -TERM "$daemon_pid" 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$daemon_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$daemon_pid" 2>/dev/null
    wait "$daemon_pid" 2>/dev/null
  fi
  rm -rf "$runtime"
}
trap stop_daemon EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_daemon() {
  if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    failure="pulseaudio or pactl is not installed"
    return 1
  fi
  mkdir -p "$runtime/pulse" "$runtime/config"
  # As root the daemon warns that it is meant for user sessions; it works.
  XDG_CONFIG_HOME="$runtime/config" HOME="$runtime" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
      --log-target=file:"$runtime/daemon.log" \
      -L "module-native-protocol-unix socket=$runtime/pulse/native auth-anonymous=1" \
      -L "module-null-sink sink_name=$surround_sink channels=6 rate=48000 channel_map=front-left,front-right,front-center,lfe,rear-left,rear-right sink_properties=device.description=Kestrix-5.1" \
      -L "module-null-sink sink_name=$stereo_sink channels=2 rate=48000 channel_map=front-left,front-right sink_properties=device.description=Kestrix-Stereo" \
      >/dev/null 2>&1 &
  daemon_pid=$!
  for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then
      pactl set-default-sink "$stereo_sink" >/dev/null 2>&1
      return 0
    fi
    kill -0 "$daemon_pid" 2>/dev/null || break
    sleep 0.1
  done
  failure="the PulseAudio daemon did not come up: $(tail -n 3 "$runtime/daemon.log" 2>/dev/null | tr '\n' ' ')"
  return 1
}

export XDG_RUNTIME_DIR="$runtime"
export PULSE_SERVER="unix:$runtime/pulse/native"
export PULSE_COOKIE="$runtime/config/pulse/cookie"
failure=""
if start_daemon; then
  export KESTRIX_PULSE_PID="$daemon_pid"
  unset KESTRIX_PULSE_ERROR
else
  echo "with-pulseaudio: $failure; running the command without an audio server" >&2
  export KESTRIX_PULSE_ERROR="$failure"
fi

"$@"
exit $?

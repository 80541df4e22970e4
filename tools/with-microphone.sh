#!/usr/bin/env bash
# Runs a command with a recording device that plays a known recording: a PulseAudio daemon of
# its own, reached through PULSE_SERVER (so that no other program finds it), whose default
# source reads a FIFO that a feeder fills in real time, 22,050 Hz 16-bit mono: silence, and
# each time the file $QUILLORY_TONE_TRIGGER appears, as many seconds as it says of a 440 Hz
# tone whose peak swings three times a second between 0.2 and 0.8 of full scale; "SECONDS loud"
# swings it between 0.3 and 1.2, cut off at full scale, as a voice too close to the microphone.
#   bash tools/with-microphone.sh COMMAND ARGS...
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/quillory-microphone.XXXXXX")
daemon= feeder=
stop() {
  [ -z "$feeder" ] || kill "$feeder" 2>/dev/null || true
  [ -z "$daemon" ] || kill "$daemon" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

mkdir -m 700 "$work/run"
cat >"$work/daemon.pa" <<CONF
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink
load-module module-pipe-source source_name=tone file=$work/fifo format=s16le rate=22050 channels=1
set-default-source tone
CONF
HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config \
  pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$work/daemon.pa" \
  >"$work/daemon.log" 2>&1 </dev/null &
daemon=$!
# The daemon makes its socket and FIFO once it is ready; a busy machine may take a while.
for _ in $(seq 600); do
  [ -S "$work/run/pulse/native" ] && [ -p "$work/fifo" ] && break
  kill -0 "$daemon" 2>/dev/null || break
  sleep 0.1
done
[ -p "$work/fifo" ] || { echo "with-microphone: no PulseAudio daemon" >&2; cat "$work/daemon.log" >&2; exit 1; }

python3 - "$work/fifo" "$work/tone" <<'FEED' &
import math, os, sys, time
fifo, trigger = sys.argv[1:]
rate, step = 22050, 441  # 20 ms at a time
out = os.open(fifo, os.O_WRONLY)
start, written, left, k, gain = time.monotonic(), 0, 0, 0, 1.0
while True:
    if left == 0 and os.path.exists(trigger):
        with open(trigger) as f:
            words = f.read().split() or ["0"]
        left, gain = int(float(words[0]) * rate), 1.5 if "loud" in words[1:] else 1.0
        os.remove(trigger)
    samples = []
    for _ in range(step):
        if left > 0:
            peak = gain * (0.5 + 0.3 * math.sin(2 * math.pi * 3 * k / rate))
            value = int(32767 * peak * math.sin(2 * math.pi * 440 * k / rate))
            samples.append(max(-32768, min(32767, value)))
            left, k = left - 1, k + 1
        else:
            samples.append(0)
    os.write(out, b"".join(s.to_bytes(2, "little", signed=True) for s in samples))
    written += step
    time.sleep(max(0.0, start + written / rate - time.monotonic()))
FEED
feeder=$!

PULSE_SERVER=unix:$work/run/pulse/native QUILLORY_TONE_TRIGGER=$work/tone "$@"

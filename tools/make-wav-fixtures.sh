#!/usr/bin/env bash
# Makes the WAVE files of tests/data/wav with real encoders (sox, ffmpeg, espeak-ng, Python's
# wave module). The files are checked in; run this only to make them again:
#   bash tools/make-wav-fixtures.sh
# Needs: sox, ffmpeg, espeak-ng, python3.
#
# Beside each PCM file it writes NAME.samples: the sound bytes as Python's wave module reads
# them, the independent answer the tests compare the speech sample file's data with.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in sox ffmpeg espeak-ng python3; do
  command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install sox ffmpeg espeak-ng python3" >&2; exit 1; }
done
out=tests/data/wav
mkdir -p "$out"
rm -f "$out"/*.wav "$out"/*.samples

tone=(-f lavfi -i "sine=frequency=440:sample_rate=8000:duration=0.1")
ffmpeg_fixed=(-v error -y -fflags +bitexact -flags:a +bitexact)

# PCM, as the import takes it.
sox -D -r 8000 -n -b 8 -e unsigned -c 1 "$out/pcm8-mono-sox.wav" synth 0.0125 sine 440
sox -D -r 8000 -n -b 16 -e signed -c 2 "$out/pcm16-stereo-sox.wav" synth 0.01 sine 440 sine 660 vol 0.5
espeak-ng -s 450 -w "$out/pcm16-mono-espeak.wav" "go"
python3 - "$out" <<'EOF'
import math, struct, sys, wave
out = sys.argv[1]

def tone(n, channels, width, rate):
    frames = bytearray()
    for i in range(n):
        for c in range(channels):
            v = math.sin(2 * math.pi * (440 + 220 * c) * i / rate)
            frames += bytes([128 + int(100 * v)]) if width == 1 else struct.pack('<h', int(9000 * v))
    return bytes(frames)

def write(name, channels, width, rate, frames):
    with wave.open(f'{out}/{name}', 'wb') as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(frames)

write('pcm8-stereo-python.wav', 2, 1, 11025, tone(60, 2, 1, 11025))
write('pcm16-mono-python.wav', 1, 2, 11025, tone(90, 1, 2, 11025))

# An odd number of sound bytes, the pad byte after them, then a LIST chunk (and one more
# chunk) after the data chunk, as tagging tools append them.
name = f'{out}/pcm8-odd-list-after-python.wav'
write('pcm8-odd-list-after-python.wav', 1, 1, 8000, tone(101, 1, 1, 8000))
with open(name, 'rb') as f:
    riff = bytearray(f.read())
if len(riff) % 2:
    riff += b'\0'
text = b'recorded data for slot 7\0'
info = b'INFO' + b'ICMT' + struct.pack('<I', len(text)) + text + b'\0' * (len(text) % 2)
riff += b'LIST' + struct.pack('<I', len(info)) + info
riff += b'cue ' + struct.pack('<I', 4) + b'\0\0\0\0'
riff[4:8] = struct.pack('<I', len(riff) - 8)
with open(name, 'wb') as f:
    f.write(riff)
EOF
# A LIST/INFO chunk before the data chunk whose texts hold the word "data".
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -ac 1 -c:a pcm_u8 -metadata title="metadata test" \
  -metadata comment="the data chunk follows" "$out/pcm8-list-before-ffmpeg.wav"
# 99 sound bytes and the pad byte.
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -af atrim=end_sample=99 -ac 1 -c:a pcm_u8 \
  -map_metadata -1 "$out/pcm8-odd-pad-ffmpeg.wav"

# Not PCM: refused.
sox -D -r 8000 -n -b 32 -e floating-point -c 1 "$out/float-sox.wav" synth 0.005 sine 440
sox -D -r 8000 -n -e ms-adpcm -c 1 "$out/adpcm-ms-sox.wav" synth 0.01 sine 440
sox -D -r 8000 -n -e u-law -c 1 "$out/mulaw-sox.wav" synth 0.01 sine 440
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -af atrim=end_sample=40 -ac 1 -c:a pcm_s24le \
  -map_metadata -1 "$out/extensible24-ffmpeg.wav"

# The sound bytes of each PCM file, read by Python's wave module.
python3 - "$out" <<'EOF'
import glob, sys, wave
for name in sorted(glob.glob(f'{sys.argv[1]}/pcm*.wav')):
    with wave.open(name, 'rb') as w:
        frames = w.readframes(w.getnframes())
    with open(name[:-4] + '.samples', 'wb') as f:
        f.write(frames)
EOF
ls -l "$out"
